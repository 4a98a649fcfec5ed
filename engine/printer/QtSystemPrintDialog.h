#pragma once
// The system print dialog over Qt's QPrintDialog: the option bits decide
// which choices it offers, and the chosen printer, device mode, page range,
// collation and print-to-file are read back from it.

#include "SystemPrintDialog.h"

class TQtSystemPrintDialog final : public TSystemPrintDialog {
 public:
  bool Run(TPrintDialogRecord& record, TQRCommonDialog& owner) override;
};
