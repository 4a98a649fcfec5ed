#pragma once
// The canvas of a scripted printer page: records every drawing call as one
// text line ("TextOut 10,20 Left \"ABC\"", "Rectangle 0,0,100,50", ...), and
// measures every character 10 pixels wide.

#include <QStringList>

#include "Canvas.h"

// How high a line of text is on the page: 16 device pixels whatever the
// font, which keeps the tests' arithmetic plain, or the selected font's own
// line height, as on a real printer.
enum class TPageLogLineHeight { Fixed16Pixels, FontsOwn };

class TPageLogCanvas : public TCanvas {
 public:
  explicit TPageLogCanvas(int pixelsPerInchX = 600, int pixelsPerInchY = 600,
                          TPageLogLineHeight lineHeight = TPageLogLineHeight::Fixed16Pixels)
      : ppiX_(pixelsPerInchX), ppiY_(pixelsPerInchY), lineHeight_(lineHeight) {}

  int PixelsPerInchX() const override { return ppiX_; }
  int PixelsPerInchY() const override { return ppiY_; }
  void SelectFont(const TFontSpec& font) override;
  double LineHeightPoints() override;
  QSize TextExtent(const QString& text) override;
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

  const QStringList& Log() const { return log_; }

 private:
  int ppiX_;
  int ppiY_;
  TPageLogLineHeight lineHeight_;
  TFontSpec font_;
  QStringList log_;
};
