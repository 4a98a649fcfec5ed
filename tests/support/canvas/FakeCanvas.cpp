#include "FakeCanvas.h"

namespace {

QString Quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

QString FormatText(QImage::Format format) {
  switch (format) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
      return QStringLiteral("mono");
    case QImage::Format_RGB888:
      return QStringLiteral("rgb24");
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
      return QStringLiteral("rgb32");
    default:
      return QStringLiteral("format%1").arg(int(format));
  }
}

}  // namespace

TFakeCanvas::TFakeCanvas(int pixelsPerInch, int textHeight)
    : ppiX_(pixelsPerInch), ppiY_(pixelsPerInch), textHeight_(textHeight) {}

QString TFakeCanvas::RectText(const QRect& r) {
  return QStringLiteral("%1,%2,%3,%4")
      .arg(r.left())
      .arg(r.top())
      .arg(r.left() + r.width())
      .arg(r.top() + r.height());
}

QString TFakeCanvas::ColorText(QRgb color) {
  return QStringLiteral("#%1").arg(color & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
}

QString TFakeCanvas::FontText(const TFontSpec& font) {
  QString text = Quoted(font.face) + QLatin1Char(' ') + QString::number(font.pointSize) +
                 QStringLiteral("pt");
  if (font.style.bold) text += QStringLiteral(" bold");
  if (font.style.italic) text += QStringLiteral(" italic");
  if (font.style.underline) text += QStringLiteral(" underline");
  if (font.style.strikeOut) text += QStringLiteral(" strikeout");
  return text + QLatin1Char(' ') + ColorText(font.color) +
         QStringLiteral(" charset=%1").arg(font.charset);
}

QString TFakeCanvas::AnchorText(TTextAnchor anchor) {
  switch (anchor) {
    case TTextAnchor::Left: return QStringLiteral("Left");
    case TTextAnchor::Right: return QStringLiteral("Right");
    case TTextAnchor::Center: return QStringLiteral("Center");
  }
  return QString();
}

QString TFakeCanvas::PenStyleText(TPenStyle style) {
  static const char* const kNames[] = {"psSolid", "psDash",  "psDot",        "psDashDot",
                                       "psDashDotDot", "psClear", "psInsideFrame"};
  return QString::fromLatin1(kNames[int(style)]);
}

QString TFakeCanvas::BrushStyleText(TBrushStyle style) {
  return style == TBrushStyle::bsSolid ? QStringLiteral("bsSolid") : QStringLiteral("bsClear");
}

quint32 TFakeCanvas::PixelHash(const QImage& image) {
  // FNV-1a over each pixel's red, green, blue.
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  quint32 hash = 2166136261u;
  for (int y = 0; y < rgb.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
      const quint32 value = line[x] & 0xFFFFFF;
      for (int shift = 0; shift < 24; shift += 8) {
        hash ^= (value >> shift) & 0xFF;
        hash *= 16777619u;
      }
    }
  }
  return hash;
}

void TFakeCanvas::SelectFont(const TFontSpec& font) {
  font_ = font;
  Add(QStringLiteral("SelectFont ") + FontText(font));
}

QSize TFakeCanvas::TextExtent(const QString& text) {
  Add(QStringLiteral("TextExtent ") + Quoted(text));
  return QSize(10 * int(text.size()), textHeight_);
}

void TFakeCanvas::TextOut(int x, int y, TTextAnchor anchor, const QString& text,
                          bool rightToLeft) {
  Add(QStringLiteral("TextOut %1,%2 %3 %4%5")
          .arg(x)
          .arg(y)
          .arg(AnchorText(anchor), Quoted(text),
               rightToLeft ? QStringLiteral(" rtl") : QString()));
}

void TFakeCanvas::SetPen(QRgb color, int width, TPenStyle style) {
  Add(QStringLiteral("SetPen %1 %2 %3").arg(ColorText(color)).arg(width).arg(PenStyleText(style)));
}

void TFakeCanvas::SetBrush(QRgb color, TBrushStyle style) {
  Add(QStringLiteral("SetBrush %1 %2").arg(ColorText(color), BrushStyleText(style)));
}

void TFakeCanvas::FillRect(const QRect& r) { Add(QStringLiteral("FillRect ") + RectText(r)); }

void TFakeCanvas::Rectangle(const QRect& r) { Add(QStringLiteral("Rectangle ") + RectText(r)); }

void TFakeCanvas::Ellipse(const QRect& r) { Add(QStringLiteral("Ellipse ") + RectText(r)); }

void TFakeCanvas::FillPolygons(const std::vector<QPolygon>& polygons, TFillMode mode) {
  Add(QStringLiteral("FillPolygons ") + PolygonsText(polygons, mode));
}

QString TFakeCanvas::PolygonsText(const std::vector<QPolygon>& polygons, TFillMode mode) {
  QStringList parts;
  for (const QPolygon& polygon : polygons) {
    QStringList points;
    for (const QPoint& p : polygon) points << QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
    parts << points.join(QLatin1Char(' '));
  }
  return (mode == TFillMode::fmWinding ? QStringLiteral("winding ") : QStringLiteral("alternate ")) +
         parts.join(QStringLiteral(" | "));
}

void TFakeCanvas::MoveTo(int x, int y) { Add(QStringLiteral("MoveTo %1,%2").arg(x).arg(y)); }

void TFakeCanvas::LineTo(int x, int y) { Add(QStringLiteral("LineTo %1,%2").arg(x).arg(y)); }

void TFakeCanvas::IntersectClipRegion(const QRegion& region) {
  QStringList rects;
  for (const QRect& r : region) rects << RectText(r);
  Add(QStringLiteral("IntersectClipRegion ") + rects.join(QLatin1Char(' ')));
}

void TFakeCanvas::IntersectClipRect(const QRect& r) {
  Add(QStringLiteral("IntersectClipRect ") + RectText(r));
}

void TFakeCanvas::RemoveClip() { Add(QStringLiteral("RemoveClip")); }

void TFakeCanvas::StretchBitmap(const QRect& dest, const QImage& bits) {
  Add(QStringLiteral("StretchBitmap %1 %2x%3 %4 #%5")
          .arg(RectText(dest))
          .arg(bits.width())
          .arg(bits.height())
          .arg(FormatText(bits.format()))
          .arg(PixelHash(bits), 8, 16, QLatin1Char('0')));
}

QStringList TFakeCanvas::DrawingLog() const {
  QStringList lines;
  for (const QString& line : log_)
    if (!line.startsWith(QLatin1String("TextExtent "))) lines.append(line);
  return lines;
}

QStringList TFakeCanvas::Calls(const QString& verb) const {
  QStringList lines;
  for (const QString& line : log_)
    if (line == verb || line.startsWith(verb + QLatin1Char(' '))) lines.append(line);
  return lines;
}
