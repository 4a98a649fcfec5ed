#pragma once
// The paper a report printer draws its pages on while there is no printer
// to ask: what the report asked for, size, orientation and a custom size's
// extent, taken as asked. With a printer the printer's settings decide, and
// they take only the sizes its driver offers.

#include "PaperSizes.h"
#include "PrinterOrientation.h"

struct TPagePaper {
  TQRPaperSize size = TQRPaperSize::A4;  // where the settings start too
  TPrinterOrientation orientation = TPrinterOrientation::poPortrait;
  int width = 0;  // tenths of a millimetre, portrait; used by Default and Custom
  int length = 0;

  // Portrait extent, tenths of a millimetre: the table's for a standard size.
  int Width() const { return IsStandardPaperSize(size) ? PaperWidthTenths(size) : width; }
  int Length() const { return IsStandardPaperSize(size) ? PaperLengthTenths(size) : length; }
};
