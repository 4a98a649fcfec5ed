#include "EmfPainterPlayer.h"

#include <QGlyphRun>
#include <QPaintDevice>
#include <QPaintEngine>
#include <algorithm>
#include <cmath>

#include "EmfDib.h"
#include "EmfFonts.h"
#include "EmfRecords.h"
#include "EmfTextLayout.h"
#include "GdiPen.h"

namespace emf {

namespace {

// Ternary raster operations this player tells apart.
constexpr std::uint32_t kSrcPaint = 0x00EE0086;
constexpr std::uint32_t kSrcAnd = 0x008800C6;
constexpr std::uint32_t kSrcInvert = 0x00660046;
constexpr std::uint32_t kNotSrcCopy = 0x00330008;
constexpr std::uint32_t kBlackness = 0x00000042;
constexpr std::uint32_t kWhiteness = 0x00FF0062;
constexpr std::uint32_t kDstInvert = 0x00550009;
constexpr std::uint32_t kPatInvert = 0x005A0049;
constexpr std::uint32_t kDestUnchanged = 0x00AA0029;

// Glyphs up to this many pixels high Qt draws from its own glyph cache;
// larger ones it fills as paths.
constexpr double kLargestCachedGlyph = 60;
// Beyond this (a few words filling a zoomed page) glyphs are filled as paths
// rather than kept as images.
constexpr double kLargestSprite = 400;

// Widest pen drawn, in the pen's units.
constexpr double kWidestPen = 32767;

// Binary raster operations (SETROP2).
constexpr std::uint32_t kR2Black = 1, kR2Nop = 11, kR2White = 16;

// Dash patterns of GDI's one-pixel pens, in pen widths: dash, dot, dash-dot,
// dash-dot-dot.
const QList<qreal> kDash = {18, 6};
const QList<qreal> kDot = {3, 3};
const QList<qreal> kDashDot = {9, 6, 3, 6};
const QList<qreal> kDashDotDot = {9, 3, 3, 3, 3, 3};

}  // namespace

TEmfPainterPlayer::TEmfPainterPlayer(const QByteArray& bytes, const TEmfLayout& layout,
                                     QPainter& painter, const QRectF& dest, TDibCache* cache)
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

void TEmfPainterPlayer::Rectangle(const QRectF& box) {
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
  const QRectF source = src.normalized().intersected(QRectF(image.rect()));
  if (source.isEmpty() || dest.width() == 0 || dest.height() == 0) return;
  // Opposite signs of source and destination extents mirror the picture.
  const bool flipX = (dest.width() < 0) != (src.width() < 0);
  const bool flipY = (dest.height() < 0) != (src.height() < 0);
  QImage picture = image.copy(source.toAlignedRect());
  if (flipX || flipY) picture = picture.mirrored(flipX, flipY);
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
  if (mode != QPainter::CompositionMode_SourceOver) {
    painter_.save();
    painter_.setCompositionMode(mode);
    painter_.drawImage(target, picture);
    painter_.restore();
    return;
  }
  painter_.drawImage(target, picture);
}

void TEmfPainterPlayer::Text(const TTextRun& run) {
  if (!Prepare()) return;
  DrawTextRun(run);
}

void TEmfPainterPlayer::DrawTextRun(const TTextRun& run) {
  const TDcState& s = State();
  const TFontDef& font = s.font;
  const QTransform t = Full() * base_;
  if (run.options & kEtoOpaque && !run.rect.isNull())
    painter_.fillRect(run.rect, QColor::fromRgb(s.backColor));
  if (run.text.isEmpty()) return;

  const TTextRunLayout layout = LayOutTextRun(run, font, t);
  if (layout.font == nullptr) return;
  TCachedFont& cached = *layout.font;
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
      const TGlyphSprite& sprite = GlyphSprite(cached, glyphs[i], s.textColor);
      if (sprite.image.isNull()) continue;
      const QPointF at = place.map(positions[i]);
      painter_.setTransform(QTransform());
      painter_.drawImage(QPoint(int(std::lround(at.x())), int(std::lround(at.y()))) + sprite.offset,
                         sprite.image);
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
