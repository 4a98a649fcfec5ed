#include "CurrentPrinterPaper.h"

#include "QRPrinter.h"

TQRPaperSize CurrentPrinterPaperSize() {
  const TQRPrinter printer;
  return printer.PaperSize();
}
