#include "AutoSize.h"

#include <algorithm>

int WidestLine(const QStringList& lines, const TTextWidth& width) {
  int widest = 0;
  for (const QString& line : lines) widest = std::max(widest, width(line));
  return widest;
}

int RaisedToLineHeight(int height, int lineHeight) { return std::max(height, lineHeight); }

TPixelBounds AutoSizedBounds(const TPixelBounds& bounds, int widest, const TFrameSides& frame,
                             TAlignment alignment, int lineHeight) {
  const int side = std::max(frame.width, 0);
  const int w = widest + (frame.drawLeft ? side : 0) + (frame.drawRight ? side : 0);
  TPixelBounds sized = bounds;
  switch (alignment) {
    case TAlignment::taRightJustify:
      sized.left = bounds.left + bounds.width - w;
      break;
    case TAlignment::taCenter:
      sized.left = bounds.left + (bounds.width - w) / 2;  // C++ division truncates toward zero
      break;
    case TAlignment::taLeftJustify:
      break;
  }
  sized.width = w;
  sized.height = RaisedToLineHeight(bounds.height, lineHeight);
  return sized;
}
