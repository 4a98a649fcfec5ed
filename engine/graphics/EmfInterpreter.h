#pragma once
// Walks the checked records of an EMF file, keeps the device-context state
// that GDI keeps while playing (objects, mapping, text settings, current
// position, clip, save levels, path brackets) and hands each drawing to a
// target in record (logical) coordinates. A target maps them through Full().

#include <QByteArray>
#include <QImage>
#include <QPainterPath>
#include <QPolygonF>
#include <memory>
#include <unordered_map>
#include <vector>

#include "EmfBytes.h"
#include "EmfLayout.h"
#include "EmfPath.h"
#include "EmfPlaybackCache.h"
#include "EmfPlayerState.h"

namespace emf {

struct TTextRun {
  QPointF reference;        // logical
  std::uint32_t align = 0;  // TA_* in force
  QString text;
  std::vector<double> dx;     // advance of each character, logical units
  std::vector<double> dy;     // with ETO_PDY, else empty
  std::uint32_t options = 0;  // ETO_*
  QRectF rect;                // ETO rectangle, normalised; null if none
};

class TEmfInterpreter {
 public:
  // `fit` maps reference-device pixels to target coordinates. `cache` (may
  // be null: then one lives as long as this player) keeps bitmaps and fonts
  // for later replays of the same metafile.
  TEmfInterpreter(const QByteArray& bytes, const TEmfLayout& layout, const QTransform& fit,
                  TPlaybackCache* cache);
  virtual ~TEmfInterpreter() = default;

  void Run();

  // The frame-to-rectangle mapping of PlayEnhMetaFile.
  static QTransform FitTransform(const TEmfLayout& layout, const QRectF& dest);
  // The picture in reference-device pixels: the frame, or the drawing's
  // bounds when the frame is missing or misses most of the drawing.
  static QRectF PictureRect(const TEmfLayout& layout);
  // The part of `image` a blit copies from `src` to `dest`, mirrored where
  // the signs of the two extents differ; null when nothing is drawn.
  static QImage BlitSource(const QImage& image, const QRectF& src, const QRectF& dest);

 protected:
  const TDcState& State() const { return state_; }
  TEmfFontCache& Fonts() { return cache_->fonts; }
  // Logical -> target coordinates.
  const QTransform& Full();
  // Logical -> reference-device pixels: where a drawing lies on the page at
  // its recorded size.
  QTransform ToReference() const { return state_.world * Page(); }
  // Reference-device pixels -> target coordinates.
  const QTransform& Fit() const { return fit_; }
  // Reference device resolution, pixels per inch (vertical).
  double ReferencePpiY() const;
  // False for shapes that land absurdly far away (corrupt coordinates).
  bool Reasonable(const QRectF& logical);

  // Changes whenever Full() may have changed.
  unsigned MappingSerial() const { return mappingSerial_; }

  virtual void MovedTo(const QPointF& point) { (void)point; }
  virtual void PenSelected() {}
  virtual void BrushSelected() {}
  virtual void FontSelected() {}
  virtual void TextColorChanged() {}
  virtual void ClipIntersected(const QRectF& logicalRect) {
    (void)logicalRect;
    ClipReplaced();
  }
  virtual void ClipRemoved() { ClipReplaced(); }
  virtual void ClipReplaced() {}

  // Boxes are inclusive (l, t, r, b) as records store them.
  virtual void Rectangle(const QRectF& box) = 0;
  virtual void RoundRect(const QRectF& box, const QSizeF& corner) {
    (void)corner;
    Rectangle(box);
  }
  virtual void Ellipse(const QRectF& box) = 0;
  virtual void Line(const QPointF& from, const QPointF& to) = 0;
  virtual void Polyline(const QPolygonF& points) = 0;
  virtual void Polygons(const std::vector<QPolygonF>& polygons) = 0;
  virtual void StrokePath(const QPainterPath& path, bool stroke, bool fill) = 0;
  // A blit without a source: rect is GDI style (right/bottom excluded).
  virtual void PatternBlit(const QRectF& rect, std::uint32_t rop) = 0;
  // dest is (x, y, cx, cy) in logical units, src in bitmap pixels from the top.
  virtual void Bitmap(const QRectF& dest, const QImage& image, const QRectF& src,
                      std::uint32_t rop) = 0;
  virtual void Text(const TTextRun& run) = 0;

 private:
  void Play(const TRecordSpan& span);
  void PlayState(std::uint32_t type, const TByteView& r);
  void PlayObject(std::uint32_t type, const TByteView& r);
  void PlayClip(std::uint32_t type, const TByteView& r);
  void PlayDrawing(std::uint32_t type, const TByteView& r);
  void PlayPoly(std::uint32_t type, const TByteView& r);
  void AddToPath(std::uint32_t type, const std::vector<QPolygonF>& shapes);
  // The whole path, by the fill mode in force.
  QPainterPath PathFigures() const { return path_.Figures(state_.polyFillMode == 2); }
  TEmfPath::TTurn Turn() const {
    return state_.arcDirection == 2 ? TEmfPath::TTurn::Clockwise
                                    : TEmfPath::TTurn::CounterClockwise;
  }
  void PlayText(std::uint32_t type, const TByteView& r);
  void PlayBlit(std::uint32_t type, const TByteView& r, std::uint32_t offset);
  void Select(std::uint32_t index);
  void Restore(std::int32_t level);
  void CombineClip(const QRegion& region, std::uint32_t mode);
  void MappingChanged() {
    fullValid_ = false;
    ++mappingSerial_;
  }
  QTransform Page() const;
  QImage CachedDib(std::uint32_t offset, const TByteView& r, std::uint32_t at);

  const QByteArray& bytes_;
  const TEmfLayout& layout_;
  QTransform fit_;
  std::unique_ptr<TPlaybackCache> ownCache_;
  TPlaybackCache* cache_;
  TDcState state_;
  std::vector<TDcState> saved_;
  std::vector<TObject> objects_;
  std::unordered_map<std::uint32_t, double> pendingPointSize_;
  QTransform full_;
  bool fullValid_ = false;
  unsigned mappingSerial_ = 1;
  bool pathOpen_ = false;
  TEmfPath path_;
};

}  // namespace emf
