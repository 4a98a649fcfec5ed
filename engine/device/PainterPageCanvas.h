#pragma once
// A plain canvas over the painter of a printer page: GDI's meaning for
// rectangles (right and bottom excluded), text anchored at its top with a
// transparent background, pen widths in device pixels.

#include <QPainter>

#include "Canvas.h"

class TPainterPageCanvas : public TCanvas {
 public:
  TPainterPageCanvas(QPainter& painter, int pixelsPerInch);

  int PixelsPerInchX() const override { return ppi_; }
  int PixelsPerInchY() const override { return ppi_; }
  void SelectFont(const TFontSpec& font) override;
  QSize TextExtent(const QString& text) override;
  void TextOut(int x, int y, TTextAnchor anchor, const QString& text,
               bool rightToLeft = false) override;
  void SetPen(QRgb color, int width, TPenStyle style) override;
  void SetBrush(QRgb color, TBrushStyle style) override;
  void FillRect(const QRect& r) override;
  void Rectangle(const QRect& r) override;
  void Ellipse(const QRect& r) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void IntersectClipRect(const QRect& r) override;
  void RemoveClip() override;
  void StretchBitmap(const QRect& dest, const QImage& bits) override;

 private:
  QRectF Outline(const QRect& r) const;

  QPainter& painter_;
  int ppi_;
  QPoint position_;
};
