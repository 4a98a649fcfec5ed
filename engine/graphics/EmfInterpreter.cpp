#include "EmfInterpreter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "EmfDib.h"
#include "EmfRecords.h"
#include "Windows1252.h"

namespace emf {

namespace {

constexpr std::size_t kMaxSaveDepth = 1024;
constexpr double kFarAway = 1e7;  // target pixels

enum MapMode : std::uint32_t {
  kMmText = 1,
  kMmLoMetric,
  kMmHiMetric,
  kMmLoEnglish,
  kMmHiEnglish,
  kMmTwips,
  kMmIsotropic,
  kMmAnisotropic
};

QRectF Box(const TByteView& r, std::uint32_t at) {
  const double l = r.I32(at), t = r.I32(at + 4), rr = r.I32(at + 8), b = r.I32(at + 12);
  return QRectF(QPointF(l, t), QPointF(rr, b));
}

// A GDI rectangle (right/bottom outside), normalised.
QRectF GdiRect(const TByteView& r, std::uint32_t at) { return Box(r, at).normalized(); }

QTransform ReadXform(const TByteView& r, std::uint32_t at, bool& ok) {
  const double m[6] = {r.F32(at),      r.F32(at + 4),  r.F32(at + 8),
                       r.F32(at + 12), r.F32(at + 16), r.F32(at + 20)};
  ok = true;
  for (double v : m)
    if (!std::isfinite(v) || std::abs(v) > 1e9) ok = false;
  return QTransform(m[0], m[1], m[2], m[3], m[4], m[5]);
}

TObject StockObject(std::uint32_t n) {
  TObject o;
  auto brush = [&](std::uint32_t style, QRgb color) {
    o.kind = TObject::Kind::Brush;
    o.brush.style = style;
    o.brush.color = color;
  };
  auto pen = [&](std::uint32_t style, QRgb color) {
    o.kind = TObject::Kind::Pen;
    o.pen.style = style;
    o.pen.width = 0;
    o.pen.color = color;
  };
  switch (n) {
    case 0:
      brush(kBsSolid, 0xFFFFFFFF);
      break;
    case 1:
      brush(kBsSolid, 0xFFC0C0C0);
      break;
    case 2:
      brush(kBsSolid, 0xFF808080);
      break;
    case 3:
      brush(kBsSolid, 0xFF404040);
      break;
    case 4:
      brush(kBsSolid, 0xFF000000);
      break;
    case 5:
      brush(kBsNull, 0xFFFFFFFF);
      break;
    case 6:
      pen(kPsSolid, 0xFFFFFFFF);
      break;
    case 7:
      pen(kPsSolid, 0xFF000000);
      break;
    case 8:
      pen(kPsNull, 0xFF000000);
      break;
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 16:
    case 17:
      o.kind = TObject::Kind::Font;
      o.font.height = -12;
      o.font.face =
          (n == 10 || n == 11 || n == 16) ? QStringLiteral("Courier New") : QStringLiteral("Arial");
      break;
    case 18:
      brush(kBsSolid, 0xFFFFFFFF);
      break;
    case 19:
      pen(kPsSolid, 0xFF000000);
      break;
    default:
      break;
  }
  return o;
}

// The region a path of figures encloses by its fill rule. Each figure is
// closed, and the figures are joined into one polygon through the first
// point, every joining edge run once each way so that it adds nothing.
QRegion RegionOf(const QPainterPath& figures) {
  QPolygonF joined;
  for (QPolygonF figure : figures.toSubpathPolygons()) {
    if (figure.size() < 3) continue;
    if (figure.first() != figure.last()) figure << figure.first();
    const bool first = joined.isEmpty();
    joined += figure;
    if (!first) joined << joined.first();
  }
  if (joined.isEmpty()) return QRegion();
  return QRegion(joined.toPolygon(), figures.fillRule());
}

QString FaceName(const TByteView& r) {
  QString face;
  for (std::uint32_t i = 0; i < 32; ++i) {
    const std::uint16_t c = r.U16(40 + 2 * i);
    if (c == 0) break;
    face.append(QChar(c));
  }
  return face;
}

}  // namespace

TEmfInterpreter::TEmfInterpreter(const QByteArray& bytes, const TEmfLayout& layout,
                                 const QTransform& fit, TPlaybackCache* cache)
    : bytes_(bytes),
      layout_(layout),
      fit_(fit),
      ownCache_(cache ? nullptr : std::make_unique<TPlaybackCache>()),
      cache_(cache ? cache : ownCache_.get()) {
  // A fresh device context: black pen, white brush, the system font.
  state_.pen = StockObject(7).pen;
  state_.brush = StockObject(0).brush;
  state_.font = StockObject(13).font;
}

QImage TEmfInterpreter::BlitSource(const QImage& image, const QRectF& src, const QRectF& dest) {
  const QRectF source = src.normalized().intersected(QRectF(image.rect()));
  if (source.isEmpty() || dest.width() == 0 || dest.height() == 0) return {};
  const bool flipX = (dest.width() < 0) != (src.width() < 0);
  const bool flipY = (dest.height() < 0) != (src.height() < 0);
  QImage picture = image.copy(source.toAlignedRect());
  if (flipX || flipY) picture = picture.mirrored(flipX, flipY);
  return picture;
}

QRectF TEmfInterpreter::PictureRect(const TEmfLayout& layout) {
  const double frameW = double(layout.frame[2]) - layout.frame[0];
  const double frameH = double(layout.frame[3]) - layout.frame[1];
  const QRectF bounds(QPointF(layout.bounds[0], layout.bounds[1]),
                      QPointF(double(layout.bounds[2]) + 1, double(layout.bounds[3]) + 1));
  const bool haveBounds = bounds.width() > 0 && bounds.height() > 0;
  if (frameW > 0 && frameH > 0 && layout.deviceCx > 0 && layout.deviceCy > 0 && layout.mmCx > 0 &&
      layout.mmCy > 0) {
    const double pxX = double(layout.deviceCx) / (100.0 * layout.mmCx);
    const double pxY = double(layout.deviceCy) / (100.0 * layout.mmCy);
    // Whole reference pixels: a frame in 0.01 mm cannot hold a pixel size
    // exactly, and a picture replayed at its own size must map 1:1.
    const QRectF frame(std::round(layout.frame[0] * pxX), std::round(layout.frame[1] * pxY),
                       std::max(1.0, std::round(frameW * pxX)),
                       std::max(1.0, std::round(frameH * pxY)));
    // A frame that misses most of the drawing is wrong (some writers leave
    // it at the origin while drawing at negative coordinates): the drawing's
    // own bounds show what the file holds.
    if (!haveBounds) return frame;
    const QRectF inside = frame.intersected(bounds);
    if (inside.width() * inside.height() * 2 >= bounds.width() * bounds.height()) return frame;
    return bounds;
  }
  return haveBounds ? bounds : QRectF();
}

QTransform TEmfInterpreter::FitTransform(const TEmfLayout& layout, const QRectF& dest) {
  const QRectF picture = PictureRect(layout);
  if (picture.isEmpty()) return QTransform::fromTranslate(dest.left(), dest.top());
  const double sx = dest.width() / picture.width();
  const double sy = dest.height() / picture.height();
  return QTransform(sx, 0, 0, sy, dest.left() - picture.left() * sx,
                    dest.top() - picture.top() * sy);
}

double TEmfInterpreter::ReferencePpiY() const {
  if (layout_.deviceCy > 0 && layout_.mmCy > 0) return layout_.deviceCy * 25.4 / layout_.mmCy;
  return 96.0;
}

QTransform TEmfInterpreter::Page() const {
  const TDcState& s = state_;
  double sx = 1, sy = 1;
  const double pxPerMmX = layout_.mmCx > 0 && layout_.deviceCx > 0
                              ? double(layout_.deviceCx) / layout_.mmCx
                              : 96 / 25.4;
  const double pxPerMmY = layout_.mmCy > 0 && layout_.deviceCy > 0
                              ? double(layout_.deviceCy) / layout_.mmCy
                              : 96 / 25.4;
  auto fixed = [&](double mmPerUnit) {
    sx = mmPerUnit * pxPerMmX;
    sy = -mmPerUnit * pxPerMmY;
  };
  switch (s.mapMode) {
    case kMmLoMetric:
      fixed(0.1);
      break;
    case kMmHiMetric:
      fixed(0.01);
      break;
    case kMmLoEnglish:
      fixed(0.254);
      break;
    case kMmHiEnglish:
      fixed(0.0254);
      break;
    case kMmTwips:
      fixed(25.4 / 1440);
      break;
    case kMmIsotropic:
    case kMmAnisotropic:
      if (s.windowExt.width() != 0 && s.windowExt.height() != 0) {
        sx = s.viewportExt.width() / s.windowExt.width();
        sy = s.viewportExt.height() / s.windowExt.height();
        if (s.mapMode == kMmIsotropic) {
          const double m = std::min(std::abs(sx), std::abs(sy));
          sx = std::copysign(m, sx);
          sy = std::copysign(m, sy);
        }
      }
      break;
    default:
      break;
  }
  return QTransform::fromTranslate(-s.windowOrg.x(), -s.windowOrg.y()) *
         QTransform::fromScale(sx, sy) *
         QTransform::fromTranslate(s.viewportOrg.x(), s.viewportOrg.y());
}

const QTransform& TEmfInterpreter::Full() {
  if (!fullValid_) {
    full_ = state_.world * Page() * fit_;
    fullValid_ = true;
  }
  return full_;
}

bool TEmfInterpreter::Reasonable(const QRectF& logical) {
  const QRectF target = Full().mapRect(logical);
  return std::isfinite(target.left()) && std::isfinite(target.right()) &&
         std::isfinite(target.top()) && std::isfinite(target.bottom()) &&
         std::abs(target.left()) < kFarAway && std::abs(target.right()) < kFarAway &&
         std::abs(target.top()) < kFarAway && std::abs(target.bottom()) < kFarAway;
}

void TEmfInterpreter::Run() {
  for (const TRecordSpan& span : layout_.records) {
    if (span.type == kEof) break;
    Play(span);
  }
}

void TEmfInterpreter::Play(const TRecordSpan& span) {
  const TByteView r(bytes_.constData() + span.offset, span.size);
  switch (span.type) {
    case kSetWindowExtEx:
    case kSetWindowOrgEx:
    case kSetViewportExtEx:
    case kSetViewportOrgEx:
    case kSetMapMode:
    case kSetBkMode:
    case kSetPolyFillMode:
    case kSetArcDirection:
    case kSetRop2:
    case kSetTextAlign:
    case kSetTextColor:
    case kSetBkColor:
    case kMoveToEx:
    case kScaleViewportExtEx:
    case kScaleWindowExtEx:
    case kSaveDC:
    case kRestoreDC:
    case kSetWorldTransform:
    case kModifyWorldTransform:
    case kComment:
      PlayState(span.type, r);
      break;
    case kSelectObject:
    case kCreatePen:
    case kCreateBrushIndirect:
    case kDeleteObject:
    case kExtCreateFontIndirectW:
    case kExtCreatePen:
    case 93:
    case 94:
      PlayObject(span.type, r);
      break;
    case kExcludeClipRect:
    case kIntersectClipRect:
    case kExtSelectClipRgn:
    case 26 /* OFFSETCLIPRGN */:
    case kSelectClipPath:
      PlayClip(span.type, r);
      break;
    case kBitBlt:
    case kStretchBlt:
    case kStretchDIBits:
      PlayBlit(span.type, r, span.offset);
      break;
    case kExtTextOutA:
    case kExtTextOutW:
      PlayText(span.type, r);
      break;
    default:
      PlayDrawing(span.type, r);
      break;
  }
}

void TEmfInterpreter::PlayState(std::uint32_t type, const TByteView& r) {
  TDcState& s = state_;
  switch (type) {
    case kSetWindowExtEx:
      s.windowExt = QSizeF(r.I32(8), r.I32(12));
      MappingChanged();
      break;
    case kSetWindowOrgEx:
      s.windowOrg = QPointF(r.I32(8), r.I32(12));
      MappingChanged();
      break;
    case kSetViewportExtEx:
      s.viewportExt = QSizeF(r.I32(8), r.I32(12));
      MappingChanged();
      break;
    case kSetViewportOrgEx:
      s.viewportOrg = QPointF(r.I32(8), r.I32(12));
      MappingChanged();
      break;
    case kScaleViewportExtEx:
    case kScaleWindowExtEx: {
      const double xNum = r.I32(8), xDen = r.I32(12), yNum = r.I32(16), yDen = r.I32(20);
      if (xDen == 0 || yDen == 0) break;
      QSizeF& ext = type == kScaleViewportExtEx ? s.viewportExt : s.windowExt;
      ext = QSizeF(ext.width() * xNum / xDen, ext.height() * yNum / yDen);
      MappingChanged();
      break;
    }
    case kSetMapMode: {
      const std::uint32_t mode = r.U32(8);
      if (mode >= kMmText && mode <= kMmAnisotropic) s.mapMode = mode;
      MappingChanged();
      break;
    }
    case kSetBkMode:
      s.backMode = r.U32(8);
      break;
    case kSetPolyFillMode:
      s.polyFillMode = r.U32(8);
      break;
    case kSetArcDirection:
      if (r.U32(8) == 1 || r.U32(8) == 2) s.arcDirection = r.U32(8);
      break;
    case kSetRop2:
      s.rop2 = r.U32(8);
      break;
    case kSetTextAlign:
      s.textAlign = r.U32(8);
      break;
    case kSetTextColor:
      s.textColor = RgbFromColorRef(r.U32(8));
      TextColorChanged();
      break;
    case kSetBkColor:
      s.backColor = RgbFromColorRef(r.U32(8));
      break;
    case kMoveToEx:
      s.position = QPointF(r.I32(8), r.I32(12));
      if (pathOpen_)
        path_.MoveTo();
      else
        MovedTo(s.position);
      break;
    case kSaveDC:
      if (saved_.size() < kMaxSaveDepth) saved_.push_back(s);
      break;
    case kRestoreDC:
      Restore(r.I32(8));
      break;
    case kSetWorldTransform: {
      bool ok;
      const QTransform xf = ReadXform(r, 8, ok);
      if (ok) s.world = xf;
      MappingChanged();
      break;
    }
    case kModifyWorldTransform: {
      bool ok;
      const QTransform xf = ReadXform(r, 8, ok);
      const std::uint32_t mode = r.U32(32);
      if (mode == 1)
        s.world = QTransform();
      else if (!ok)
        break;
      else if (mode == 2)
        s.world = xf * s.world;
      else if (mode == 3)
        s.world = s.world * xf;
      else if (mode == 4)
        s.world = xf;
      MappingChanged();
      break;
    }
    case kComment:
      if (r.U32(8) >= 16 && r.U32(12) == kPermisoComment && r.U32(16) == kCommentFontSize)
        pendingPointSize_[r.U32(20)] = r.U32(24) / 1000.0;
      break;
    default:
      break;
  }
}

void TEmfInterpreter::Restore(std::int32_t level) {
  const std::int64_t depth = std::int64_t(saved_.size());
  std::int64_t keep;  // saves left after the restore
  if (level < 0 && -std::int64_t(level) <= depth)
    keep = depth + level;
  else if (level > 0 && level <= depth)
    keep = level - 1;
  else
    return;  // beyond the saved levels: ignored
  const TDcState before = state_;
  state_ = saved_[size_t(keep)];
  saved_.resize(size_t(keep));
  MappingChanged();
  if (!(before.pen.style == state_.pen.style && before.pen.width == state_.pen.width &&
        before.pen.color == state_.pen.color))
    PenSelected();
  if (!(before.brush.style == state_.brush.style && before.brush.color == state_.brush.color))
    BrushSelected();
  if (!(before.font == state_.font)) FontSelected();
  if (before.textColor != state_.textColor) TextColorChanged();
  if (before.clipped != state_.clipped || before.clip != state_.clip) {
    if (state_.clipped)
      ClipReplaced();
    else
      ClipRemoved();
  }
}

void TEmfInterpreter::Select(std::uint32_t index) {
  TObject object;
  if (index & kStockObject) {
    object = StockObject(index & ~kStockObject);
  } else {
    if (index == 0 || index >= objects_.size()) return;
    object = objects_[index];
  }
  switch (object.kind) {
    case TObject::Kind::Pen:
      state_.pen = object.pen;
      PenSelected();
      break;
    case TObject::Kind::Brush:
      state_.brush = object.brush;
      BrushSelected();
      break;
    case TObject::Kind::Font:
      state_.font = object.font;
      FontSelected();
      break;
    default:
      break;
  }
}

void TEmfInterpreter::PlayObject(std::uint32_t type, const TByteView& r) {
  const std::uint32_t index = r.U32(8);
  if (type == kSelectObject) {
    Select(index);
    return;
  }
  // Creation and deletion name a slot of the table; 0 and stock slots are
  // not ours to change. The table grows as slots are used, up to its size.
  if (index == 0 || index >= layout_.handles) return;
  if (index >= objects_.size()) {
    if (type == kDeleteObject) return;
    objects_.resize(index + 1);
  }
  TObject& o = objects_[index];
  switch (type) {
    case kDeleteObject:
      o = TObject();
      break;
    case kCreatePen:
      o = TObject();
      o.kind = TObject::Kind::Pen;
      o.pen.style = r.U32(12);
      o.pen.width = std::max(0, r.I32(16));
      o.pen.color = RgbFromColorRef(r.U32(24));
      break;
    case kExtCreatePen:
      o = TObject();
      o.kind = TObject::Kind::Pen;
      o.pen.extended = true;
      o.pen.style = r.U32(28);
      o.pen.width = double(std::min<std::uint32_t>(r.U32(32), 1u << 24));
      o.pen.color = RgbFromColorRef(r.U32(40));
      if (r.U32(36) == kBsNull) o.pen.style = (o.pen.style & ~0xFu) | kPsNull;
      break;
    case kCreateBrushIndirect:
      o = TObject();
      o.kind = TObject::Kind::Brush;
      o.brush.style = r.U32(12);
      o.brush.color = RgbFromColorRef(r.U32(16));
      o.brush.hatch = r.U32(20);
      break;
    case 93:  // CREATEMONOBRUSH
    case 94:  // CREATEDIBPATTERNBRUSHPT: drawn as a grey fill
      o = TObject();
      o.kind = TObject::Kind::Brush;
      o.brush.style = kBsSolid;
      o.brush.color = 0xFF808080;
      break;
    case kExtCreateFontIndirectW: {
      o = TObject();
      o.kind = TObject::Kind::Font;
      TFontDef& f = o.font;
      f.height = r.I32(12);
      if (f.height == std::numeric_limits<std::int32_t>::min()) f.height = 0;
      f.escapement = r.I32(20);
      f.weight = r.I32(28);
      f.italic = r.U8(32) != 0;
      f.underline = r.U8(33) != 0;
      f.strikeOut = r.U8(34) != 0;
      f.charset = r.U8(35);
      f.face = FaceName(r);
      const auto pending = pendingPointSize_.find(index);
      if (pending != pendingPointSize_.end()) {
        f.pointSize = pending->second;
        pendingPointSize_.erase(pending);
      }
      break;
    }
    default:
      break;
  }
}

void TEmfInterpreter::CombineClip(const QRegion& region, std::uint32_t mode) {
  TDcState& s = state_;
  switch (mode) {
    case 1:  // AND
      s.clip = s.clipped ? s.clip.intersected(region) : region;
      break;
    case 2:                    // OR
      if (!s.clipped) return;  // already everything
      s.clip = s.clip.united(region);
      break;
    case 3:  // XOR
      if (!s.clipped) return;
      s.clip = s.clip.xored(region);
      break;
    case 4:  // DIFF
      if (!s.clipped) return;
      s.clip = s.clip.subtracted(region);
      break;
    case 5:  // COPY
      s.clip = region;
      break;
    default:
      return;
  }
  s.clipped = true;
  ClipReplaced();
}

void TEmfInterpreter::PlayClip(std::uint32_t type, const TByteView& r) {
  TDcState& s = state_;
  switch (type) {
    case kIntersectClipRect: {
      const QRectF rect = GdiRect(r, 8);
      if (!Reasonable(rect)) return;
      const QRegion region(Full().mapRect(rect).toAlignedRect());
      s.clip = s.clipped ? s.clip.intersected(region) : region;
      s.clipped = true;
      ClipIntersected(rect);
      break;
    }
    case kExcludeClipRect: {
      const QRectF rect = GdiRect(r, 8);
      if (!Reasonable(rect)) return;
      const QRegion region(Full().mapRect(rect).toAlignedRect());
      const QRegion all(
          QRect(-int(kFarAway), -int(kFarAway), 2 * int(kFarAway), 2 * int(kFarAway)));
      s.clip = (s.clipped ? s.clip : all).subtracted(region);
      s.clipped = true;
      ClipReplaced();
      break;
    }
    case kExtSelectClipRgn: {
      const std::uint32_t cb = r.U32(8);
      const std::uint32_t mode = r.U32(12);
      if (cb == 0) {
        if (mode == kRgnCopy) {
          s.clipped = false;
          s.clip = QRegion();
          ClipRemoved();
        }
        return;
      }
      // Region rectangles are reference-device pixels.
      QRegion region;
      const std::uint32_t count = r.U32(24);
      for (std::uint32_t i = 0; i < count; ++i) {
        const QRectF rect = GdiRect(r, 48 + 16 * i);
        const QRectF target = fit_.mapRect(rect);
        if (std::abs(target.left()) > kFarAway || std::abs(target.right()) > kFarAway ||
            std::abs(target.top()) > kFarAway || std::abs(target.bottom()) > kFarAway)
          continue;
        region += target.toAlignedRect();
      }
      CombineClip(region, mode);
      break;
    }
    case 26: {  // OFFSETCLIPRGN, logical units
      if (!s.clipped) return;
      const QPointF delta = Full().map(QPointF(r.I32(8), r.I32(12))) - Full().map(QPointF(0, 0));
      if (std::abs(delta.x()) > kFarAway || std::abs(delta.y()) > kFarAway) return;
      s.clip.translate(delta.toPoint());
      ClipReplaced();
      break;
    }
    case kSelectClipPath: {
      if (pathOpen_ || path_.Empty()) return;
      const QPainterPath figures = Full().map(PathFigures());
      path_.Clear();
      const QRectF extent = figures.boundingRect();
      if (!std::isfinite(extent.width()) || !std::isfinite(extent.height()) ||
          std::abs(extent.left()) > kFarAway || std::abs(extent.right()) > kFarAway ||
          std::abs(extent.top()) > kFarAway || std::abs(extent.bottom()) > kFarAway)
        return;
      CombineClip(RegionOf(figures), r.U32(8));
      break;
    }
    default:
      break;
  }
}

void TEmfInterpreter::PlayDrawing(std::uint32_t type, const TByteView& r) {
  TDcState& s = state_;
  switch (type) {
    case kRectangle:
    case kEllipse:
    case kRoundRect: {
      const QRectF box = Box(r, 8).normalized();
      if (!Reasonable(box)) return;
      if (pathOpen_) {
        const QRectF area(box.left(), box.top(), box.width() + 1, box.height() + 1);
        if (type == kEllipse)
          path_.Ellipse(area, Turn());
        else if (type == kRoundRect)
          path_.RoundRect(area, QSizeF(r.I32(24), r.I32(28)), Turn());
        else
          path_.Rectangle(area, Turn());
        return;
      }
      if (type == kRectangle)
        Rectangle(box);
      else if (type == kEllipse)
        Ellipse(box);
      else
        RoundRect(box, QSizeF(r.I32(24), r.I32(28)));
      break;
    }
    case kLineTo: {
      const QPointF to(r.I32(8), r.I32(12));
      if (pathOpen_) {
        path_.LinesTo(s.position, QPolygonF{to});
      } else if (Reasonable(QRectF(s.position, to).normalized())) {
        Line(s.position, to);
      }
      s.position = to;
      break;
    }
    case kBeginPath:
      pathOpen_ = true;
      path_.Clear();
      break;
    case kEndPath:
      pathOpen_ = false;
      break;
    case kCloseFigure:
      if (pathOpen_) path_.CloseFigure();
      break;
    case kAbortPath:
      pathOpen_ = false;
      path_.Clear();
      break;
    case kFillPath:
    case kStrokePath:
    case kStrokeAndFillPath: {
      // A path still being defined cannot be used; it stays as it is.
      if (pathOpen_ || path_.Empty()) break;
      const QPainterPath figures = PathFigures();
      path_.Clear();
      if (Reasonable(figures.boundingRect()))
        StrokePath(figures, type != kFillPath, type != kStrokePath);
      break;
    }
    default:
      PlayPoly(type, r);
      break;
  }
}

void TEmfInterpreter::PlayPoly(std::uint32_t type, const TByteView& r) {
  const auto layout = PolyLayoutOf(type);
  if (!layout) return;                       // not a record this player draws
  const bool wide = layout->pointSize == 8;  // 32-bit points
  const bool multi = layout->several;
  const std::uint32_t polys = multi ? r.U32(24) : 1;
  const std::uint32_t count = multi ? r.U32(28) : r.U32(24);
  std::uint32_t at = multi ? 32 + 4 * polys : 28;
  const std::uint32_t step = layout->pointSize;
  auto point = [&](std::uint32_t i) {
    const std::uint32_t p = at + i * step;
    return wide ? QPointF(r.I32(p), r.I32(p + 4)) : QPointF(r.I16(p), r.I16(p + 2));
  };
  std::vector<QPolygonF> shapes;
  std::uint32_t next = 0;
  for (std::uint32_t k = 0; k < polys; ++k) {
    const std::uint32_t n = multi ? r.U32(32 + 4 * k) : count;
    QPolygonF shape;
    shape.reserve(int(n));
    for (std::uint32_t i = 0; i < n; ++i) shape.append(point(next + i));
    next += n;
    shapes.push_back(std::move(shape));
  }
  if (shapes.empty()) return;  // a poly-polygon of no polygons
  QRectF extent;
  for (const QPolygonF& shape : shapes) extent = extent.united(shape.boundingRect());
  if (!Reasonable(extent)) return;

  if (pathOpen_) {
    AddToPath(type, shapes);
    return;
  }
  TDcState& s = state_;
  const bool to = type == kPolylineTo || type == kPolylineTo16 || type == kPolyBezierTo ||
                  type == kPolyBezierTo16;
  const bool bezier = type == kPolyBezier || type == kPolyBezier16 || type == kPolyBezierTo ||
                      type == kPolyBezierTo16;
  const bool closed =
      type == kPolygon || type == kPolygon16 || type == kPolyPolygon || type == kPolyPolygon16;
  QPolygonF& first = shapes.front();
  if (to) first.prepend(s.position);
  if (to && !first.isEmpty()) s.position = first.last();
  if (bezier) {
    if (first.isEmpty()) return;
    QPainterPath curve;
    curve.moveTo(first.first());
    for (int i = 1; i + 2 < first.size(); i += 3)
      curve.cubicTo(first[i], first[i + 1], first[i + 2]);
    StrokePath(curve, true, false);
    return;
  }
  if (closed) {
    Polygons(shapes);
  } else {
    for (const QPolygonF& shape : shapes) Polyline(shape);
  }
}

// Inside a path bracket every poly record adds to the path (see TEmfPath);
// the "To" records go on from the current position and move it.
void TEmfInterpreter::AddToPath(std::uint32_t type, const std::vector<QPolygonF>& shapes) {
  TDcState& s = state_;
  const QPolygonF& points = shapes.front();
  switch (type) {
    case kPolylineTo:
    case kPolylineTo16:
      path_.LinesTo(s.position, points);
      if (!points.isEmpty()) s.position = points.last();
      break;
    case kPolyBezierTo:
    case kPolyBezierTo16:
      path_.BeziersTo(s.position, points);
      if (!points.isEmpty()) s.position = points.last();
      break;
    case kPolyBezier:
    case kPolyBezier16:
      path_.Beziers(points);
      break;
    case kPolygon:
    case kPolygon16:
      path_.Polygon(points);
      break;
    case kPolyPolygon:
    case kPolyPolygon16:
      for (const QPolygonF& shape : shapes) path_.Polygon(shape, TEmfPath::TMark::Left);
      break;
    case kPolyline:
    case kPolyline16:
      path_.Lines(points);
      break;
    default:  // the poly-polylines
      for (const QPolygonF& shape : shapes) path_.Lines(shape, TEmfPath::TMark::Left);
      break;
  }
}

void TEmfInterpreter::PlayText(std::uint32_t type, const TByteView& r) {
  TTextRun run;
  const std::uint32_t chars = r.U32(44);
  const std::uint32_t offString = r.U32(48);
  run.options = r.U32(52);
  run.align = state_.textAlign;
  run.reference = QPointF(r.I32(36), r.I32(40));
  const bool hasRect = (run.options & kEtoNoRect) == 0;
  if (hasRect) {
    const QRectF rect = GdiRect(r, 56);
    if (rect.width() > 0 && rect.height() > 0) run.rect = rect;
  }
  if (type == kExtTextOutW) {
    run.text.reserve(chars);
    for (std::uint32_t i = 0; i < chars; ++i) run.text.append(QChar(r.U16(offString + 2 * i)));
  } else {
    run.text = platform::DecodeWindows1252(QByteArray(r.Data() + offString, qsizetype(chars)));
  }
  const std::uint32_t offDx = r.U32(hasRect ? 72 : 56);
  if (offDx != 0 && chars > 0) {
    const bool pdy = (run.options & kEtoPdy) != 0;
    run.dx.resize(chars);
    if (pdy) run.dy.resize(chars);
    for (std::uint32_t i = 0; i < chars; ++i) {
      run.dx[i] = r.I32(offDx + (pdy ? 8 : 4) * i);
      if (pdy) run.dy[i] = r.I32(offDx + 8 * i + 4);
    }
  }
  if (state_.textAlign & kTaUpdateCp) run.reference = state_.position;
  if (!Reasonable(QRectF(run.reference, QSizeF(1, 1)))) return;
  if (pathOpen_) return;  // text in paths is not drawn
  Text(run);
  if (state_.textAlign & kTaUpdateCp) {
    double advance = 0;
    for (double d : run.dx) advance += d;
    state_.position.rx() += advance;
  }
}

QImage TEmfInterpreter::CachedDib(std::uint32_t offset, const TByteView& r, std::uint32_t at) {
  if (const QImage* kept = cache_->dibs.Find(offset)) return *kept;
  QImage image = DecodeDib(r, r.U32(at), r.U32(at + 4), r.U32(at + 8), r.U32(at + 12));
  cache_->dibs.Keep(offset, image);
  return image;
}

void TEmfInterpreter::PlayBlit(std::uint32_t type, const TByteView& r, std::uint32_t offset) {
  if (pathOpen_) return;
  QRectF dest, src;
  std::uint32_t rop, at;
  if (type == kStretchDIBits) {
    dest = QRectF(r.I32(24), r.I32(28), r.I32(72), r.I32(76));
    src = QRectF(r.I32(32), r.I32(36), r.I32(40), r.I32(44));
    rop = r.U32(68);
    at = 48;
  } else {
    dest = QRectF(r.I32(24), r.I32(28), r.I32(32), r.I32(36));
    rop = r.U32(40);
    at = 84;
    const double cx = type == kStretchBlt ? r.I32(100) : dest.width();
    const double cy = type == kStretchBlt ? r.I32(104) : dest.height();
    src = QRectF(r.I32(44), r.I32(48), cx, cy);
  }
  if (!Reasonable(dest.normalized())) return;
  if (r.U32(at + 4) == 0 && r.U32(at + 12) == 0) {
    if (type != kStretchDIBits) PatternBlit(dest.normalized(), rop);
    return;
  }
  const QImage image = CachedDib(offset, r, at);
  if (image.isNull()) return;
  if (type == kStretchDIBits) {
    // Source y of a bottom-up bitmap counts from its last row.
    const std::uint32_t offBmi = r.U32(48);
    const bool bottomUp = r.U32(offBmi) == 12 ? r.I16(offBmi + 6) > 0 : r.I32(offBmi + 8) > 0;
    if (bottomUp) src.moveTop(image.height() - src.top() - src.height());
  }
  Bitmap(dest, image, src, rop);
}

}  // namespace emf
