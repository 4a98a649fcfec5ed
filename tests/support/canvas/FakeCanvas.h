#pragma once
// A canvas for tests: every character measures 10 pixels wide, the text
// height is settable (and is the line height: 16 pixels at 96 dpi are 12
// points), and every call is logged as one text line, e.g.
//   SelectFont "Arial" 10pt bold #000000 charset=1
//   TextExtent "ABC"
//   TextOut 10,20 Left "ABC"            (" rtl" appended for right-to-left)
//   SetPen #000000 1 psSolid
//   SetBrush #FFFFFF bsSolid
//   FillRect 0,0,100,50                 (left,top,right,bottom; right/bottom excluded)
//   Rectangle 0,0,100,50
//   Ellipse 0,0,100,50
//   FillPolygons alternate 0,0 10,0 10,10 | 2,2 4,2 4,4   (each polygon's vertices)
//   MoveTo 5,5
//   LineTo 50,5
//   IntersectClipRect 0,0,100,50
//   IntersectClipRegion 0,0,100,10 0,40,100,50         (the region's rectangles)
//   RemoveClip
//   StretchBitmap 0,0,100,50 8x4 rgb24 #1a2b3c4d  (source size, format, pixel hash)
// Font style words appear only when set: bold italic underline strikeout.

#include <QStringList>

#include "Canvas.h"

class TFakeCanvas : public TCanvas {
 public:
  explicit TFakeCanvas(int pixelsPerInch = 96, int textHeight = 16);

  int PixelsPerInchX() const override { return ppiX_; }
  int PixelsPerInchY() const override { return ppiY_; }
  void SetPixelsPerInch(int x, int y) { ppiX_ = x; ppiY_ = y; }
  void SetTextHeight(int height) { textHeight_ = height; }

  void SelectFont(const TFontSpec& font) override;
  double LineHeightPoints() override { return textHeight_ * 72.0 / ppiY_; }
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

  // Every call in order.
  const QStringList& Log() const { return log_; }
  // The calls that draw or change drawing state: the log without TextExtent.
  QStringList DrawingLog() const;
  // Log lines starting with `verb` (e.g. "TextOut").
  QStringList Calls(const QString& verb) const;
  void ClearLog() { log_.clear(); }

  const TFontSpec& Font() const { return font_; }

  // Text forms used in the log, for building expected lines.
  static QString RectText(const QRect& r);
  static QString ColorText(QRgb color);
  static QString FontText(const TFontSpec& font);
  static QString AnchorText(TTextAnchor anchor);
  static QString PenStyleText(TPenStyle style);
  static QString BrushStyleText(TBrushStyle style);
  static QString PolygonsText(const std::vector<QPolygon>& polygons, TFillMode mode);
  // Hash of the pixels' colours, the same whatever the image format.
  static quint32 PixelHash(const QImage& image);

 private:
  void Add(const QString& line) { log_.append(line); }

  int ppiX_;
  int ppiY_;
  int textHeight_;
  TFontSpec font_;
  QStringList log_;
};
