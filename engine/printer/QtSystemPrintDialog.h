#pragma once
// The system print dialog over Qt's QPrintDialog: the option bits decide
// which choices it offers, and the chosen printer, device mode, page range,
// collation and print-to-file are read back from it. Without a printer to
// name it warns first, unless the bits ask for no warning.

#include <QAbstractPrintDialog>

#include "SystemPrintDialog.h"

class TQtSystemPrintDialog final : public TSystemPrintDialog {
 public:
  bool Run(TPrintDialogRecord& record, TQRCommonDialog& owner) override;
};

// What the dialog offers for the option bits: page numbers unless
// PD_NOPAGENUMS, the selection unless PD_NOSELECTION, printing to a file
// only when neither hidden nor disabled; collation and copies always.
QAbstractPrintDialog::PrintDialogOptions QtPrintDialogOptions(std::uint32_t flags);

// The warning shown when the dialog opens with no printer to name.
QString NoPrinterWarningText();
