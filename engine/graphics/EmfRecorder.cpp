#include "EmfRecorder.h"

#include <QFontMetricsF>
#include <QImage>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>

#include "EmfBytes.h"
#include "EmfRecords.h"
#include "FontHeight.h"
#include "ReferenceCanvas.h"

using namespace emf;

namespace {

// Reference device: a square of 10 inches at the screen's resolution, so
// that pixels per millimetre are exactly ppi / 25.4.
constexpr int kDeviceInches = 10;
constexpr int kDeviceMillimetres = 254;

std::int32_t HundredthsOfMm(int pixels, int ppi) {
  return std::int32_t(std::lround(double(pixels) * 2540.0 / ppi));
}

std::uint32_t PenStyleCode(TPenStyle style) {
  switch (style) {
    case TPenStyle::psSolid:
      return kPsSolid;
    case TPenStyle::psDash:
      return kPsDash;
    case TPenStyle::psDot:
      return kPsDot;
    case TPenStyle::psDashDot:
      return kPsDashDot;
    case TPenStyle::psDashDotDot:
      return kPsDashDotDot;
    case TPenStyle::psClear:
      return kPsNull;
    case TPenStyle::psInsideFrame:
      return kPsInsideFrame;
  }
  return kPsSolid;
}

}  // namespace

TEmfRecorder::TEmfRecorder(int widthPx, int heightPx)
    : width_(std::max(0, widthPx)), height_(std::max(0, heightPx)), ppi_(ScreenPixelsPerInch()) {
  out_.reserve(16384);
  TByteWriter w(out_);
  // Header; sizes, counts and bounds are patched in Finish().
  w.U32(kHeader);
  w.U32(kHeaderSize);
  w.Zeros(16);  // +8 rclBounds
  w.I32(0);     // +24 rclFrame
  w.I32(0);
  w.I32(HundredthsOfMm(width_, ppi_));
  w.I32(HundredthsOfMm(height_, ppi_));
  w.U32(kSignature);            // +40
  w.U32(kVersion);              // +44
  w.U32(0);                     // +48 nBytes
  w.U32(0);                     // +52 nRecords
  w.U16(1);                     // +56 nHandles
  w.U16(0);                     // +58 reserved
  w.U32(0);                     // +60 nDescription
  w.U32(0);                     // +64 offDescription
  w.U32(0);                     // +68 nPalEntries
  w.I32(ppi_ * kDeviceInches);  // +72 szlDevice
  w.I32(ppi_ * kDeviceInches);
  w.I32(kDeviceMillimetres);  // +80 szlMillimeters
  w.I32(kDeviceMillimetres);
  w.U32(0);                          // +88 cbPixelFormat
  w.U32(0);                          // +92 offPixelFormat
  w.U32(0);                          // +96 bOpenGL
  w.I32(kDeviceMillimetres * 1000);  // +100 szlMicrometers
  w.I32(kDeviceMillimetres * 1000);
  records_ = 1;

  // Text never paints its background; pictures are stretched colour on colour.
  BeginRecord(kSetBkMode);
  TByteWriter(out_).U32(1);
  EndRecord();
  BeginRecord(kSetStretchBltMode);
  TByteWriter(out_).U32(3);
  EndRecord();
  MeasureWith(TFontSpec());
}

TEmfRecorder::~TEmfRecorder() = default;

void TEmfRecorder::BeginRecord(std::uint32_t type) {
  recordStart_ = out_.size();
  TByteWriter w(out_);
  w.U32(type);
  w.U32(0);
}

void TEmfRecorder::EndRecord() {
  TByteWriter w(out_);
  w.PadTo4();
  w.PatchU32(recordStart_ + 4, std::uint32_t(out_.size() - recordStart_));
  ++records_;
}

std::uint32_t TEmfRecorder::TakeSlot() {
  for (std::uint32_t i = 1; i < slotUsed_.size(); ++i)
    if (!slotUsed_[i]) {
      slotUsed_[i] = true;
      return i;
    }
  slotUsed_.push_back(true);
  return std::uint32_t(slotUsed_.size() - 1);
}

void TEmfRecorder::SelectReplacing(std::uint32_t slot, std::uint32_t& current) {
  BeginRecord(kSelectObject);
  TByteWriter(out_).U32(slot);
  EndRecord();
  if (current != 0) {
    BeginRecord(kDeleteObject);
    TByteWriter(out_).U32(current);
    EndRecord();
    slotUsed_[current] = false;
  }
  current = slot;
}

// A GDI rectangle (right/bottom excluded) as the record's RECTL.
void TEmfRecorder::WriteRect(const QRect& r) {
  TByteWriter w(out_);
  w.I32(r.left());
  w.I32(r.top());
  w.I32(r.left() + r.width());
  w.I32(r.top() + r.height());
}

void TEmfRecorder::Include(const QRect& deviceBounds) {
  if (deviceBounds.isEmpty()) return;
  bounds_ = bounds_.isNull() ? deviceBounds : bounds_.united(deviceBounds);
}

QByteArray TEmfRecorder::Finish() {
  if (finished_) return out_;
  // Leave stock objects selected and delete ours, as GDI wants before EOF.
  const std::uint32_t stock[] = {kStockObject | 7, kStockObject | 0, kStockObject | 13};
  for (std::uint32_t s : stock) {
    BeginRecord(kSelectObject);
    TByteWriter(out_).U32(s);
    EndRecord();
  }
  for (std::uint32_t i = 1; i < slotUsed_.size(); ++i) {
    if (!slotUsed_[i]) continue;
    BeginRecord(kDeleteObject);
    TByteWriter(out_).U32(i);
    EndRecord();
  }
  BeginRecord(kEof);
  TByteWriter w(out_);
  w.U32(0);         // nPalEntries
  w.U32(16);        // offPalEntries
  w.U32(kEofSize);  // nSizeLast
  EndRecord();

  TByteWriter header(out_);
  if (bounds_.isEmpty()) {
    header.PatchU32(8, 0);
    header.PatchU32(12, 0);
    header.PatchU32(16, std::uint32_t(-1));
    header.PatchU32(20, std::uint32_t(-1));
  } else {
    header.PatchU32(8, std::uint32_t(bounds_.left()));
    header.PatchU32(12, std::uint32_t(bounds_.top()));
    header.PatchU32(16, std::uint32_t(bounds_.right()));
    header.PatchU32(20, std::uint32_t(bounds_.bottom()));
  }
  header.PatchU32(48, std::uint32_t(out_.size()));
  header.PatchU32(52, records_);
  // nHandles is 16 bits wide at +56, beside the reserved 16 bits.
  header.PatchU32(56, std::uint32_t(std::min<size_t>(slotUsed_.size(), 0xFFFF)));
  finished_ = true;
  return out_;
}

void TEmfRecorder::MeasureWith(const TFontSpec& font) {
  fontHeight_ = FontPixelHeight(font.pointSize, ppi_);
  qfont_ = MakeQFont(font, fontHeight_);
  metrics_ = std::make_unique<QFontMetricsF>(qfont_);
  latinAdvance_.fill(-1);
  lineHeight_ = FontLineHeightPoints(font);
}

void TEmfRecorder::SelectFont(const TFontSpec& font) {
  if (font_ != 0 && font == fontSpec_) return;
  fontSpec_ = font;
  MeasureWith(font);

  const std::uint32_t color = ColorRef(font.color);
  if (color != textColor_) {
    BeginRecord(kSetTextColor);
    TByteWriter(out_).U32(color);
    EndRecord();
    textColor_ = color;
  }

  const std::uint32_t slot = TakeSlot();
  // Our comment: the exact point size, for replays through a canvas.
  BeginRecord(kComment);
  {
    TByteWriter w(out_);
    w.U32(16);  // cbData
    w.U32(kPermisoComment);
    w.U32(kCommentFontSize);
    w.U32(slot);
    w.U32(std::uint32_t(std::lround(std::clamp(font.pointSize, 0.0, 4e6) * 1000)));
  }
  EndRecord();

  BeginRecord(kExtCreateFontIndirectW);
  TByteWriter w(out_);
  w.U32(slot);
  w.I32(-fontHeight_);                 // +12 lfHeight: character height
  w.I32(0);                            // +16 lfWidth
  w.I32(0);                            // +20 lfEscapement
  w.I32(0);                            // +24 lfOrientation
  w.I32(font.style.bold ? 700 : 400);  // +28 lfWeight
  w.U8(font.style.italic ? 1 : 0);     // +32
  w.U8(font.style.underline ? 1 : 0);  // +33
  w.U8(font.style.strikeOut ? 1 : 0);  // +34
  w.U8(std::uint8_t(font.charset));    // +35
  w.U8(0);                             // +36 out precision
  w.U8(0);                             // +37 clip precision
  w.U8(0);                             // +38 quality
  w.U8(0);                             // +39 pitch and family
  const QString face = font.face.left(31);
  for (int i = 0; i < 32; ++i) w.U16(i < face.size() ? face.at(i).unicode() : 0);  // +40
  w.Zeros(128 + 64 + 64);  // +104 full name, style, script
  w.U32(0x08007664);       // +360 design vector signature
  w.U32(0);                // +364 no axes
  EndRecord();
  SelectReplacing(slot, font_);
}

// Advances of each UTF-16 unit, rounded so that they add up to the rounded
// width of the text; the second unit of a surrogate pair advances 0.
std::vector<int> TEmfRecorder::Advances(const QString& text) {
  std::vector<int> dx(text.size(), 0);
  double sum = 0;
  int placed = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    double advance;
    if (c.unicode() < 256) {
      float& cached = latinAdvance_[c.unicode()];
      if (cached < 0) cached = float(metrics_->horizontalAdvance(c));
      advance = cached;
    } else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      advance = metrics_->horizontalAdvance(text.mid(i, 2));
    } else if (c.isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate()) {
      advance = 0;
    } else {
      advance = metrics_->horizontalAdvance(c);
    }
    sum += advance;
    const int edge = int(std::lround(sum));
    dx[i] = edge - placed;
    placed = edge;
  }
  return dx;
}

QSize TEmfRecorder::TextExtent(const QString& text) {
  int width = 0;
  for (int d : Advances(text)) width += d;
  return QSize(width, LineHeightPixels(lineHeight_, ppi_));
}

void TEmfRecorder::TextOut(int x, int y, TTextAnchor anchor, const QString& text,
                           bool rightToLeft) {
  // Text before any font would take the playing device's font.
  if (font_ == 0) SelectFont(TFontSpec());
  std::uint32_t align = 0;
  if (anchor == TTextAnchor::Right) align = kTaRight;
  if (anchor == TTextAnchor::Center) align = kTaCenter;
  if (align != textAlign_) {
    BeginRecord(kSetTextAlign);
    TByteWriter(out_).U32(align);
    EndRecord();
    textAlign_ = align;
  }
  const std::vector<int> dx = Advances(text);
  int width = 0;
  for (int d : dx) width += d;
  const int left = anchor == TTextAnchor::Left    ? x
                   : anchor == TTextAnchor::Right ? x - width
                                                  : x - width / 2;
  const int height = TextCellHeight(*metrics_);
  const QRect box(left, y, width, height);
  Include(box);

  const std::uint32_t n = std::uint32_t(text.size());
  const std::uint32_t stringBytes = (2 * n + 3) & ~3u;
  BeginRecord(kExtTextOutW);
  TByteWriter w(out_);
  if (box.isEmpty()) {
    w.I32(0), w.I32(0), w.I32(-1), w.I32(-1);
  } else {
    w.I32(box.left()), w.I32(box.top()), w.I32(box.right()), w.I32(box.bottom());
  }
  w.U32(1);                     // +24 GM_COMPATIBLE
  w.F32(float(2540.0 / ppi_));  // +28 exScale: 0.01 mm per pixel
  w.F32(float(2540.0 / ppi_));  // +32 eyScale
  w.I32(x);                     // +36 reference point
  w.I32(y);
  w.U32(n);                                  // +44 nChars
  w.U32(kTextFixedSize);                     // +48 offString
  w.U32(rightToLeft ? kEtoRtlReading : 0);   // +52 fOptions
  w.I32(0), w.I32(0), w.I32(-1), w.I32(-1);  // +56 no rectangle
  w.U32(kTextFixedSize + stringBytes);       // +72 offDx
  for (QChar c : text) w.U16(c.unicode());
  w.PadTo4();
  for (int d : dx) w.I32(d);
  EndRecord();
}

void TEmfRecorder::SetPen(QRgb color, int width, TPenStyle style) {
  const TPenSpec spec{color, width, style};
  if (pen_ != 0 && spec == penSpec_) return;
  penSpec_ = spec;
  penWidth_ = std::max(1, width);
  const std::uint32_t slot = TakeSlot();
  BeginRecord(kCreatePen);
  TByteWriter w(out_);
  w.U32(slot);
  w.U32(PenStyleCode(style));
  w.I32(std::max(0, width));
  w.I32(0);
  w.U32(ColorRef(color));
  EndRecord();
  SelectReplacing(slot, pen_);
}

void TEmfRecorder::SetBrush(QRgb color, TBrushStyle style) {
  const TBrushSpec spec{color, style};
  if (brush_ != 0 && spec == brushSpec_) return;
  brushSpec_ = spec;
  const std::uint32_t slot = TakeSlot();
  BeginRecord(kCreateBrushIndirect);
  TByteWriter w(out_);
  w.U32(slot);
  w.U32(style == TBrushStyle::bsSolid ? kBsSolid : kBsNull);
  w.U32(ColorRef(color));
  w.U32(0);
  EndRecord();
  SelectReplacing(slot, brush_);
}

// FillRect is what GDI records as a pattern copy without a bitmap.
void TEmfRecorder::FillRect(const QRect& r) {
  // An empty rectangle covers no pixel on any canvas.
  if (r.isEmpty()) return;
  const QRect box = r.normalized();
  Include(box);
  BeginRecord(kBitBlt);
  TByteWriter w(out_);
  if (box.isEmpty())
    w.I32(0), w.I32(0), w.I32(-1), w.I32(-1);
  else
    w.I32(box.left()), w.I32(box.top()), w.I32(box.right()), w.I32(box.bottom());
  w.I32(r.left());  // +24 xDest
  w.I32(r.top());
  w.I32(r.width());  // +32 cxDest
  w.I32(r.height());
  w.U32(kPatCopy);  // +40
  w.I32(0);         // +44 xSrc
  w.I32(0);
  w.F32(1), w.F32(0), w.F32(0), w.F32(1), w.F32(0), w.F32(0);  // +52 xformSrc
  w.U32(0);                                                    // +76 crBkColorSrc
  w.U32(0);                                                    // +80 iUsageSrc
  w.Zeros(16);                                                 // +84 no bitmap
  EndRecord();
}

void TEmfRecorder::Rectangle(const QRect& r) {
  if (r.isEmpty()) return;
  Include(r);
  BeginRecord(kRectangle);
  // Stored with right and bottom inclusive, as GDI's recorder does.
  TByteWriter w(out_);
  w.I32(r.left());
  w.I32(r.top());
  w.I32(r.left() + r.width() - 1);
  w.I32(r.top() + r.height() - 1);
  EndRecord();
}

void TEmfRecorder::Ellipse(const QRect& r) {
  if (r.isEmpty()) return;
  Include(r);
  BeginRecord(kEllipse);
  TByteWriter w(out_);
  w.I32(r.left());
  w.I32(r.top());
  w.I32(r.left() + r.width() - 1);
  w.I32(r.top() + r.height() - 1);
  EndRecord();
}

namespace {

// Inclusive bounds, or (0, 0, -1, -1) for none.
void WriteBounds(TByteWriter& w, const QRect& box) {
  if (box.isEmpty())
    w.I32(0), w.I32(0), w.I32(-1), w.I32(-1);
  else
    w.I32(box.left()), w.I32(box.top()), w.I32(box.right()), w.I32(box.bottom());
}

}  // namespace

// A path bracket holding the closed polygons (those of three points or
// more) as one poly-polygon, 16-bit when every point fits. Returns the
// pixels the polygons span, whose vertices are pixel corners (right and
// bottom outside), or nothing when there was no polygon to write.
std::optional<QRect> TEmfRecorder::PolygonPath(const std::vector<QPolygon>& polygons) {
  std::vector<const QPolygon*> figures;
  std::uint32_t points = 0;
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  bool narrow = true;
  for (const QPolygon& polygon : polygons) {
    if (polygon.size() < 3) continue;
    figures.push_back(&polygon);
    points += std::uint32_t(polygon.size());
    for (const QPoint& p : polygon) {
      left = std::min(left, p.x()), right = std::max(right, p.x());
      top = std::min(top, p.y()), bottom = std::max(bottom, p.y());
      narrow = narrow && p.x() >= INT16_MIN && p.x() <= INT16_MAX && p.y() >= INT16_MIN &&
               p.y() <= INT16_MAX;
    }
  }
  if (figures.empty()) return std::nullopt;
  const QRect box(QPoint(left, top), QPoint(right - 1, bottom - 1));
  BeginRecord(kBeginPath);
  EndRecord();
  BeginRecord(narrow ? kPolyPolygon16 : kPolyPolygon);
  {
    TByteWriter w(out_);
    WriteBounds(w, box);
    w.U32(std::uint32_t(figures.size()));  // +24 nPolys
    w.U32(points);                         // +28 cpts
    for (const QPolygon* figure : figures) w.U32(std::uint32_t(figure->size()));
    for (const QPolygon* figure : figures)
      for (const QPoint& p : *figure) {
        if (narrow) {
          w.U16(std::uint16_t(std::int16_t(p.x())));
          w.U16(std::uint16_t(std::int16_t(p.y())));
        } else {
          w.I32(p.x());
          w.I32(p.y());
        }
      }
  }
  EndRecord();
  BeginRecord(kEndPath);
  EndRecord();
  return box;
}

// GDI's FillPath over a path of closed figures.
void TEmfRecorder::FillPolygons(const std::vector<QPolygon>& polygons, TFillMode mode) {
  bool any = false;
  for (const QPolygon& polygon : polygons) any = any || polygon.size() >= 3;
  if (!any) return;
  const std::uint32_t fillMode = mode == TFillMode::fmWinding ? 2 : 1;
  if (fillMode != polyFillMode_) {
    BeginRecord(kSetPolyFillMode);
    TByteWriter(out_).U32(fillMode);
    EndRecord();
    polyFillMode_ = fillMode;
  }
  const QRect box = *PolygonPath(polygons);
  Include(box);
  BeginRecord(kFillPath);
  {
    TByteWriter w(out_);
    WriteBounds(w, box);
  }
  EndRecord();
}

// GDI's SelectClipPath (AND) over the region's rectangles as figures of a
// path; they never overlap, so the fill mode does not matter. An empty
// region is a figure that encloses nothing.
void TEmfRecorder::IntersectClipRegion(const QRegion& region) {
  std::vector<QPolygon> figures;
  for (const QRect& r : region)
    figures.push_back(QPolygon({r.topLeft(), QPoint(r.right() + 1, r.top()),
                                QPoint(r.right() + 1, r.bottom() + 1),
                                QPoint(r.left(), r.bottom() + 1)}));
  if (figures.empty()) figures.push_back(QPolygon({QPoint(), QPoint(), QPoint()}));
  PolygonPath(figures);
  BeginRecord(kSelectClipPath);
  TByteWriter(out_).U32(kRgnAnd);
  EndRecord();
}

void TEmfRecorder::MoveTo(int x, int y) {
  position_ = QPoint(x, y);
  BeginRecord(kMoveToEx);
  TByteWriter w(out_);
  w.I32(x);
  w.I32(y);
  EndRecord();
}

void TEmfRecorder::LineTo(int x, int y) {
  const int half = penWidth_ / 2;
  Include(QRect(QPoint(std::min(x, position_.x()) - half, std::min(y, position_.y()) - half),
                QPoint(std::max(x, position_.x()) + half, std::max(y, position_.y()) + half)));
  position_ = QPoint(x, y);
  BeginRecord(kLineTo);
  TByteWriter w(out_);
  w.I32(x);
  w.I32(y);
  EndRecord();
}

void TEmfRecorder::IntersectClipRect(const QRect& r) {
  BeginRecord(kIntersectClipRect);
  WriteRect(r);
  EndRecord();
}

void TEmfRecorder::RemoveClip() {
  BeginRecord(kExtSelectClipRgn);
  TByteWriter w(out_);
  w.U32(0);  // no region data: back to no clip
  w.U32(kRgnCopy);
  EndRecord();
}

void TEmfRecorder::StretchBitmap(const QRect& dest, const QImage& bits) {
  if (bits.isNull() || dest.isEmpty()) return;
  const bool mono = bits.format() == QImage::Format_Mono || bits.format() == QImage::Format_MonoLSB;
  const bool rgb32 = bits.format() == QImage::Format_RGB32 ||
                     bits.format() == QImage::Format_ARGB32 ||
                     bits.format() == QImage::Format_ARGB32_Premultiplied;
  const int bpp = mono ? 1 : rgb32 ? 32 : 24;
  const QImage source = mono    ? bits.convertToFormat(QImage::Format_Mono)
                        : rgb32 ? bits.convertToFormat(QImage::Format_RGB32)
                                : bits.convertToFormat(QImage::Format_RGB888);
  const int w = source.width();
  const int h = source.height();
  const std::uint32_t stride = std::uint32_t(((std::int64_t(w) * bpp + 31) / 32) * 4);
  const std::uint64_t bitsSize = std::uint64_t(stride) * std::uint64_t(h);
  if (bitsSize > 0x40000000u) return;  // over 1 GiB: not a page picture
  const std::uint32_t colours = mono ? 2 : 0;
  const std::uint32_t bmiSize = kBitmapInfoHeaderSize + 4 * colours;

  const QRect box = dest.normalized();
  Include(box);
  BeginRecord(kStretchDIBits);
  TByteWriter out(out_);
  if (box.isEmpty())
    out.I32(0), out.I32(0), out.I32(-1), out.I32(-1);
  else
    out.I32(box.left()), out.I32(box.top()), out.I32(box.right()), out.I32(box.bottom());
  out.I32(dest.left());  // +24 xDest
  out.I32(dest.top());
  out.I32(0);  // +32 xSrc
  out.I32(0);
  out.I32(w);  // +40 cxSrc
  out.I32(h);
  out.U32(kStretchDIBitsFixed);            // +48 offBmiSrc
  out.U32(bmiSize);                        // +52 cbBmiSrc
  out.U32(kStretchDIBitsFixed + bmiSize);  // +56 offBitsSrc
  out.U32(std::uint32_t(bitsSize));        // +60 cbBitsSrc
  out.U32(0);                              // +64 DIB_RGB_COLORS
  out.U32(kSrcCopy);                       // +68
  out.I32(dest.width());                   // +72 cxDest
  out.I32(dest.height());
  // BITMAPINFOHEADER, bottom-up.
  out.U32(kBitmapInfoHeaderSize);
  out.I32(w);
  out.I32(h);
  out.U16(1);
  out.U16(std::uint16_t(bpp));
  out.U32(0);  // BI_RGB
  out.U32(std::uint32_t(bitsSize));
  out.I32(0);
  out.I32(0);
  out.U32(colours);
  out.U32(0);
  if (mono) {
    for (int i = 0; i < 2; ++i) {
      const QRgb c = source.color(i);
      out.U8(std::uint8_t(qBlue(c)));
      out.U8(std::uint8_t(qGreen(c)));
      out.U8(std::uint8_t(qRed(c)));
      out.U8(0);
    }
  }
  QByteArray row(qsizetype(stride), '\0');
  for (int y = h - 1; y >= 0; --y) {
    const uchar* line = source.constScanLine(y);
    char* dst = row.data();
    if (bpp == 1) {
      std::memcpy(dst, line, size_t((w + 7) / 8));
    } else if (bpp == 24) {
      for (int x = 0; x < w; ++x) {
        dst[3 * x] = char(line[3 * x + 2]);
        dst[3 * x + 1] = char(line[3 * x + 1]);
        dst[3 * x + 2] = char(line[3 * x]);
      }
    } else {
      const QRgb* px = reinterpret_cast<const QRgb*>(line);
      for (int x = 0; x < w; ++x) {
        dst[4 * x] = char(qBlue(px[x]));
        dst[4 * x + 1] = char(qGreen(px[x]));
        dst[4 * x + 2] = char(qRed(px[x]));
        dst[4 * x + 3] = 0;
      }
    }
    out.Bytes(row.constData(), int(stride));
  }
  EndRecord();
}
