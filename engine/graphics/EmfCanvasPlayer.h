#pragma once
// Plays EMF records through a TCanvas: the operations a canvas offers, with
// coordinates mapped to the canvas's pixels and rounded. Our own records
// come back as the very calls that made them (at scale 1); polygons and
// paths are filled as polygons by the fill mode and outlined with lines;
// records a canvas has no call for are drawn as near as it allows or
// skipped.

#include <functional>
#include <vector>

#include "Canvas.h"
#include "EmfInterpreter.h"

namespace emf {

class TEmfCanvasPlayer : public TEmfInterpreter {
 public:
  TEmfCanvasPlayer(const QByteArray& bytes, const TEmfLayout& layout, TCanvas& canvas,
                   const QRect& dest, TPlaybackCache* cache);

  void Play();

 protected:
  void MovedTo(const QPointF& point) override;
  void PenSelected() override;
  void BrushSelected() override;
  void FontSelected() override;
  void TextColorChanged() override { fontDirty_ = true; }
  void ClipIntersected(const QRectF& logicalRect) override;
  void ClipRemoved() override;
  void ClipReplaced() override;

  void Rectangle(const QRectF& box) override;
  void Ellipse(const QRectF& box) override;
  void Line(const QPointF& from, const QPointF& to) override;
  void Polyline(const QPolygonF& points) override;
  void Polygons(const std::vector<QPolygonF>& polygons) override;
  void StrokePath(const QPainterPath& path, bool stroke, bool fill) override;
  void PatternBlit(const QRectF& rect, std::uint32_t rop) override;
  void Bitmap(const QRectF& dest, const QImage& image, const QRectF& src,
              std::uint32_t rop) override;
  void Text(const TTextRun& run) override;

 private:
  // State changes wait until something is drawn, in their order, so that a
  // change nothing draws with (the stock objects a recording selects before
  // it ends) never reaches the canvas.
  void Defer(std::function<void()> call) { pending_.push_back(std::move(call)); }
  void Flush();
  QPoint Map(const QPointF& logical);
  // A GDI rectangle on the canvas from logical corners, right/bottom outside.
  QRect MapRect(const QPointF& topLeft, const QPointF& bottomRight);
  void SelectCurrentFont();
  void DrawOutline(const QPolygonF& points, bool closed);
  TFillMode FillMode() const;

  TCanvas& canvas_;
  std::vector<std::function<void()>> pending_;
  bool fontDirty_ = false;
  bool clipped_ = false;  // a clip of ours is on the canvas
  QPoint position_;       // the canvas's current position
  bool positionKnown_ = false;
};

}  // namespace emf
