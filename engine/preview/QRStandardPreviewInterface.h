#pragma once
// The standard preview factory: opens the standard preview window for a
// printer, modelessly or modally. InstallStandardPreviewInterface() makes it
// the printers' preview factory class; the preview library does so when the
// program starts.
//
// The window itself is made through a constructor the preview window's code
// registers; until one is registered the factory opens nothing, like the
// base factory.

#include "QRPreviewInterface.h"

class TQRStandardPreviewInterface : public TQRPreviewInterface {
 public:
  using TQRPreviewInterface::TQRPreviewInterface;
  // Shows the window and then has it write its page status (its invokable
  // UpdatePageStatus, when it has one).
  QWidget* OpenWindow(TQRPrinter* printer) override;
  // Shows the window modally and returns once it is closed; the result is
  // empty when the window freed itself on closing.
  QWidget* OpenWindowModal(TQRPrinter* printer) override;
};

// Makes the standard preview window for a printer, owned by the application.
using TQRStandardPreviewConstructor = QWidget* (*)(TQRPrinter* printer);
void SetStandardPreviewConstructor(TQRStandardPreviewConstructor constructor);

void InstallStandardPreviewInterface();
