#pragma once
// Plays EMF records onto a QPainter, as GDI's PlayEnhMetaFile would: the
// painter's state is kept, edge pixels follow GDI, and text is drawn as
// glyph runs placed by the recorded advances.

#include <QPainter>
#include <QRawFont>

#include "EmfInterpreter.h"

namespace emf {

class TEmfPainterPlayer : public TEmfInterpreter {
 public:
  TEmfPainterPlayer(const QByteArray& bytes, const TEmfLayout& layout, QPainter& painter,
                    const QRectF& dest, TPlaybackCache* cache);

  // Plays every record; the painter's state is as before afterwards.
  void Play();

 protected:
  void PenSelected() override { penDirty_ = true; }
  void BrushSelected() override { brushDirty_ = true; }
  void ClipReplaced() override { ApplyClip(); }

  void Rectangle(const QRectF& box) override;
  void RoundRect(const QRectF& box, const QSizeF& corner) override;
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
  // Brings the painter's transform to Full() and pen and brush up to date;
  // false when the ROP2 mode leaves the target unchanged.
  bool Prepare();
  void UseTransform(const QTransform& transform);
  // Target pixels per logical unit (the mapping's mean scale).
  double Scale();
  // Half a pen: the inset of the pen's centre line from a shape's edge.
  double PenInset();
  // Offset that puts a thin line through the centres of the pixels it names.
  double LineOffset();
  QPen MakePen();
  QBrush MakeBrush() const;
  void ApplyClip();
  void DrawBoxShape(const QRectF& box, const std::function<void(const QRectF&)>& draw);
  void DrawTextRun(const TTextRun& run);

  // Smaller than recorded, a line one pixel wide on the page falls between
  // the target's pixels, and a background drawn after it, rounded to the
  // same pixels, can take the one it lands on. While the page is shrunk on
  // a raster target without rotation, rectangles and axis-parallel thin
  // lines are therefore placed on whole target pixels here: every edge to
  // the nearest pixel boundary, a strip that was at least one pixel across
  // kept one pixel across, and every thin line remembered so that a later
  // fill that did not touch it on the page leaves its pixels alone.
  bool Shrunk();
  // The target pixels of `reference`, a rectangle of the page at its
  // recorded size (right/bottom outside).
  QRect TargetPixels(const QRectF& reference) const;
  // `pixels` without the remembered lines that `reference` did not touch.
  QRegion Uncovered(const QRect& pixels, const QRectF& reference) const;
  void FillPixels(const QRegion& region, const QBrush& brush);
  // Fills `logical` on whole pixels around the remembered lines, and
  // remembers it when it is a thin line itself.
  void FillShrunk(const QRectF& logical, const QBrush& brush);
  // A one-pixel solid line from `from` up to, not including, `to`, both on
  // the same row or column of the page; false for any other line.
  bool LineShrunk(const QPointF& from, const QPointF& to);
  void DrawRectangleShrunk(const QRectF& box);

  QPainter& painter_;
  QTransform base_;
  bool raster_;
  bool baseClipped_;
  QRegion baseClip_;
  unsigned appliedSerial_ = 0;
  bool transformForeign_ = true;  // set to something other than Full()
  bool penDirty_ = true;
  bool brushDirty_ = true;
  unsigned penSerial_ = 0;  // mapping the pen was made for
  QPen pen_;
  QBrush brush_;

  struct TThinLine {
    QRect pixels;      // on the target
    QRectF reference;  // on the page at its recorded size
  };
  void KeepThinLine(const TThinLine& line);
  std::vector<TThinLine> thinLines_;
};

}  // namespace emf
