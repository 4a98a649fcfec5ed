#include "CurrentPrinterPaper.h"

#include "PrinterDevice.h"

TQRPaperSize CurrentPrinterPaperSize() {
  if (!HasPrinterDevice()) return TQRPaperSize::A4;
  const TPrinterDevice& printer = Printer();
  if (printer.Printers().isEmpty()) return TQRPaperSize::A4;
  const std::optional<TDeviceMode> mode = printer.DeviceMode();
  if (!mode || (mode->fields & DM_PAPERSIZE) == 0) return TQRPaperSize::Default;
  return PaperSizeFromCode(mode->paperSize).value_or(TQRPaperSize::Default);
}
