#pragma once
// The canvas of a print job's page: writes PDF operators into the open page
// of a TPdfDocument, in device pixels of the job's resolution from the
// printable area's corner, with GDI's meaning for every call (right and
// bottom edges excluded, transparent text anchored at its top, pen widths in
// device pixels, bitmaps copied without smoothing).

#include <QPoint>
#include <QRawFont>

#include "Canvas.h"
#include "PdfDocument.h"

class TPdfPageCanvas : public TCanvas {
 public:
  TPdfPageCanvas(TPdfDocument& document, int pixelsPerInch);

  int PixelsPerInchX() const override { return ppi_; }
  int PixelsPerInchY() const override { return ppi_; }
  void SelectFont(const TFontSpec& font) override;
  double LineHeightPoints() override { return lineHeight_; }
  QSize TextExtent(const QString& text) override;
  QSizeF TextExtentF(const QString& text) override;
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

 private:
  QByteArray& Out() { return document_.Content(); }
  void UseFill(QRgb color);
  void UseStroke();
  void EllipsePath(const QRectF& box);
  // Advances of each character at the selected size, device pixels.
  QList<QPointF> Advances(const QString& text, QList<quint32>* glyphs = nullptr);

  TPdfDocument& document_;
  int ppi_;
  TFontSpec font_;
  double fontPixels_ = 13;
  double lineHeight_ = 0;  // points, of font_
  QRawFont raw_;  // the selected font at its pixel size
  QRgb penColor_ = 0xFF000000;
  int penWidth_ = 1;
  TPenStyle penStyle_ = TPenStyle::psSolid;
  QRgb brushColor_ = 0xFFFFFFFF;
  TBrushStyle brushStyle_ = TBrushStyle::bsSolid;
  QPoint position_;
  int clipLevels_ = 0;
  // What the page's graphics state holds; a restore (removing the clip)
  // forgets it.
  bool fillKnown_ = false;
  QRgb fillColor_ = 0;
  bool strokeKnown_ = false;
};
