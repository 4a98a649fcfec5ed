#pragma once
// The printer settings a report keeps between runs: a plain copyable record.
// A report applies copies, output bin, printer index and page range to each
// run; duplex and title are kept with the design and not applied.

#include <QString>

#include "PaperSizes.h"
#include "PrinterOrientation.h"

struct TQRPrinterSettings {
  int Copies = 1;
  bool Duplex = false;
  TPrinterOrientation Orientation = TPrinterOrientation::poPortrait;
  TQRBin OutputBin = TQRBin::Auto;
  TQRPaperSize PaperSize = TQRPaperSize::Letter;
  int PrinterIndex = -1;  // -1: the system default printer
  QString Title;
  int FirstPage = 0;  // 0: from the first page
  int LastPage = 0;   // 0: to the last page
  bool operator==(const TQRPrinterSettings&) const = default;
};
