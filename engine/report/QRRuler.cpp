#include "QRRuler.h"

#include "QRRound.h"
#include "QRUnitBase.h"

namespace {

constexpr QRgb kMajorColor = 0xFFB4B4B4;
constexpr QRgb kMinorColor = 0xFFDCDCDC;
// Closer lines than this (pixels) would only grey the surface.
constexpr long double kMinimumSpacing = 3;

struct TGridLines {
  long double stepTenths;  // distance between lines
  int numberEvery;         // every how many lines a number is written; 0 none
  QRgb color;
  TPenStyle style;
};

long double Pixels(const TQRUnitBase& m, long double tenths, TQRDirection d) {
  return m.ToUnitsAs(TQRUnit::Pixels, tenths, d);
}

void DrawLines(TCanvas& canvas, const QRect& area, const TQRUnitBase& m, TQRDirection direction,
               const TGridLines& lines, const TRulerStyle& style) {
  const long double step = Pixels(m, lines.stepTenths, direction);
  if (!(step >= kMinimumSpacing)) return;
  const bool across = direction == TQRDirection::Horizontal;  // lines stand at x positions
  const int extent = across ? area.width() : area.height();
  canvas.SetPen(lines.color, 1, lines.style);
  for (int i = 1;; ++i) {
    const int offset = QRRound(step * i);
    if (offset >= extent) break;
    if (across) {
      canvas.MoveTo(area.left() + offset, area.top());
      canvas.LineTo(area.left() + offset, area.top() + area.height());
    } else {
      canvas.MoveTo(area.left(), area.top() + offset);
      canvas.LineTo(area.left() + area.width(), area.top() + offset);
    }
    if (style.numbers && lines.numberEvery > 0 && i % lines.numberEvery == 0) {
      const QString number = QString::number(i / lines.numberEvery);
      if (across)
        canvas.TextOut(area.left() + offset + 2, area.top() + 1, TTextAnchor::Left, number);
      else
        canvas.TextOut(area.left() + 2, area.top() + offset + 1, TTextAnchor::Left, number);
    }
  }
}

void DrawGrid(TCanvas& canvas, const QRect& area, const TQRUnitBase& m, const TGridLines& lines,
              const TRulerStyle& style) {
  DrawLines(canvas, area, m, TQRDirection::Horizontal, lines, style);
  DrawLines(canvas, area, m, TQRDirection::Vertical, lines, style);
}

}  // namespace

void PaintRulerGrid(TCanvas& canvas, const QRect& area, const TQRUnitBase& m, TQRUnit unit,
                    const TRulerStyle& style) {
  TFontSpec font;
  font.pointSize = style.fontSize * 72.0 / 96.0;
  font.color = 0xFF808080;
  canvas.SelectFont(font);
  const int zoom = m.Zoom();
  switch (unit) {
    case TQRUnit::Inches:
      if (zoom >= 50)
        DrawGrid(canvas, area, m, {63.5L, 0, kMinorColor, TPenStyle::psDot}, style);
      DrawGrid(canvas, area, m, {254, 1, kMajorColor, TPenStyle::psSolid}, style);
      break;
    case TQRUnit::Characters: {
      const long double across = m.FromUnitsAs(TQRUnit::Characters, 1, TQRDirection::Horizontal);
      const long double down = m.FromUnitsAs(TQRUnit::Characters, 1, TQRDirection::Vertical);
      DrawLines(canvas, area, m, TQRDirection::Horizontal, {across, 0, kMinorColor, TPenStyle::psDot},
                style);
      DrawLines(canvas, area, m, TQRDirection::Vertical, {down, 0, kMinorColor, TPenStyle::psDot},
                style);
      break;
    }
    case TQRUnit::MM:
    case TQRUnit::Pixels:
    case TQRUnit::Native:
      if (zoom >= 60) {
        // The 5 mm lines: every other one falls on a centimetre and is redrawn there.
        DrawGrid(canvas, area, m, {50, 0, kMinorColor, TPenStyle::psDot}, style);
        DrawGrid(canvas, area, m, {100, 1, kMajorColor, TPenStyle::psSolid}, style);
      } else {
        TRulerStyle plain = style;
        plain.numbers = false;
        DrawGrid(canvas, area, m, {100, 0, kMajorColor, TPenStyle::psSolid}, plain);
      }
      break;
  }
}
