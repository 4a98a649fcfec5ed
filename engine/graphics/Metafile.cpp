#include "Metafile.h"

#include <algorithm>
#include <cmath>

#include "EmfLayout.h"
#include "EmfPlaybackCache.h"
#include "EmfPlayer.h"
#include "EmfRecorder.h"
#include "Errors.h"
#include "QPainterCanvas.h"
#include "ReferenceCanvas.h"

namespace {

// Pixel size of a frame extent (0.01 mm) at the screen's resolution.
int FramePixels(std::int64_t hundredthsOfMm) {
  if (hundredthsOfMm <= 0) return 0;
  return int(std::min<std::int64_t>(
      std::llround(double(hundredthsOfMm) * ScreenPixelsPerInch() / 2540.0), 0x7FFFFFFF));
}

// Pixel extent of inclusive bounds; hostile bounds may span more than an int holds.
int BoundsPixels(std::int32_t first, std::int32_t last) {
  const std::int64_t extent = std::int64_t(last) - first + 1;
  return int(std::clamp<std::int64_t>(extent, 0, 0x7FFFFFFF));
}

}  // namespace

TMetafile::TMetafile() = default;

TMetafile TMetafile::FromBytes(const QByteArray& bytes) {
  auto layout = std::make_shared<emf::TEmfLayout>();
  if (!emf::ReadLayout(bytes, *layout)) throw EInvalidGraphic(MetafileNotValidMessage());
  TMetafile metafile;
  metafile.bytes_ = bytes;
  std::int64_t width = std::int64_t(layout->frame[2]) - layout->frame[0];
  std::int64_t height = std::int64_t(layout->frame[3]) - layout->frame[1];
  if (width > 0 && height > 0) {
    metafile.width_ = FramePixels(width);
    metafile.height_ = FramePixels(height);
  } else {
    // No usable frame: the drawing's own bounds, in reference pixels.
    metafile.width_ = BoundsPixels(layout->bounds[0], layout->bounds[2]);
    metafile.height_ = BoundsPixels(layout->bounds[1], layout->bounds[3]);
  }
  metafile.layout_ = std::move(layout);
  metafile.cache_ = std::make_shared<emf::TPlaybackCache>();
  return metafile;
}

void TMetafile::Draw(TCanvas& canvas, const QRect& dest) const {
  if (Empty()) return;
  if (auto* painterCanvas = dynamic_cast<TQPainterCanvas*>(&canvas)) {
    Play(painterCanvas->Painter(), QRectF(dest));
    return;
  }
  PlayEmfOnCanvas(bytes_, *layout_, canvas, dest, cache_.get());
}

void TMetafile::Play(QPainter& painter, const QRectF& dest) const {
  if (Empty()) return;
  PlayEmfOnPainter(bytes_, *layout_, painter, dest, cache_.get());
}

TMetafileCanvas::TMetafileCanvas(int widthPx, int heightPx)
    : recorder_(std::make_unique<TEmfRecorder>(widthPx, heightPx)) {}

TMetafileCanvas::~TMetafileCanvas() = default;

TMetafile TMetafileCanvas::Close() {
  if (recorder_->Finished())
    throw EInvalidGraphic(QStringLiteral("Metafile canvas already closed"));
  return TMetafile::FromBytes(recorder_->Finish());
}

int TMetafileCanvas::PixelsPerInchX() const { return recorder_->PixelsPerInch(); }
int TMetafileCanvas::PixelsPerInchY() const { return recorder_->PixelsPerInch(); }

// Calls after Close() are dropped: the metafile is complete.
#define PERMISO_RECORD(call)                     \
  do {                                           \
    if (!recorder_->Finished()) recorder_->call; \
  } while (false)

void TMetafileCanvas::SelectFont(const TFontSpec& font) { PERMISO_RECORD(SelectFont(font)); }
double TMetafileCanvas::LineHeightPoints() { return recorder_->LineHeightPoints(); }
QSize TMetafileCanvas::TextExtent(const QString& text) { return recorder_->TextExtent(text); }
void TMetafileCanvas::TextOut(int x, int y, TTextAnchor anchor, const QString& text,
                              bool rightToLeft) {
  PERMISO_RECORD(TextOut(x, y, anchor, text, rightToLeft));
}
void TMetafileCanvas::SetPen(QRgb color, int width, TPenStyle style) {
  PERMISO_RECORD(SetPen(color, width, style));
}
void TMetafileCanvas::SetBrush(QRgb color, TBrushStyle style) {
  PERMISO_RECORD(SetBrush(color, style));
}
void TMetafileCanvas::FillRect(const QRect& r) { PERMISO_RECORD(FillRect(r)); }
void TMetafileCanvas::Rectangle(const QRect& r) { PERMISO_RECORD(Rectangle(r)); }
void TMetafileCanvas::Ellipse(const QRect& r) { PERMISO_RECORD(Ellipse(r)); }
void TMetafileCanvas::FillPolygons(const std::vector<QPolygon>& polygons, TFillMode mode) {
  PERMISO_RECORD(FillPolygons(polygons, mode));
}
void TMetafileCanvas::MoveTo(int x, int y) { PERMISO_RECORD(MoveTo(x, y)); }
void TMetafileCanvas::LineTo(int x, int y) { PERMISO_RECORD(LineTo(x, y)); }
void TMetafileCanvas::IntersectClipRect(const QRect& r) { PERMISO_RECORD(IntersectClipRect(r)); }
void TMetafileCanvas::IntersectClipRegion(const QRegion& region) {
  PERMISO_RECORD(IntersectClipRegion(region));
}
void TMetafileCanvas::RemoveClip() { PERMISO_RECORD(RemoveClip()); }
void TMetafileCanvas::StretchBitmap(const QRect& dest, const QImage& bits) {
  PERMISO_RECORD(StretchBitmap(dest, bits));
}

#undef PERMISO_RECORD
