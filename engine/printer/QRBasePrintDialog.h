#pragma once
// A common dialog working on the application-wide printer object, taken
// when the dialog is made.

#include "PrinterDevice.h"
#include "QRCommonDialog.h"

class TQRBasePrintDialog : public TQRCommonDialog {
 public:
  TQRBasePrintDialog() : printer_(::Printer()) {}

 protected:
  TPrinterDevice& Printer() const { return printer_; }

 private:
  TPrinterDevice& printer_;
};
