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
                    const QRectF& dest, TDibCache* cache);

  void Run();

 protected:
  void PenSelected() override { penDirty_ = true; }
  void BrushSelected() override { brushDirty_ = true; }
  void ClipIntersected(const QRectF&) override { ApplyClip(); }
  void ClipRemoved() override { ApplyClip(); }
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
  // Brings the painter's transform, pen and brush up to date; false when
  // nothing would be drawn (ROP2 no-op).
  bool Prepare();
  void UseTransform(const QTransform& transform);
  QPen MakePen();
  QBrush MakeBrush() const;
  void ApplyClip();
  const QRawFont& RawFont(const TFontDef& font, double& em);

  struct TCachedFont {
    TFontDef font;
    double em;
    QRawFont raw;
  };

  QPainter& painter_;
  QTransform base_;
  bool raster_;
  bool baseClipped_;
  QRegion baseClip_;
  unsigned appliedSerial_ = 0;
  bool transformForeign_ = true;  // set to something other than Full()
  bool penDirty_ = true;
  bool brushDirty_ = true;
  QPen pen_;
  QBrush brush_;
  std::vector<TCachedFont> fonts_;
};

}  // namespace emf
