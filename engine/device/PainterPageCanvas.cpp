#include "PainterPageCanvas.h"

#include <QFontMetrics>

#include <cmath>

TPainterPageCanvas::TPainterPageCanvas(QPainter& painter, int pixelsPerInch)
    : painter_(painter), ppi_(pixelsPerInch) {
  painter_.setBackgroundMode(Qt::TransparentMode);
  painter_.setPen(QPen(Qt::black, 1));
  painter_.setBrush(Qt::white);
}

void TPainterPageCanvas::SelectFont(const TFontSpec& font) {
  QFont f(font.face);
  // Pixel height from the point size at this device's resolution.
  f.setPixelSize(std::max(1, int(std::lround(font.pointSize * ppi_ / 72.0))));
  f.setBold(font.style.bold);
  f.setItalic(font.style.italic);
  f.setUnderline(font.style.underline);
  f.setStrikeOut(font.style.strikeOut);
  painter_.setFont(f);
  QPen pen = painter_.pen();
  pen.setColor(QColor::fromRgb(font.color));
  painter_.setPen(pen);
}

QSize TPainterPageCanvas::TextExtent(const QString& text) {
  QFontMetrics m(painter_.font(), painter_.device());
  return {m.horizontalAdvance(text), m.height()};
}

void TPainterPageCanvas::TextOut(int x, int y, TTextAnchor anchor, const QString& text,
                                 bool rightToLeft) {
  QFontMetrics m(painter_.font(), painter_.device());
  const int width = m.horizontalAdvance(text);
  int left = x;
  if (anchor == TTextAnchor::Right) left = x - width;
  if (anchor == TTextAnchor::Center) left = x - width / 2;
  painter_.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
  painter_.drawText(QPoint(left, y + m.ascent()), text);
}

void TPainterPageCanvas::SetPen(QRgb color, int width, TPenStyle style) {
  QPen pen(QColor::fromRgb(color), std::max(1, width));
  switch (style) {
    case TPenStyle::psDash: pen.setStyle(Qt::DashLine); break;
    case TPenStyle::psDot: pen.setStyle(Qt::DotLine); break;
    case TPenStyle::psDashDot: pen.setStyle(Qt::DashDotLine); break;
    case TPenStyle::psDashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
    case TPenStyle::psClear: pen.setStyle(Qt::NoPen); break;
    default: pen.setStyle(Qt::SolidLine); break;
  }
  painter_.setPen(pen);
}

void TPainterPageCanvas::SetBrush(QRgb color, TBrushStyle style) {
  painter_.setBrush(style == TBrushStyle::bsClear ? QBrush(Qt::NoBrush)
                                                  : QBrush(QColor::fromRgb(color)));
}

QRectF TPainterPageCanvas::Outline(const QRect& r) const {
  // GDI draws inside [left, right) x [top, bottom).
  return QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 1, r.height() - 1);
}

void TPainterPageCanvas::FillRect(const QRect& r) { painter_.fillRect(r, painter_.brush()); }
void TPainterPageCanvas::Rectangle(const QRect& r) { painter_.drawRect(Outline(r)); }
void TPainterPageCanvas::Ellipse(const QRect& r) { painter_.drawEllipse(Outline(r)); }
void TPainterPageCanvas::MoveTo(int x, int y) { position_ = {x, y}; }

void TPainterPageCanvas::LineTo(int x, int y) {
  painter_.drawLine(position_, QPoint(x, y));
  position_ = {x, y};
}

void TPainterPageCanvas::IntersectClipRect(const QRect& r) {
  painter_.setClipRect(r, painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TPainterPageCanvas::RemoveClip() { painter_.setClipping(false); }

void TPainterPageCanvas::StretchBitmap(const QRect& dest, const QImage& bits) {
  painter_.save();
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter_.drawImage(dest, bits);
  painter_.restore();
}
