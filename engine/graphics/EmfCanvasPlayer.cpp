#include "EmfCanvasPlayer.h"

#include <algorithm>
#include <cmath>

#include "EmfDib.h"
#include "EmfFonts.h"
#include "EmfRecords.h"

namespace emf {

namespace {

TPenStyle PenStyleOf(std::uint32_t style) {
  switch (style & 0xF) {
    case kPsDash:
      return TPenStyle::psDash;
    case kPsDot:
      return TPenStyle::psDot;
    case kPsDashDot:
      return TPenStyle::psDashDot;
    case kPsDashDotDot:
      return TPenStyle::psDashDotDot;
    case kPsNull:
      return TPenStyle::psClear;
    case kPsInsideFrame:
      return TPenStyle::psInsideFrame;
    default:
      return TPenStyle::psSolid;
  }
}

int Round(double v) { return int(std::lround(std::clamp(v, -1e9, 1e9))); }

// A factor within rounding noise of 1 is 1, so that a replay at the
// recorded size selects exactly the recorded point sizes.
double Snap(double factor) { return std::abs(factor - 1.0) < 1e-9 ? 1.0 : factor; }

}  // namespace

TEmfCanvasPlayer::TEmfCanvasPlayer(const QByteArray& bytes, const TEmfLayout& layout,
                                   TCanvas& canvas, const QRect& dest, TPlaybackCache* cache)
    : TEmfInterpreter(bytes, layout, FitTransform(layout, QRectF(dest)), cache), canvas_(canvas) {}

void TEmfCanvasPlayer::Play() {
  Run();
  pending_.clear();
  // The canvas goes back unclipped, as it came.
  if (clipped_) canvas_.RemoveClip();
}

void TEmfCanvasPlayer::Flush() {
  // A call may defer nothing further, but move the list out first anyway.
  std::vector<std::function<void()>> calls;
  calls.swap(pending_);
  for (auto& call : calls) call();
}

QPoint TEmfCanvasPlayer::Map(const QPointF& logical) {
  const QPointF p = Full().map(logical);
  return QPoint(Round(p.x()), Round(p.y()));
}

QRect TEmfCanvasPlayer::MapRect(const QPointF& topLeft, const QPointF& bottomRight) {
  const QPoint a = Map(topLeft), b = Map(bottomRight);
  return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
               QPoint(std::max(a.x(), b.x()) - 1, std::max(a.y(), b.y()) - 1));
}

void TEmfCanvasPlayer::MovedTo(const QPointF& point) {
  const QPoint p = Map(point);
  Defer([this, p] {
    canvas_.MoveTo(p.x(), p.y());
    position_ = p;
    positionKnown_ = true;
  });
}

void TEmfCanvasPlayer::PenSelected() {
  const TPenDef& pen = State().pen;
  const double scale = std::abs(Full().m11());
  const int width = pen.width <= 0 ? 1 : std::clamp(Round(pen.width * scale), 1, 32767);
  const QRgb color = pen.color;
  const TPenStyle style = PenStyleOf(pen.style);
  Defer([this, color, width, style] { canvas_.SetPen(color, width, style); });
}

void TEmfCanvasPlayer::BrushSelected() {
  const TBrushDef& brush = State().brush;
  const QRgb color = brush.color;
  const TBrushStyle style = brush.style == kBsNull ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
  Defer([this, color, style] { canvas_.SetBrush(color, style); });
}

void TEmfCanvasPlayer::FontSelected() {
  fontDirty_ = false;
  SelectCurrentFont();
}

void TEmfCanvasPlayer::SelectCurrentFont() {
  const TFontDef& def = State().font;
  TFontSpec spec;
  spec.face = def.face.isEmpty() ? QStringLiteral("Arial") : def.face;
  spec.style.bold = def.weight >= 600;
  spec.style.italic = def.italic;
  spec.style.underline = def.underline;
  spec.style.strikeOut = def.strikeOut;
  spec.charset = def.charset;
  spec.color = State().textColor;
  // The canvas turns points into its own pixels. At the recorded size on a
  // surface of the recorded resolution the recorded point size comes back
  // as it was; anywhere else (stretched, printed), the character height
  // the page was recorded with is scaled, so that text keeps the widths its
  // lines were laid out with (as a GDI replay keeps the LOGFONT height).
  const double canvasPpi = canvas_.PixelsPerInchY() > 0 ? canvas_.PixelsPerInchY() : 96;
  const double scale = std::abs(Full().m22());
  if (def.pointSize > 0 && Snap(scale) == 1.0 && Snap(ReferencePpiY() / canvasPpi) == 1.0)
    spec.pointSize = def.pointSize;
  else
    spec.pointSize = Fonts().EmHeight(def) * scale * 72.0 / canvasPpi;
  Defer([this, spec] { canvas_.SelectFont(spec); });
}

void TEmfCanvasPlayer::ClipIntersected(const QRectF& logicalRect) {
  const QRect r = MapRect(logicalRect.topLeft(), logicalRect.bottomRight());
  Defer([this, r] {
    canvas_.IntersectClipRect(r);
    clipped_ = true;
  });
}

void TEmfCanvasPlayer::ClipRemoved() {
  Defer([this] {
    canvas_.RemoveClip();
    clipped_ = false;
  });
}

// A clip of one rectangle goes to the canvas as that rectangle, any other
// shape (a path's figures, an excluded rectangle) as its region.
void TEmfCanvasPlayer::ClipReplaced() {
  const bool clipped = State().clipped;
  const QRegion clip = State().clip;
  Defer([this, clipped, clip] {
    canvas_.RemoveClip();
    clipped_ = false;
    if (!clipped) return;
    if (clip.rectCount() <= 1)
      canvas_.IntersectClipRect(clip.boundingRect());
    else
      canvas_.IntersectClipRegion(clip);
    clipped_ = true;
  });
}

void TEmfCanvasPlayer::Rectangle(const QRectF& box) {
  Flush();
  canvas_.Rectangle(MapRect(box.topLeft(), box.bottomRight() + QPointF(1, 1)));
}

void TEmfCanvasPlayer::Ellipse(const QRectF& box) {
  Flush();
  canvas_.Ellipse(MapRect(box.topLeft(), box.bottomRight() + QPointF(1, 1)));
}

void TEmfCanvasPlayer::Line(const QPointF& from, const QPointF& to) {
  Flush();
  const QPoint a = Map(from), b = Map(to);
  if (!positionKnown_ || position_ != a) canvas_.MoveTo(a.x(), a.y());
  canvas_.LineTo(b.x(), b.y());
  position_ = b;
  positionKnown_ = true;
}

void TEmfCanvasPlayer::DrawOutline(const QPolygonF& points, bool closed) {
  if (points.size() < 2) return;
  Flush();
  const QPoint first = Map(points.first());
  canvas_.MoveTo(first.x(), first.y());
  for (qsizetype i = 1; i < points.size(); ++i) {
    const QPoint p = Map(points[i]);
    canvas_.LineTo(p.x(), p.y());
  }
  if (closed) canvas_.LineTo(first.x(), first.y());
  positionKnown_ = false;
}

void TEmfCanvasPlayer::Polyline(const QPolygonF& points) { DrawOutline(points, false); }

TFillMode TEmfCanvasPlayer::FillMode() const {
  return State().polyFillMode == 2 ? TFillMode::fmWinding : TFillMode::fmAlternate;
}

// As GDI's Polygon and PolyPolygon: filled together by the fill mode, then
// each outlined.
void TEmfCanvasPlayer::Polygons(const std::vector<QPolygonF>& polygons) {
  std::vector<QPolygon> mapped;
  for (const QPolygonF& polygon : polygons) {
    QPolygon points;
    points.reserve(polygon.size());
    for (const QPointF& p : polygon) points << Map(p);
    mapped.push_back(std::move(points));
  }
  Flush();
  canvas_.FillPolygons(mapped, FillMode());
  for (const QPolygonF& polygon : polygons) DrawOutline(polygon, true);
}

// Curves are flattened on the canvas's own pixels, so that they stay
// smooth however large the page is drawn.
void TEmfCanvasPlayer::StrokePath(const QPainterPath& path, bool stroke, bool fill) {
  if (!stroke && !fill) return;
  const QPainterPath mapped = Full().map(path);
  const QList<QPolygonF> figures = mapped.toSubpathPolygons();
  Flush();
  if (fill) {
    std::vector<QPolygon> polygons;
    for (const QPolygonF& figure : figures) {
      QPolygon points;
      points.reserve(figure.size());
      for (const QPointF& p : figure) points << QPoint(Round(p.x()), Round(p.y()));
      // A fill closes every figure itself.
      if (points.size() > 1 && points.first() == points.last()) points.removeLast();
      polygons.push_back(std::move(points));
    }
    canvas_.FillPolygons(polygons, path.fillRule() == Qt::WindingFill ? TFillMode::fmWinding
                                                                     : TFillMode::fmAlternate);
  }
  if (!stroke) return;
  for (const QPolygonF& figure : figures) {
    if (figure.size() < 2) continue;
    QPoint last(Round(figure.first().x()), Round(figure.first().y()));
    canvas_.MoveTo(last.x(), last.y());
    for (qsizetype i = 1; i < figure.size(); ++i) {
      const QPoint p(Round(figure[i].x()), Round(figure[i].y()));
      if (p != last) canvas_.LineTo(p.x(), p.y());
      last = p;
    }
  }
  positionKnown_ = false;
}

void TEmfCanvasPlayer::PatternBlit(const QRectF& rect, std::uint32_t rop) {
  const QRect r = MapRect(rect.topLeft(), rect.bottomRight());
  if (rop != kBlackness && rop != kWhiteness) {
    if (rop != kPatCopy) return;
    Flush();
    canvas_.FillRect(r);
    return;
  }
  Flush();
  canvas_.SetBrush(rop == kBlackness ? 0xFF000000 : 0xFFFFFFFF, TBrushStyle::bsSolid);
  canvas_.FillRect(r);
  const TBrushDef& brush = State().brush;
  canvas_.SetBrush(brush.color,
                   brush.style == kBsNull ? TBrushStyle::bsClear : TBrushStyle::bsSolid);
}

void TEmfCanvasPlayer::Bitmap(const QRectF& dest, const QImage& image, const QRectF& src,
                              std::uint32_t rop) {
  // Of a mask pair, the AND half only clears what the OR half then paints.
  if (rop == kSrcAnd) return;
  const QRect area = src.toAlignedRect().intersected(image.rect());
  if (area.isEmpty()) return;
  QImage picture = area == image.rect() ? image : image.copy(area);
  if (rop == kSrcPaint) picture = ImageWithoutColour(picture, qRgb(0, 0, 0));
  Flush();
  canvas_.StretchBitmap(MapRect(dest.topLeft(), dest.bottomRight()), picture);
}

void TEmfCanvasPlayer::Text(const TTextRun& run) {
  if (fontDirty_) {
    fontDirty_ = false;
    SelectCurrentFont();
  }
  Flush();
  const std::uint32_t horizontal = run.align & 0x06;
  const TTextAnchor anchor = horizontal == kTaCenter  ? TTextAnchor::Center
                             : horizontal == kTaRight ? TTextAnchor::Right
                                                      : TTextAnchor::Left;
  QPointF reference = run.reference;
  // A canvas writes text from its top: move a baseline or bottom reference.
  const std::uint32_t vertical = run.align & 0x18;
  if (vertical != 0) {
    const TFontDef& font = State().font;
    const QRawFont& raw =
        Fonts().Font(font.face, font.weight, font.italic, Fonts().EmHeight(font)).raw;
    reference.ry() -= vertical == kTaBaseline ? raw.ascent() : raw.ascent() + raw.descent();
  }
  const QPoint p = Map(reference);
  canvas_.TextOut(p.x(), p.y(), anchor, run.text, (run.options & kEtoRtlReading) != 0);
}

}  // namespace emf
