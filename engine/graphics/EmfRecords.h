#pragma once
// EMF record types, fixed record sizes and the constants this recorder and
// player use. Offsets below are from the start of a record, its 8-byte
// header (type, size) included.

#include <cstdint>
#include <optional>

namespace emf {

enum RecordType : std::uint32_t {
  kHeader = 1,
  kPolyBezier = 2,
  kPolygon = 3,
  kPolyline = 4,
  kPolyBezierTo = 5,
  kPolylineTo = 6,
  kPolyPolyline = 7,
  kPolyPolygon = 8,
  kSetWindowExtEx = 9,
  kSetWindowOrgEx = 10,
  kSetViewportExtEx = 11,
  kSetViewportOrgEx = 12,
  kEof = 14,
  kSetMapMode = 17,
  kSetBkMode = 18,
  kSetPolyFillMode = 19,
  kSetRop2 = 20,
  kSetStretchBltMode = 21,
  kSetTextAlign = 22,
  kSetTextColor = 24,
  kSetBkColor = 25,
  kMoveToEx = 27,
  kExcludeClipRect = 29,
  kIntersectClipRect = 30,
  kScaleViewportExtEx = 31,
  kScaleWindowExtEx = 32,
  kSaveDC = 33,
  kRestoreDC = 34,
  kSetWorldTransform = 35,
  kModifyWorldTransform = 36,
  kSelectObject = 37,
  kCreatePen = 38,
  kCreateBrushIndirect = 39,
  kDeleteObject = 40,
  kEllipse = 42,
  kRectangle = 43,
  kRoundRect = 44,
  kLineTo = 54,
  kSetArcDirection = 57,
  kBeginPath = 59,
  kEndPath = 60,
  kCloseFigure = 61,
  kFillPath = 62,
  kStrokeAndFillPath = 63,
  kStrokePath = 64,
  kSelectClipPath = 67,
  kAbortPath = 68,
  kComment = 70,
  kExtSelectClipRgn = 75,
  kBitBlt = 76,
  kStretchBlt = 77,
  kStretchDIBits = 81,
  kExtCreateFontIndirectW = 82,
  kExtTextOutA = 83,
  kExtTextOutW = 84,
  kPolyBezier16 = 85,
  kPolygon16 = 86,
  kPolyline16 = 87,
  kPolyBezierTo16 = 88,
  kPolylineTo16 = 89,
  kPolyPolyline16 = 90,
  kPolyPolygon16 = 91,
  kExtCreatePen = 95,
};

constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kVersion = 0x00010000;
constexpr std::uint32_t kStockObject = 0x80000000;

// Sizes of what this recorder writes (and the minimum the player needs).
constexpr std::uint32_t kHeaderSize = 108;     // with both extensions
constexpr std::uint32_t kHeaderBaseSize = 88;  // the oldest header
constexpr std::uint32_t kEofSize = 20;
constexpr std::uint32_t kCreatePenSize = 28;
constexpr std::uint32_t kCreateBrushSize = 24;
constexpr std::uint32_t kFontRecordSize = 368;  // LOGFONTW + LogFontExDv
constexpr std::uint32_t kLogFontEnd = 104;      // end of the LOGFONTW part
constexpr std::uint32_t kTextFixedSize = 76;    // EMREXTTEXTOUTW up to the string
constexpr std::uint32_t kStretchDIBitsFixed = 80;
constexpr std::uint32_t kBitBltFixed = 100;
constexpr std::uint32_t kStretchBltFixed = 108;
constexpr std::uint32_t kBitmapInfoHeaderSize = 40;

// Text alignment flags.
constexpr std::uint32_t kTaUpdateCp = 1;
constexpr std::uint32_t kTaRight = 2;
constexpr std::uint32_t kTaCenter = 6;
constexpr std::uint32_t kTaBottom = 8;
constexpr std::uint32_t kTaBaseline = 24;
constexpr std::uint32_t kTaRtlReading = 0x100;

// ExtTextOut options.
constexpr std::uint32_t kEtoOpaque = 0x2;
constexpr std::uint32_t kEtoClipped = 0x4;
constexpr std::uint32_t kEtoGlyphIndex = 0x10;
constexpr std::uint32_t kEtoRtlReading = 0x80;
constexpr std::uint32_t kEtoNoRect = 0x100;
constexpr std::uint32_t kEtoPdy = 0x2000;

// Pen and brush styles.
constexpr std::uint32_t kPsSolid = 0, kPsDash = 1, kPsDot = 2, kPsDashDot = 3, kPsDashDotDot = 4,
                        kPsNull = 5, kPsInsideFrame = 6;
constexpr std::uint32_t kBsSolid = 0, kBsNull = 1, kBsHatched = 2;

constexpr std::uint32_t kRgnAnd = 1;
constexpr std::uint32_t kRgnCopy = 5;
// Ternary raster operations (BitBlt and its kin) the players tell apart.
constexpr std::uint32_t kSrcCopy = 0x00CC0020;
constexpr std::uint32_t kPatCopy = 0x00F00021;
constexpr std::uint32_t kSrcPaint = 0x00EE0086;
constexpr std::uint32_t kSrcAnd = 0x008800C6;
constexpr std::uint32_t kSrcInvert = 0x00660046;
constexpr std::uint32_t kNotSrcCopy = 0x00330008;
constexpr std::uint32_t kBlackness = 0x00000042;
constexpr std::uint32_t kWhiteness = 0x00FF0062;
constexpr std::uint32_t kDstInvert = 0x00550009;
constexpr std::uint32_t kPatInvert = 0x005A0049;
constexpr std::uint32_t kDestUnchanged = 0x00AA0029;

// Binary raster operations (SETROP2).
constexpr std::uint32_t kR2Black = 1, kR2Nop = 11, kR2White = 16;

// Our own comment: the exact point size of the next font created, so that a
// replay through a canvas selects the size that was asked for. Data:
// identifier, kind, handle index, point size * 1000.
constexpr std::uint32_t kPermisoComment = 0x534D5250;  // "PRMS"
constexpr std::uint32_t kCommentFontSize = 1;
constexpr std::uint32_t kFontSizeCommentSize = 28;

// COLORREF 0x00BBGGRR <-> QRgb 0xAARRGGBB.
constexpr std::uint32_t ColorRef(std::uint32_t rgb) {
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}
constexpr std::uint32_t RgbFromColorRef(std::uint32_t ref) {
  return 0xFF000000u | ((ref & 0xFF) << 16) | (ref & 0xFF00) | ((ref >> 16) & 0xFF);
}

// How a record of the polyline family holds its points: 8-byte (32-bit) or
// 4-byte (16-bit) points, one list or several; no value for other records.
struct TPolyLayout {
  std::uint32_t pointSize;
  bool several;
};
constexpr std::optional<TPolyLayout> PolyLayoutOf(std::uint32_t type) {
  switch (type) {
    case kPolyBezier:
    case kPolygon:
    case kPolyline:
    case kPolyBezierTo:
    case kPolylineTo:
      return TPolyLayout{8, false};
    case kPolyBezier16:
    case kPolygon16:
    case kPolyline16:
    case kPolyBezierTo16:
    case kPolylineTo16:
      return TPolyLayout{4, false};
    case kPolyPolyline:
    case kPolyPolygon:
      return TPolyLayout{8, true};
    case kPolyPolyline16:
    case kPolyPolygon16:
      return TPolyLayout{4, true};
    default:
      return std::nullopt;
  }
}

static_assert(kHeaderSize == 88 + 12 + 8, "header with extensions 1 and 2");
static_assert(kFontRecordSize == 12 + 92 + 264, "record header, LOGFONTW, LogFontExDv rest");
static_assert(kTextFixedSize == 8 + 16 + 4 + 8 + 8 + 4 + 4 + 4 + 16 + 4, "EMREXTTEXTOUTW");
static_assert(kStretchDIBitsFixed == 8 + 16 + 4 * 14, "EMRSTRETCHDIBITS");
static_assert(kBitBltFixed == 8 + 16 + 16 + 4 + 8 + 24 + 4 * 6, "EMRBITBLT");

}  // namespace emf
