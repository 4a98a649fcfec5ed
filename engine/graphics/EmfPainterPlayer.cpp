#include "EmfPainterPlayer.h"

#include <QGlyphRun>
#include <QPaintDevice>
#include <QPaintEngine>
#include <algorithm>
#include <cmath>
#include <optional>

#include "EmfDib.h"
#include "EmfFonts.h"
#include "EmfRecords.h"
#include "EmfTextLayout.h"
#include "GdiPen.h"

namespace emf {

namespace {

// Glyphs up to this many pixels high Qt draws from its own glyph cache;
// larger ones it fills as paths.
constexpr double kLargestCachedGlyph = 60;
// Beyond this (a few words filling a zoomed page) glyphs are filled as paths
// rather than kept as images.
constexpr double kLargestSprite = 400;

// A filled strip at most this many pixels across on the page is a line that
// later fills must not take over when the page is shrunk.
constexpr double kThinLine = 4;
// Thin lines remembered at most: every later fill looks at each of them, so
// a page of many thousands (hostile, or a fine grid) would cost the square.
constexpr std::size_t kMostThinLines = 4096;

// A pixel boundary: the nearest, halves going up, as Qt rounds the edges of
// an aliased rectangle.
int Boundary(double v) { return int(std::floor(std::clamp(v, -1e9, 1e9) + 0.5)); }

// Overlap with some area, ignoring the rounding noise of a mapping.
bool Overlaps(const QRectF& a, const QRectF& b) {
  constexpr double e = 1e-6;
  return a.adjusted(e, e, -e, -e).intersects(b.adjusted(e, e, -e, -e));
}

// Widest pen drawn, in the pen's units.
constexpr double kWidestPen = 32767;


// Dash patterns of GDI's one-pixel pens, in pen widths: dash, dot, dash-dot,
// dash-dot-dot.
const QList<qreal> kDash = {18, 6};
const QList<qreal> kDot = {3, 3};
const QList<qreal> kDashDot = {9, 6, 3, 6};
const QList<qreal> kDashDotDot = {9, 3, 3, 3, 3, 3};

}  // namespace

TEmfPainterPlayer::TEmfPainterPlayer(const QByteArray& bytes, const TEmfLayout& layout,
                                     QPainter& painter, const QRectF& dest, TPlaybackCache* cache)
    : TEmfInterpreter(bytes, layout, FitTransform(layout, dest), cache),
      painter_(painter),
      base_(painter.worldTransform()),
      raster_(painter.paintEngine() != nullptr &&
              painter.paintEngine()->type() == QPaintEngine::Raster),
      baseClipped_(painter.hasClipping()),
      baseClip_(painter.hasClipping() ? painter.clipRegion() : QRegion()) {}

void TEmfPainterPlayer::Play() {
  painter_.save();
  // GDI draws without anti-aliasing and copies bitmaps without smoothing.
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter_.setBackgroundMode(Qt::TransparentMode);
  Run();
  painter_.restore();
}

void TEmfPainterPlayer::UseTransform(const QTransform& transform) {
  painter_.setTransform(transform);
  transformForeign_ = true;
}

double TEmfPainterPlayer::Scale() {
  const QTransform t = Full() * base_;
  const double s = std::sqrt(std::abs(t.determinant()));
  return std::isfinite(s) && s > 1e-9 ? s : 1.0;
}

double TEmfPainterPlayer::PenInset() {
  const TPenDef& pen = State().pen;
  if ((pen.style & 0xF) == kPsInsideFrame && pen.width > 0) return pen.width / 2.0;
  return 0.5 / Scale();
}

double TEmfPainterPlayer::LineOffset() {
  const TPenDef& pen = State().pen;
  const double scale = Scale();
  const long device = std::max(1L, std::lround(pen.width * scale));
  return device % 2 == 1 ? 0.5 / scale : 0.0;
}

QPen TEmfPainterPlayer::MakePen() {
  const TPenDef& def = State().pen;
  const std::uint32_t style = def.style & 0xF;
  if (style == kPsNull) return QPen(Qt::NoPen);
  QColor color = QColor::fromRgb(def.color);
  if (State().rop2 == kR2Black) color = Qt::black;
  if (State().rop2 == kR2White) color = Qt::white;
  QPen pen(color);
  const bool geometric = !def.extended || (def.style & 0x10000) != 0;
  const double device = def.width * Scale();
  // A pen one target pixel wide draws as a cosmetic one, as GDI's do.
  const bool thin = !geometric || def.width <= 0 || device < 1.5;
  if (thin) {
    pen.setWidthF(1.0);
    pen.setCosmetic(true);
  } else {
    // Qt refuses pens wider than it can stroke; no page needs one.
    pen.setWidthF(std::min(def.width, kWidestPen));
  }
  // Styles only show on one-pixel pens, except on extended geometric pens.
  const bool styled = thin || def.width <= 1 || def.extended;
  switch (styled ? style : kPsSolid) {
    case kPsDash:
      pen.setDashPattern(kDash);
      break;
    case kPsDot:
      pen.setDashPattern(kDot);
      break;
    case kPsDashDot:
      pen.setDashPattern(kDashDot);
      break;
    case kPsDashDotDot:
      pen.setDashPattern(kDashDotDot);
      break;
    default:
      pen.setStyle(Qt::SolidLine);
      break;
  }
  if (def.extended) {
    const std::uint32_t cap = def.style & 0xF00, join = def.style & 0xF000;
    pen.setCapStyle(cap == 0x100 ? Qt::SquareCap : cap == 0x200 ? Qt::FlatCap : Qt::RoundCap);
    pen.setJoinStyle(join == 0x1000   ? Qt::BevelJoin
                     : join == 0x2000 ? Qt::MiterJoin
                                      : Qt::RoundJoin);
  } else {
    pen.setCapStyle(thin ? Qt::FlatCap : Qt::RoundCap);
    pen.setJoinStyle(thin ? Qt::MiterJoin : Qt::RoundJoin);
  }
  return pen;
}

QBrush TEmfPainterPlayer::MakeBrush() const {
  const TBrushDef& def = State().brush;
  QColor color = QColor::fromRgb(def.color);
  if (State().rop2 == kR2Black) color = Qt::black;
  if (State().rop2 == kR2White) color = Qt::white;
  switch (def.style) {
    case kBsSolid:
      return QBrush(color);
    case kBsHatched: {
      static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                               Qt::FDiagPattern, Qt::BDiagPattern,
                                               Qt::CrossPattern, Qt::DiagCrossPattern};
      return QBrush(color, def.hatch < 6 ? hatches[def.hatch] : Qt::SolidPattern);
    }
    case kBsNull:
      return QBrush(Qt::NoBrush);
    default:
      return QBrush(color);  // patterns play as their colour
  }
}

bool TEmfPainterPlayer::Prepare() {
  if (State().rop2 == kR2Nop) return false;
  if (transformForeign_ || appliedSerial_ != MappingSerial()) {
    painter_.setTransform(Full() * base_);
    appliedSerial_ = MappingSerial();
    transformForeign_ = false;
  }
  // Cosmetic pens depend on the scale, so a new mapping remakes the pen.
  if (penDirty_ || penSerial_ != MappingSerial()) {
    pen_ = MakePen();
    penDirty_ = false;
    penSerial_ = MappingSerial();
  }
  if (brushDirty_) {
    brush_ = MakeBrush();
    brushDirty_ = false;
  }
  return true;
}

void TEmfPainterPlayer::ApplyClip() {
  // Clip regions are held in the coordinates the base transform maps.
  UseTransform(base_);
  const TDcState& s = State();
  if (baseClipped_) {
    painter_.setClipRegion(baseClip_, Qt::ReplaceClip);
    if (s.clipped) painter_.setClipRegion(s.clip, Qt::IntersectClip);
  } else if (s.clipped) {
    painter_.setClipRegion(s.clip, Qt::ReplaceClip);
  } else {
    painter_.setClipping(false);
  }
}

// A record box (l, t, r, b), edges included, as GDI fills and outlines it:
// the pen's centre runs through the border pixels (inside the box for an
// inside-frame pen); without a pen the filled area loses its right column
// and bottom row.
void TEmfPainterPlayer::DrawBoxShape(const QRectF& box,
                                     const std::function<void(const QRectF&)>& draw) {
  if (!Prepare()) return;
  const bool hasPen = pen_.style() != Qt::NoPen;
  const bool hasBrush = brush_.style() != Qt::NoBrush;
  if (!hasPen && !hasBrush) return;
  if (!hasPen) {
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(brush_);
    draw(QRectF(box.left(), box.top(), box.width(), box.height()));
    return;
  }
  const double inset = PenInset();
  const QRectF area(box.left(), box.top(), box.width() + 1, box.height() + 1);
  painter_.setPen(pen_);
  painter_.setBrush(brush_);
  draw(area.adjusted(inset, inset, -inset, -inset));
}

bool TEmfPainterPlayer::Shrunk() {
  if (!raster_) return false;
  const QTransform t = Full() * base_;
  if (t.type() > QTransform::TxScale) return false;
  const QTransform s = Fit() * base_;
  return std::abs(s.m11()) < 1 - 1e-9 || std::abs(s.m22()) < 1 - 1e-9;
}

QRect TEmfPainterPlayer::TargetPixels(const QRectF& reference) const {
  const QRectF r = reference.normalized();
  const QRectF d = (Fit() * base_).mapRect(r);
  int left = Boundary(d.left()), right = Boundary(d.right());
  int top = Boundary(d.top()), bottom = Boundary(d.bottom());
  // A strip the page showed keeps one pixel, the one its middle falls in.
  if (right <= left && r.width() >= 1 - 1e-6) {
    left = int(std::floor(std::clamp(d.center().x(), -1e9, 1e9)));
    right = left + 1;
  }
  if (bottom <= top && r.height() >= 1 - 1e-6) {
    top = int(std::floor(std::clamp(d.center().y(), -1e9, 1e9)));
    bottom = top + 1;
  }
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void TEmfPainterPlayer::KeepThinLine(const TThinLine& line) {
  if (thinLines_.size() < kMostThinLines) thinLines_.push_back(line);
}

QRegion TEmfPainterPlayer::Uncovered(const QRect& pixels, const QRectF& reference) const {
  QRegion region(pixels);
  for (const TThinLine& line : thinLines_)
    if (line.pixels.intersects(pixels) && !Overlaps(line.reference, reference))
      region -= line.pixels;
  return region;
}

void TEmfPainterPlayer::FillPixels(const QRegion& region, const QBrush& brush) {
  UseTransform(QTransform());
  for (const QRect& r : region) painter_.fillRect(r, brush);
}

void TEmfPainterPlayer::FillShrunk(const QRectF& logical, const QBrush& brush) {
  const QRectF reference = ToReference().mapRect(logical.normalized());
  const QRect pixels = TargetPixels(reference);
  if (pixels.isEmpty()) return;
  FillPixels(Uncovered(pixels, reference), brush);
  if (std::min(reference.width(), reference.height()) <= kThinLine)
    KeepThinLine({pixels, reference});
}

bool TEmfPainterPlayer::LineShrunk(const QPointF& from, const QPointF& to) {
  if (!pen_.isCosmetic() || pen_.style() != Qt::SolidLine) return false;
  const QPointF a = ToReference().map(from), b = ToReference().map(to);
  QRectF reference;
  // The pixels GDI covers: the first one and not the last.
  if (std::abs(a.y() - b.y()) < 1e-9)
    reference = a.x() < b.x() ? QRectF(QPointF(a.x(), a.y()), QPointF(b.x(), a.y() + 1))
                              : QRectF(QPointF(b.x() + 1, a.y()), QPointF(a.x() + 1, a.y() + 1));
  else if (std::abs(a.x() - b.x()) < 1e-9)
    reference = a.y() < b.y() ? QRectF(QPointF(a.x(), a.y()), QPointF(a.x() + 1, b.y()))
                              : QRectF(QPointF(a.x(), b.y() + 1), QPointF(a.x() + 1, a.y() + 1));
  else
    return false;
  const QRect pixels = TargetPixels(reference);
  if (!pixels.isEmpty()) {
    FillPixels(QRegion(pixels), pen_.brush());
    KeepThinLine({pixels, reference});
  }
  return true;
}

// A rectangle outlined by a one-pixel solid pen: its inside, then its four
// sides as lines one target pixel wide on the inside's outer pixels.
void TEmfPainterPlayer::DrawRectangleShrunk(const QRectF& box) {
  const QRectF area(box.left(), box.top(), box.width() + 1, box.height() + 1);
  const QRectF reference = ToReference().mapRect(area);
  const QRect pixels = TargetPixels(reference);
  if (pixels.isEmpty()) return;
  if (brush_.style() != Qt::NoBrush) FillPixels(Uncovered(pixels, reference), brush_);
  const double l = reference.left(), t = reference.top();
  const double r = reference.right(), b = reference.bottom();
  const std::pair<QRect, QRectF> sides[] = {
      {QRect(pixels.left(), pixels.top(), pixels.width(), 1), QRectF(l, t, r - l, 1)},
      {QRect(pixels.left(), pixels.bottom(), pixels.width(), 1), QRectF(l, b - 1, r - l, 1)},
      {QRect(pixels.left(), pixels.top(), 1, pixels.height()), QRectF(l, t, 1, b - t)},
      {QRect(pixels.right(), pixels.top(), 1, pixels.height()), QRectF(r - 1, t, 1, b - t)}};
  QRegion outline;
  for (const auto& [side, sideReference] : sides) {
    outline += side;
    KeepThinLine({side, sideReference});
  }
  FillPixels(outline, pen_.brush());
}

void TEmfPainterPlayer::Rectangle(const QRectF& box) {
  if (Prepare() && Shrunk()) {
    const bool thinPen = pen_.isCosmetic() && pen_.style() == Qt::SolidLine &&
                         (State().pen.style & 0xF) != kPsInsideFrame;
    if (pen_.style() == Qt::NoPen) {
      // GDI fills one pixel less on the right and at the bottom.
      if (brush_.style() != Qt::NoBrush) FillShrunk(box, brush_);
      return;
    }
    if (thinPen) {
      DrawRectangleShrunk(box);
      return;
    }
  }
  DrawBoxShape(box, [this](const QRectF& r) { painter_.drawRect(r); });
}

void TEmfPainterPlayer::RoundRect(const QRectF& box, const QSizeF& corner) {
  DrawBoxShape(box, [this, corner](const QRectF& r) {
    painter_.drawRoundedRect(r, std::abs(corner.width()) / 2, std::abs(corner.height()) / 2);
  });
}

void TEmfPainterPlayer::Ellipse(const QRectF& box) {
  DrawBoxShape(box, [this](const QRectF& r) { painter_.drawEllipse(r); });
}

void TEmfPainterPlayer::Line(const QPointF& from, const QPointF& to) {
  if (!Prepare() || pen_.style() == Qt::NoPen) return;
  if (Shrunk() && LineShrunk(from, to)) return;
  painter_.setPen(pen_);
  if (pen_.isCosmetic()) {
    const QLineF line = GdiThinLine(from, to, 1.0 / Scale());
    if (!line.isNull()) painter_.drawLine(line);
    return;
  }
  const double o = LineOffset();
  painter_.drawLine(from + QPointF(o, o), to + QPointF(o, o));
}

void TEmfPainterPlayer::Polyline(const QPolygonF& points) {
  if (points.size() < 2 || !Prepare() || pen_.style() == Qt::NoPen) return;
  painter_.setPen(pen_);
  if (pen_.isCosmetic()) {
    painter_.drawPolyline(GdiThinPolyline(points, 1.0 / Scale()));
    return;
  }
  const double o = LineOffset();
  painter_.drawPolyline(points.translated(o, o));
}

void TEmfPainterPlayer::Polygons(const std::vector<QPolygonF>& polygons) {
  if (!Prepare()) return;
  QPainterPath path;
  path.setFillRule(State().polyFillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
  for (const QPolygonF& polygon : polygons) {
    if (polygon.size() < 2) continue;
    path.addPolygon(polygon);
    path.closeSubpath();
  }
  const double o = LineOffset();
  painter_.setPen(pen_);
  painter_.setBrush(brush_);
  painter_.drawPath(path.translated(o, o));
}

void TEmfPainterPlayer::StrokePath(const QPainterPath& path, bool stroke, bool fill) {
  if (!Prepare()) return;
  const double o = LineOffset();
  painter_.setPen(stroke ? pen_ : QPen(Qt::NoPen));
  painter_.setBrush(fill ? brush_ : QBrush(Qt::NoBrush));
  painter_.drawPath(path.translated(o, o));
}

void TEmfPainterPlayer::PatternBlit(const QRectF& rect, std::uint32_t rop) {
  if (rop == kDestUnchanged || !Prepare()) return;
  if (Shrunk() && (rop == kPatCopy || rop == kBlackness || rop == kWhiteness)) {
    const QBrush fill = rop == kBlackness   ? QBrush(Qt::black)
                        : rop == kWhiteness ? QBrush(Qt::white)
                                            : brush_;
    if (fill.style() != Qt::NoBrush) FillShrunk(rect, fill);
    return;
  }
  switch (rop) {
    case kPatCopy:
      if (brush_.style() != Qt::NoBrush) painter_.fillRect(rect, brush_);
      break;
    case kBlackness:
      painter_.fillRect(rect, Qt::black);
      break;
    case kWhiteness:
      painter_.fillRect(rect, Qt::white);
      break;
    case kDstInvert:
    case kPatInvert:
      if (raster_) {
        painter_.save();
        painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter_.fillRect(rect, rop == kDstInvert ? QBrush(Qt::white) : brush_);
        painter_.restore();
      }
      break;
    default:
      if (brush_.style() != Qt::NoBrush) painter_.fillRect(rect, brush_);
      break;
  }
}

void TEmfPainterPlayer::Bitmap(const QRectF& dest, const QImage& image, const QRectF& src,
                               std::uint32_t rop) {
  if (rop == kDestUnchanged || !Prepare()) return;
  QImage picture = BlitSource(image, src, dest);
  if (picture.isNull()) return;
  const QRectF target = dest.normalized();
  QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
  switch (rop) {
    case kNotSrcCopy:
      picture = picture.convertToFormat(QImage::Format_RGB32);
      picture.invertPixels();
      break;
    case kSrcAnd:
    case kSrcPaint:
    case kSrcInvert:
      if (raster_) {
        picture = picture.convertToFormat(QImage::Format_RGB32);
        mode = rop == kSrcAnd     ? QPainter::RasterOp_SourceAndDestination
               : rop == kSrcPaint ? QPainter::RasterOp_SourceOrDestination
                                  : QPainter::RasterOp_SourceXorDestination;
      } else if (rop == kSrcAnd) {
        // Without raster operations: a mask's white leaves the page alone.
        picture = ImageWithoutColour(picture, qRgb(255, 255, 255));
      } else {
        // OR or XOR over the mask's black: only the non-black pixels show.
        picture = ImageWithoutColour(picture, qRgb(0, 0, 0));
      }
      break;
    default:
      break;
  }
  // Shrunk, a picture keeps off the thin lines it did not cover on the page.
  std::optional<QRegion> around;
  if (Shrunk()) {
    const QRectF reference = ToReference().mapRect(target);
    const QRect pixels = TargetPixels(reference);
    QRegion uncovered = Uncovered(pixels, reference);
    if (uncovered != QRegion(pixels)) around = std::move(uncovered);
  }
  if (mode == QPainter::CompositionMode_SourceOver && !around) {
    painter_.drawImage(target, picture);
    return;
  }
  painter_.save();
  if (around) {
    painter_.setTransform(QTransform());
    painter_.setClipRegion(*around, Qt::IntersectClip);
    painter_.setTransform(Full() * base_);
  }
  painter_.setCompositionMode(mode);
  painter_.drawImage(target, picture);
  painter_.restore();
}

void TEmfPainterPlayer::Text(const TTextRun& run) {
  if (!Prepare()) return;
  DrawTextRun(run);
}

void TEmfPainterPlayer::DrawTextRun(const TTextRun& run) {
  const TDcState& s = State();
  const TFontDef& font = s.font;
  const QTransform t = Full() * base_;
  if (run.options & kEtoOpaque && !run.rect.isNull()) {
    if (Shrunk()) {
      FillShrunk(run.rect, QColor::fromRgb(s.backColor));
      painter_.setTransform(t);
    } else {
      painter_.fillRect(run.rect, QColor::fromRgb(s.backColor));
    }
  }
  if (run.text.isEmpty()) return;

  const TTextRunLayout layout = LayOutTextRun(run, font, t, Fonts());
  if (layout.font == nullptr) return;
  const TCachedFont& cached = *layout.font;
  const QRawFont& raw = cached.raw;
  const bool deviceSpace = layout.deviceSpace;
  const double left = layout.left, width = layout.width, baseline = layout.baseline;
  const double ascent = layout.ascent, descent = layout.descent;
  const QTransform& place = layout.place;
  const QList<quint32>& glyphs = layout.glyphs;
  const QList<QPointF>& positions = layout.positions;

  // Only a clipped run needs the painter's state back afterwards; the
  // transform is set again by the next drawing, and every drawing sets its
  // own pen.
  const bool clipped = (run.options & kEtoClipped) && !run.rect.isNull();
  if (clipped) painter_.save();
  transformForeign_ = true;
  if (deviceSpace) {
    painter_.setTransform(QTransform());
    if (clipped) painter_.setClipRect(t.mapRect(run.rect), Qt::IntersectClip);
  } else if (clipped) {
    painter_.setClipRect(run.rect, Qt::IntersectClip);
  }
  painter_.setTransform(place);

  if (s.backMode == 2 && !(run.options & kEtoOpaque))
    painter_.fillRect(QRectF(left, baseline - ascent, width, ascent + descent),
                      QColor::fromRgb(s.backColor));
  const QColor color = QColor::fromRgb(s.textColor);
  if (raster_ && deviceSpace && font.escapement == 0 && raw.pixelSize() > kLargestCachedGlyph &&
      raw.pixelSize() <= kLargestSprite) {
    // Large glyphs on an image: each drawn once, then copied.
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
      const TGlyphSprite* sprite = Fonts().Sprite(cached, glyphs[i], s.textColor);
      const QPointF at = place.map(positions[i]);
      if (!sprite) {
        // Not kept (no outline, or larger than a glyph image may be).
        painter_.setTransform(place);
        QGlyphRun single;
        single.setRawFont(raw);
        single.setGlyphIndexes({glyphs[i]});
        single.setPositions({positions[i]});
        painter_.setPen(color);
        painter_.drawGlyphRun(QPointF(0, 0), single);
        continue;
      }
      painter_.setTransform(QTransform());
      painter_.drawImage(
          QPoint(int(std::lround(at.x())), int(std::lround(at.y()))) + sprite->offset,
          sprite->image);
    }
    painter_.setTransform(place);
  } else {
    QGlyphRun glyphRun;
    glyphRun.setRawFont(raw);
    glyphRun.setGlyphIndexes(glyphs);
    glyphRun.setPositions(positions);
    painter_.setPen(color);
    painter_.drawGlyphRun(QPointF(0, 0), glyphRun);
  }
  const double thickness = std::max(deviceSpace ? 1.0 : 0.0, raw.lineThickness());
  if (font.underline)
    painter_.fillRect(QRectF(left, baseline + raw.underlinePosition(), width, thickness), color);
  if (font.strikeOut)
    painter_.fillRect(QRectF(left, baseline - ascent / 3, width, thickness), color);
  if (clipped) painter_.restore();
}

}  // namespace emf
