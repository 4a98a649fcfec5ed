#pragma once
// The paper size of the current printer, as a report reads it when it is
// created: through a report printer made for the moment and freed again.
// Its settings start at A4 and are read from the driver only when printers
// are installed; a driver without the paper-size field, or with a code
// outside the table, gives Default.

#include "PaperSizes.h"

TQRPaperSize CurrentPrinterPaperSize();
