#include "PageLogCanvas.h"

#include "FontHeight.h"

namespace {
QString RectText(const QRect& r) {
  return QStringLiteral("%1,%2,%3,%4").arg(r.left()).arg(r.top()).arg(r.right() + 1).arg(r.bottom() + 1);
}
QString Hex(QRgb c) { return QStringLiteral("#%1").arg(c & 0xFFFFFF, 6, 16, QLatin1Char('0')); }
const char* AnchorName(TTextAnchor a) {
  return a == TTextAnchor::Left ? "Left" : a == TTextAnchor::Right ? "Right" : "Center";
}
}  // namespace

void TPageLogCanvas::SelectFont(const TFontSpec& font) {
  font_ = font;
  log_ << QStringLiteral("SelectFont \"%1\" %2pt %3").arg(font.face).arg(font.pointSize).arg(Hex(font.color));
}

double TPageLogCanvas::LineHeightPoints() {
  if (lineHeight_ == TPageLogLineHeight::FontsOwn) return FontLineHeightPoints(font_);
  return 16 * 72.0 / ppiY_;
}

QSize TPageLogCanvas::TextExtent(const QString& text) {
  return {10 * int(text.size()), LineHeightPixels(LineHeightPoints(), ppiY_)};
}

void TPageLogCanvas::TextOut(int x, int y, TTextAnchor anchor, const QString& text, bool rightToLeft) {
  log_ << QStringLiteral("TextOut %1,%2 %3 \"%4\"%5")
              .arg(x).arg(y).arg(QLatin1String(AnchorName(anchor)), text,
                                 rightToLeft ? QStringLiteral(" rtl") : QString());
}

void TPageLogCanvas::SetPen(QRgb color, int width, TPenStyle style) {
  log_ << QStringLiteral("SetPen %1 %2 %3").arg(Hex(color)).arg(width).arg(int(style));
}

void TPageLogCanvas::SetBrush(QRgb color, TBrushStyle style) {
  log_ << QStringLiteral("SetBrush %1 %2").arg(Hex(color)).arg(int(style));
}

void TPageLogCanvas::FillRect(const QRect& r) { log_ << QStringLiteral("FillRect ") + RectText(r); }
void TPageLogCanvas::Rectangle(const QRect& r) { log_ << QStringLiteral("Rectangle ") + RectText(r); }
void TPageLogCanvas::Ellipse(const QRect& r) { log_ << QStringLiteral("Ellipse ") + RectText(r); }
void TPageLogCanvas::FillPolygons(const std::vector<QPolygon>& polygons, TFillMode mode) {
  int points = 0;
  for (const QPolygon& polygon : polygons) points += int(polygon.size());
  log_ << QStringLiteral("FillPolygons %1 %2 polygons %3 points")
              .arg(mode == TFillMode::fmWinding ? QStringLiteral("winding")
                                                : QStringLiteral("alternate"))
              .arg(polygons.size())
              .arg(points);
}
void TPageLogCanvas::MoveTo(int x, int y) { log_ << QStringLiteral("MoveTo %1,%2").arg(x).arg(y); }
void TPageLogCanvas::LineTo(int x, int y) { log_ << QStringLiteral("LineTo %1,%2").arg(x).arg(y); }
void TPageLogCanvas::IntersectClipRegion(const QRegion& region) {
  log_ << QStringLiteral("IntersectClipRegion %1 rectangles in ").arg(region.rectCount()) +
              RectText(region.boundingRect());
}

void TPageLogCanvas::IntersectClipRect(const QRect& r) {
  log_ << QStringLiteral("IntersectClipRect ") + RectText(r);
}
void TPageLogCanvas::RemoveClip() { log_ << QStringLiteral("RemoveClip"); }
void TPageLogCanvas::StretchBitmap(const QRect& dest, const QImage& bits) {
  log_ << QStringLiteral("StretchBitmap %1 %2x%3").arg(RectText(dest)).arg(bits.width()).arg(bits.height());
}
