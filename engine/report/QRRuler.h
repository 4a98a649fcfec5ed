#pragma once
// The measuring grid of the on-screen layout, drawn in a report's unit:
// millimetres give a line every centimetre, with the 5 mm lines and the
// centimetre numbers from zoom 60; inches a line and number every inch,
// with the quarter-inch lines from zoom 50; characters one dotted line per
// character cell. Pixels and Native are drawn as millimetres. Numbers are
// drawn only where asked (the report, not its bands).

#include <QRect>

#include "Canvas.h"
#include "QRUnit.h"

class TQRUnitBase;

struct TRulerStyle {
  bool numbers = false;
  int fontSize = 12;  // pixel height of the numbers at 96 pixels per inch
};

// `area` is the panel's rectangle on the canvas; `measures` gives the
// panel's resolution, zoom and character size.
void PaintRulerGrid(TCanvas& canvas, const QRect& area, const TQRUnitBase& measures, TQRUnit unit,
                    const TRulerStyle& style);
