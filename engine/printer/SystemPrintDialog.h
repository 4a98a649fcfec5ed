#pragma once
// The system print dialog behind a small interface, so that tests answer it.
// The program uses the Qt one; a test installs its own with
// ScopedSystemPrintDialog.

#include "PrintDialogRecord.h"

class TQRCommonDialog;

class TSystemPrintDialog {
 public:
  virtual ~TSystemPrintDialog() = default;
  // Shows the dialog for `record`, telling `owner` when its window is shown
  // (DialogShown) and gone (DialogClosed). On confirmation writes the chosen
  // printer, device mode, option bits, page range and copies back into
  // `record` and returns true; on cancel leaves `record` as it was.
  virtual bool Run(TPrintDialogRecord& record, TQRCommonDialog& owner) = 0;
};

// The installed dialog, or the Qt one.
TSystemPrintDialog& SystemPrintDialog();

class ScopedSystemPrintDialog {
 public:
  explicit ScopedSystemPrintDialog(TSystemPrintDialog* dialog);
  ~ScopedSystemPrintDialog();
  ScopedSystemPrintDialog(const ScopedSystemPrintDialog&) = delete;
  ScopedSystemPrintDialog& operator=(const ScopedSystemPrintDialog&) = delete;

 private:
  TSystemPrintDialog* previous_;
};
