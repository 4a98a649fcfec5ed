#pragma once
// A canvas over a QPainter that is already active on a screen widget, a
// QImage or a QPrinter. Coordinates are the painter's logical pixels; the
// calls keep GDI's meaning: right and bottom edges excluded, transparent
// text background, text anchored at its top, pen widths in pixels.

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <optional>

#include "Canvas.h"

class TQPainterCanvas : public TCanvas {
 public:
  // `pixelsPerInch` 0 takes the painter device's logical resolution.
  explicit TQPainterCanvas(QPainter& painter, int pixelsPerInch = 0);

  int PixelsPerInchX() const override { return ppiX_; }
  int PixelsPerInchY() const override { return ppiY_; }

  void SelectFont(const TFontSpec& font) override;
  double LineHeightPoints() override;
  QSize TextExtent(const QString& text) override;
  // Fractional advances, so that the widths of a line's words add up to the
  // width of the line (the text measurer caches words).
  QSizeF TextExtentF(const QString& text) override {
    const QFontMetricsF metrics(painter_.font(), painter_.device());
    return QSizeF(metrics.horizontalAdvance(text), LineHeightPoints() * ppiY_ / 72);
  }
  void TextOut(int x, int y, TTextAnchor anchor, const QString& text,
               bool rightToLeft = false) override;
  void SetPen(QRgb color, int width, TPenStyle style) override;
  void SetBrush(QRgb color, TBrushStyle style) override;
  void FillRect(const QRect& r) override;
  void Rectangle(const QRect& r) override;
  void Ellipse(const QRect& r) override;
  void FillPolygons(const std::vector<QPolygon>& polygons, TFillMode mode) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void IntersectClipRect(const QRect& r) override;
  void IntersectClipRegion(const QRegion& region) override;
  void RemoveClip() override;
  void StretchBitmap(const QRect& dest, const QImage& bits) override;
  void DrawGraphic(const QRect& dest, const TGraphic& graphic) override;

  QPainter& Painter() { return painter_; }

 private:
  void ApplyPen();
  QRectF OutlineRect(const QRect& r) const;

  QPainter& painter_;
  int ppiX_;
  int ppiY_;
  TFontSpec fontSpec_;
  std::optional<double> lineHeight_;  // points, of fontSpec_, once asked for
  QPen pen_;
  TPenStyle penStyle_ = TPenStyle::psSolid;
  int penWidth_ = 1;
  QBrush brush_;
  QPoint position_;
  // The painter's own clip when we were handed it: RemoveClip returns to it.
  std::optional<QRegion> baseClip_;
};
