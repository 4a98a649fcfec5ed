#pragma once
// Enhanced metafiles: the page image of the report engine. A TMetafileCanvas
// records drawing calls as real EMF records against the screen as reference
// device; Close() completes them into a TMetafile, which serialises to the
// EMF bytes, loads from them (validating every record), and replays
// stretched into any rectangle of any canvas or QPainter.

#include <QByteArray>
#include <QPainter>
#include <QRect>
#include <QRectF>
#include <memory>

#include "Canvas.h"

class TEmfRecorder;
namespace emf {
struct TEmfLayout;
struct TPlaybackCache;
}  // namespace emf

class TMetafile : public TGraphic {
 public:
  TMetafile();  // empty: no bytes, size 0 x 0, draws nothing
  // Throws EInvalidGraphic("Metafile is not valid") for bytes that are not a
  // sound EMF file.
  static TMetafile FromBytes(const QByteArray& bytes);
  QByteArray ToBytes() const { return bytes_; }

  // Pixel size of the picture frame at the screen's resolution.
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Empty() const override { return bytes_.isEmpty(); }

  // Plays the records stretched so that the picture frame fills `dest`.
  void Draw(TCanvas& canvas, const QRect& dest) const override;
  void Play(QPainter& painter, const QRectF& dest) const;

  // The checked outline of the bytes: where each record lies.
  const emf::TEmfLayout& Layout() const { return *layout_; }

 private:
  QByteArray bytes_;
  std::shared_ptr<const emf::TEmfLayout> layout_;
  // Bitmaps and fonts of earlier replays, within their budgets; shared by
  // copies, like the bytes, and freed with the last of them.
  std::shared_ptr<emf::TPlaybackCache> cache_;
  int width_ = 0;
  int height_ = 0;
};

class TMetafileCanvas : public TCanvas {
 public:
  // A picture of widthPx x heightPx screen pixels.
  TMetafileCanvas(int widthPx, int heightPx);
  ~TMetafileCanvas() override;
  TMetafileCanvas(const TMetafileCanvas&) = delete;
  TMetafileCanvas& operator=(const TMetafileCanvas&) = delete;

  // Completes the recording; the canvas records nothing more afterwards.
  TMetafile Close();

  int PixelsPerInchX() const override;
  int PixelsPerInchY() const override;
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

 private:
  std::unique_ptr<TEmfRecorder> recorder_;
};
