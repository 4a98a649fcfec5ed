#pragma once
// A canvas that hands every call to another one. A metafile drawn on a
// TQPainterCanvas plays straight onto its painter; drawn through this
// wrapper it plays through the canvas calls instead, as on a printer page,
// while the pixels still land on an image that a test can look at.

#include "Canvas.h"

class TForwardingCanvas : public TCanvas {
 public:
  explicit TForwardingCanvas(TCanvas& target) : target_(target) {}

  int PixelsPerInchX() const override { return target_.PixelsPerInchX(); }
  int PixelsPerInchY() const override { return target_.PixelsPerInchY(); }
  void SelectFont(const TFontSpec& font) override { target_.SelectFont(font); }
  double LineHeightPoints() override { return target_.LineHeightPoints(); }
  QSize TextExtent(const QString& text) override { return target_.TextExtent(text); }
  QSizeF TextExtentF(const QString& text) override { return target_.TextExtentF(text); }
  void TextOut(int x, int y, TTextAnchor anchor, const QString& text,
               bool rightToLeft = false) override {
    target_.TextOut(x, y, anchor, text, rightToLeft);
  }
  void SetPen(QRgb color, int width, TPenStyle style) override {
    target_.SetPen(color, width, style);
  }
  void SetBrush(QRgb color, TBrushStyle style) override { target_.SetBrush(color, style); }
  void FillRect(const QRect& r) override { target_.FillRect(r); }
  void Rectangle(const QRect& r) override { target_.Rectangle(r); }
  void Ellipse(const QRect& r) override { target_.Ellipse(r); }
  void FillPolygons(const std::vector<QPolygon>& polygons, TFillMode mode) override {
    target_.FillPolygons(polygons, mode);
  }
  void MoveTo(int x, int y) override { target_.MoveTo(x, y); }
  void LineTo(int x, int y) override { target_.LineTo(x, y); }
  void IntersectClipRect(const QRect& r) override { target_.IntersectClipRect(r); }
  void IntersectClipRegion(const QRegion& region) override {
    target_.IntersectClipRegion(region);
  }
  void RemoveClip() override { target_.RemoveClip(); }
  void StretchBitmap(const QRect& dest, const QImage& bits) override {
    target_.StretchBitmap(dest, bits);
  }

 private:
  TCanvas& target_;
};
