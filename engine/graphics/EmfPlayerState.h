#pragma once
// What a playing EMF device context holds: the objects of the handle table,
// the selected pen, brush and font, the mapping from record coordinates to
// the target, text settings, the current position and the clip.

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRegion>
#include <QSizeF>
#include <QString>
#include <QTransform>
#include <cstdint>

namespace emf {

struct TPenDef {
  std::uint32_t style = 0;  // PS_* with end cap, join and type bits
  double width = 1;         // record units; 0 is one device pixel
  QRgb color = 0xFF000000;
  bool extended = false;  // EXTCREATEPEN: style bits say caps, joins, type
};

struct TBrushDef {
  std::uint32_t style = 0;  // BS_*
  QRgb color = 0xFFFFFFFF;
  std::uint32_t hatch = 0;
};

struct TFontDef {
  std::int32_t height = 0;  // < 0 character height, > 0 cell height
  std::int32_t escapement = 0;
  std::int32_t weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::uint8_t charset = 1;
  QString face;
  double pointSize = 0;  // exact size from our own comment, 0 if none
  bool operator==(const TFontDef&) const = default;
};

struct TObject {
  enum class Kind { None, Pen, Brush, Font, Other } kind = Kind::None;
  TPenDef pen;
  TBrushDef brush;
  TFontDef font;
};

struct TDcState {
  std::uint32_t mapMode = 1;
  QPointF windowOrg{0, 0};
  QSizeF windowExt{1, 1};
  QPointF viewportOrg{0, 0};
  QSizeF viewportExt{1, 1};
  QTransform world;

  TPenDef pen;
  TBrushDef brush;
  TFontDef font;

  std::uint32_t textAlign = 0;
  QRgb textColor = 0xFF000000;
  QRgb backColor = 0xFFFFFFFF;
  std::uint32_t backMode = 2;  // OPAQUE, as a new device context
  std::uint32_t polyFillMode = 1;  // ALTERNATE
  std::uint32_t arcDirection = 1;  // counter-clockwise
  std::uint32_t rop2 = 13;
  QPointF position;

  bool clipped = false;
  QRegion clip;  // in target coordinates
};

}  // namespace emf
