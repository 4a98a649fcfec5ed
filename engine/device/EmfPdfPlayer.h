#pragma once
// Plays EMF records into the open page of a TPdfDocument as PDF vectors:
// shapes, paths and polygons with their pens and brushes, bitmaps, clip
// regions, and text as text in the document's embedded fonts, each glyph
// where the recorded advances put it. The records are interpreted as the
// painter player interprets them (mapping, world transform, edge pixels),
// so the PDF shows what the preview shows.

#include <QByteArray>
#include <QRectF>
#include <functional>

#include "EmfInterpreter.h"

class TPdfDocument;

namespace emf {

struct TTextRunLayout;

class TEmfPdfPlayer : public TEmfInterpreter {
 public:
  // `dest` in the page's content coordinates (device pixels, y down).
  TEmfPdfPlayer(const QByteArray& bytes, const TEmfLayout& layout, TPdfDocument& document,
                const QRectF& dest);

  void Play();

 protected:
  void PenSelected() override { strokeKnown_ = false; }
  void ClipReplaced() override { clipDirty_ = true; }

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
  QByteArray& Out();
  // Brings the clip up to date; false when the ROP2 mode leaves the page
  // unchanged.
  bool Prepare();
  // Target pixels per logical unit (the mapping's mean scale).
  double Scale();
  bool HasPen();
  bool HasBrush();
  QRgb PenColour();
  QRgb BrushColour();
  void UseFill(QRgb colour);
  void UseStroke();
  // Paints `path` (logical units) with the pen and/or the brush.
  void PaintPath(const QPainterPath& logical, bool stroke, bool fill);
  void DrawBox(const QRectF& box, const std::function<void(QPainterPath&, const QRectF&)>& shape);
  void FillTargetRect(const QRectF& targetRect, QRgb colour);
  void TextAsGlyphOutlines(const TTextRunLayout& layout);

  TPdfDocument& document_;
  bool clipDirty_ = false;
  bool clipOpen_ = false;  // a "q" holds the current clip
  bool fillKnown_ = false;
  QRgb fill_ = 0;
  bool strokeKnown_ = false;
};

}  // namespace emf
