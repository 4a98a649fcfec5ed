#pragma once
// Errors of the printer object: misuse (a job call out of turn, a printer
// that does not exist) and spool calls that failed.

#include "Errors.h"

class EPrinter : public EError {
 public:
  using EError::EError;
};

inline QString PrintingInProgressMessage() { return QStringLiteral("Printing in progress"); }
inline QString NotPrintingMessage() { return QStringLiteral("Printer is not currently printing"); }
inline QString InvalidPrinterMessage() { return QStringLiteral("Printer selected is not valid"); }
inline QString PrinterIndexMessage() { return QStringLiteral("Printer index out of range"); }
inline QString NoDefaultPrinterMessage() {
  return QStringLiteral("There is no default printer currently selected");
}
