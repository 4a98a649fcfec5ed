#include "QPainterCanvas.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainterPath>
#include <algorithm>

#include "FontHeight.h"
#include "GdiPen.h"
#include "Metafile.h"

TQPainterCanvas::TQPainterCanvas(QPainter& painter, int pixelsPerInch)
    : painter_(painter),
      ppiX_(pixelsPerInch > 0 ? pixelsPerInch : painter.device()->logicalDpiX()),
      ppiY_(pixelsPerInch > 0 ? pixelsPerInch : painter.device()->logicalDpiY()),
      brush_(Qt::white) {
  if (painter_.hasClipping()) baseClip_ = painter_.clipRegion();
  painter_.setBackgroundMode(Qt::TransparentMode);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
  SelectFont(fontSpec_);
  SetPen(0xFF000000, 1, TPenStyle::psSolid);
}

void TQPainterCanvas::SelectFont(const TFontSpec& font) {
  fontSpec_ = font;
  lineHeight_.reset();
  painter_.setFont(MakeQFont(font, FontPixelHeight(font.pointSize, ppiY_)));
}

double TQPainterCanvas::LineHeightPoints() {
  if (!lineHeight_) lineHeight_ = FontLineHeightPoints(fontSpec_);
  return *lineHeight_;
}

QSize TQPainterCanvas::TextExtent(const QString& text) {
  const QFontMetrics metrics = painter_.fontMetrics();
  return QSize(metrics.horizontalAdvance(text), LineHeightPixels(LineHeightPoints(), ppiY_));
}

void TQPainterCanvas::TextOut(int x, int y, TTextAnchor anchor, const QString& text,
                              bool rightToLeft) {
  const QFontMetrics metrics = painter_.fontMetrics();
  int left = x;
  if (anchor != TTextAnchor::Left) {
    const int width = metrics.horizontalAdvance(text);
    left = anchor == TTextAnchor::Right ? x - width : x - width / 2;
  }
  painter_.save();
  painter_.setPen(QColor::fromRgb(fontSpec_.color));
  painter_.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
  painter_.drawText(QPointF(left, y + metrics.ascent()), text);
  painter_.restore();
}

void TQPainterCanvas::SetPen(QRgb color, int width, TPenStyle style) {
  penStyle_ = style;
  penWidth_ = std::max(1, width);
  pen_ = MakeGdiPen(color, penWidth_, style);
}

void TQPainterCanvas::SetBrush(QRgb color, TBrushStyle style) {
  brush_ = style == TBrushStyle::bsSolid ? QBrush(QColor::fromRgb(color)) : QBrush(Qt::NoBrush);
}

void TQPainterCanvas::FillRect(const QRect& r) {
  if (brush_.style() != Qt::NoBrush && !r.isEmpty()) painter_.fillRect(r, brush_);
}

// The pen's centre line for a shape whose pixels are r (right/bottom
// excluded): through the centres of the border pixels, or for an inside-frame
// pen moved in so that the whole pen stays inside r.
QRectF TQPainterCanvas::OutlineRect(const QRect& r) const {
  const double inset = penStyle_ == TPenStyle::psInsideFrame ? penWidth_ / 2.0 : 0.5;
  return QRectF(r.left() + inset, r.top() + inset, r.width() - 2 * inset, r.height() - 2 * inset);
}

// GDI fills a shape drawn without a pen one pixel smaller.
static QRect FillRect(const QRect& r, bool hasPen) { return hasPen ? r : r.adjusted(0, 0, -1, -1); }

void TQPainterCanvas::Rectangle(const QRect& r) {
  if (r.isEmpty()) return;
  const bool hasPen = pen_.style() != Qt::NoPen;
  if (brush_.style() != Qt::NoBrush) painter_.fillRect(::FillRect(r, hasPen), brush_);
  if (!hasPen) return;
  painter_.setPen(pen_);
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(OutlineRect(r));
}

void TQPainterCanvas::Ellipse(const QRect& r) {
  if (r.isEmpty()) return;
  const bool hasPen = pen_.style() != Qt::NoPen;
  painter_.setPen(pen_);
  painter_.setBrush(brush_);
  if (hasPen)
    painter_.drawEllipse(OutlineRect(r));
  else
    painter_.drawEllipse(QRectF(::FillRect(r, false)));
}

void TQPainterCanvas::FillPolygons(const std::vector<QPolygon>& polygons, TFillMode mode) {
  if (brush_.style() == Qt::NoBrush) return;
  QPainterPath path;
  path.setFillRule(mode == TFillMode::fmWinding ? Qt::WindingFill : Qt::OddEvenFill);
  for (const QPolygon& polygon : polygons) {
    if (polygon.size() < 3) continue;
    path.addPolygon(QPolygonF(polygon));
    path.closeSubpath();
  }
  if (!path.isEmpty()) painter_.fillPath(path, brush_);
}

void TQPainterCanvas::MoveTo(int x, int y) { position_ = QPoint(x, y); }

void TQPainterCanvas::LineTo(int x, int y) {
  const QPoint to(x, y);
  if (pen_.style() != Qt::NoPen) {
    painter_.setPen(pen_);
    if (pen_.isCosmetic()) {
      const QLineF line = GdiThinLine(QPointF(position_), QPointF(to));
      if (!line.isNull()) painter_.drawLine(line);
    } else {
      // A wide pen is centred on the pixels' centres, ends included.
      painter_.drawLine(QPointF(position_) + QPointF(0.5, 0.5), QPointF(to) + QPointF(0.5, 0.5));
    }
  }
  position_ = to;
}

void TQPainterCanvas::IntersectClipRect(const QRect& r) {
  if (painter_.hasClipping())
    painter_.setClipRect(r, Qt::IntersectClip);
  else
    painter_.setClipRect(r, Qt::ReplaceClip);
}

void TQPainterCanvas::IntersectClipRegion(const QRegion& region) {
  painter_.setClipRegion(region, painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TQPainterCanvas::RemoveClip() {
  if (baseClip_)
    painter_.setClipRegion(*baseClip_, Qt::ReplaceClip);
  else
    painter_.setClipping(false);
}

void TQPainterCanvas::StretchBitmap(const QRect& dest, const QImage& bits) {
  if (dest.isEmpty() || bits.isNull()) return;
  painter_.save();
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter_.drawImage(dest, bits);
  painter_.restore();
}

void TQPainterCanvas::DrawGraphic(const QRect& dest, const TGraphic& graphic) {
  // A metafile plays straight onto the painter, keeping its text advances.
  if (const auto* metafile = dynamic_cast<const TMetafile*>(&graphic)) {
    metafile->Play(painter_, QRectF(dest));
    return;
  }
  graphic.Draw(*this, dest);
}
