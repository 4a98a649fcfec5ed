// Paths as Windows programs write them: one path of several figures, corners
// and circles of Bézier records, filled by the polygon fill mode. Each page
// is played by both players (onto a QPainter, as the preview and the PNG and
// PDF output play it, and through the canvas calls, as a printed page plays
// it) and judged by its pixels: a ring must be a ring, a disc a disc.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>

#include "EmfBuilder.h"
#include "FakeCanvas.h"
#include "ForwardingCanvas.h"
#include "Metafile.h"
#include "PathFixtures.h"
#include "QPainterCanvas.h"

namespace {

using namespace pathfixtures;

constexpr int kSize = 200;  // the 100-pixel frame played twice its size

enum class TPlayer { Painter, Canvas };

QImage Played(const QByteArray& bytes, TPlayer player) {
  const TMetafile metafile = TMetafile::FromBytes(bytes);
  QImage image(kSize, kSize, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  if (player == TPlayer::Painter) {
    metafile.Play(painter, QRectF(0, 0, kSize, kSize));
  } else {
    TQPainterCanvas target(painter, 96);
    TForwardingCanvas canvas(target);
    metafile.Draw(canvas, QRect(0, 0, kSize, kSize));
  }
  painter.end();
  return image;
}

// What a point of the frame (in its 100-pixel units) must show.
enum class TInk { Paper, Brush, Pen };

struct TSpot {
  const char* where;
  int x, y;
  TInk ink;
};

const char* InkName(TInk ink) {
  return ink == TInk::Paper ? "paper" : ink == TInk::Brush ? "brush" : "pen";
}

TInk InkAt(const QImage& image, int x, int y) {
  const QRgb c = image.pixel(2 * x, 2 * y);
  if (qRed(c) > 200 && qGreen(c) > 200) return TInk::Paper;
  if (qRed(c) > 200) return TInk::Pen;
  return TInk::Brush;
}

// Points of the ring: its band, the hole, the corners that the curves cut
// off, and the two outlines. With `holeFilled` the fill takes the hole too.
std::vector<TSpot> RingSpots(bool filled, bool stroked, bool holeFilled = false) {
  const TInk band = filled ? TInk::Brush : TInk::Paper;
  const TInk edge = stroked ? TInk::Pen : filled ? TInk::Brush : TInk::Paper;
  const TInk hole = holeFilled ? TInk::Brush : TInk::Paper;
  return {{"left band", 20, 50, band},       {"right band", 80, 50, band},
          {"top band", 50, 20, band},        {"bottom band", 50, 80, band},
          {"hole", 50, 50, hole},            {"hole corner", 33, 33, hole},
          {"outside", 5, 50, TInk::Paper},   {"cut-off corner", 11, 11, TInk::Paper},
          {"rounded corner", 15, 15, band},  {"outer left edge", 10, 50, edge},
          {"inner right edge", 70, 50, edge}};
}

std::vector<TSpot> DiscSpots() {
  return {{"centre", 50, 50, TInk::Brush},        {"near the top", 50, 13, TInk::Brush},
          {"near the right", 87, 50, TInk::Brush}, {"outside the curve", 17, 17, TInk::Paper},
          {"page corner", 2, 2, TInk::Paper},      {"between the corner and the top", 25, 4, TInk::Paper},
          {"left of the start", 30, 9, TInk::Paper}};
}

struct TPathCase {
  const char* name;
  std::function<QByteArray()> page;
  std::vector<TSpot> spots;
  // When not 0: no ink farther than this from the frame's centre (50, 50).
  double inkRadius = 0;
};

// Inked pixels farther than `radius` frame units from the centre.
int StrayInk(const QImage& image, double radius) {
  int stray = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const double dx = (x + 0.5) / 2 - 50, dy = (y + 0.5) / 2 - 50;
      if (dx * dx + dy * dy > radius * radius && (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
        ++stray;
    }
  return stray;
}

const TPathCase kCases[] = {
    {"RingFillAlternate", [] { return Ring(TFillRecord::FillPath, TPolyFill::Alternate); },
     RingSpots(true, false)},
    // The inner figure turns the other way, so winding leaves the hole too.
    {"RingFillWinding", [] { return Ring(TFillRecord::FillPath, TPolyFill::Winding); },
     RingSpots(true, false)},
    {"RingStrokeAndFillAlternate",
     [] { return Ring(TFillRecord::StrokeAndFillPath, TPolyFill::Alternate); },
     RingSpots(true, true)},
    {"RingStrokeAndFillWinding",
     [] { return Ring(TFillRecord::StrokeAndFillPath, TPolyFill::Winding); },
     RingSpots(true, true)},
    {"RingStrokeAlternate", [] { return Ring(TFillRecord::StrokePath, TPolyFill::Alternate); },
     RingSpots(false, true)},
    {"RingStrokeWinding", [] { return Ring(TFillRecord::StrokePath, TPolyFill::Winding); },
     RingSpots(false, true)},
    // Both figures turning the same way: only the alternate mode leaves the
    // hole.
    {"RingInnerTurningAlongFillAlternate",
     [] { return Ring(TFillRecord::FillPath, TPolyFill::Alternate, false, TInner::TurningAlong); },
     RingSpots(true, false)},
    {"RingInnerTurningAlongFillWinding",
     [] { return Ring(TFillRecord::FillPath, TPolyFill::Winding, false, TInner::TurningAlong); },
     RingSpots(true, false, true)},
    // The path as the clip of a fill over the whole frame, by the same rules.
    {"RingClipAlternate", [] { return Ring(TFillRecord::SelectClipPath, TPolyFill::Alternate); },
     RingSpots(true, false)},
    {"RingClipWinding", [] { return Ring(TFillRecord::SelectClipPath, TPolyFill::Winding); },
     RingSpots(true, false)},
    {"RingInnerTurningAlongClipAlternate",
     [] {
       return Ring(TFillRecord::SelectClipPath, TPolyFill::Alternate, false, TInner::TurningAlong);
     },
     RingSpots(true, false)},
    {"RingInnerTurningAlongClipWinding",
     [] {
       return Ring(TFillRecord::SelectClipPath, TPolyFill::Winding, false, TInner::TurningAlong);
     },
     RingSpots(true, false, true)},
    // The same corners as 32-bit PolyBezierTo records.
    {"RingWith32BitCorners",
     [] { return Ring(TFillRecord::FillPath, TPolyFill::Alternate, true); },
     RingSpots(true, false)},
    {"DiscOfFourBezierQuarters", [] { return DiscFromMoveTo(); }, DiscSpots(), 41},
    // A plain PolyBezier starts at its own first point, not at (0, 0).
    {"DiscOfOnePlainPolyBezier", [] { return DiscOfOnePolyBezier(); }, DiscSpots(), 41},
};

class EmfPath : public ::testing::TestWithParam<std::tuple<TPathCase, TPlayer>> {};

TEST_P(EmfPath, FillsAsWindowsFills) {
  const auto& [c, player] = GetParam();
  const QImage image = Played(c.page(), player);
  for (const TSpot& spot : c.spots)
    EXPECT_EQ(InkName(InkAt(image, spot.x, spot.y)), std::string(InkName(spot.ink)))
        << spot.where << " at " << spot.x << "," << spot.y;
  if (c.inkRadius > 0) {
    EXPECT_EQ(StrayInk(image, c.inkRadius), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Metafile, EmfPath,
    ::testing::Combine(::testing::ValuesIn(kCases),
                       ::testing::Values(TPlayer::Painter, TPlayer::Canvas)),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) +
             (std::get<1>(info.param) == TPlayer::Painter ? "_OnPainter" : "_ThroughCanvas");
    });

// Where each figure of a path starts and ends, read from the lines the
// stroked path becomes on a canvas: every MoveTo begins a figure.
struct TFigureCase {
  const char* name;
  std::function<void(TEmfBuilder&)> records;  // inside BEGINPATH ... ENDPATH
  const char* lines;
};

enum : std::uint32_t { kPolyline16 = 87, kPolylineTo16 = 89, kMoveTo = 27, kLine = 54 };

void Poly16(TEmfBuilder& b, std::uint32_t type, std::initializer_list<QPoint> points) {
  std::vector<std::int64_t> fields = {0, 0, 0, 0, std::int64_t(points.size())};
  for (const QPoint& p : points)
    fields.push_back(std::int64_t(std::uint16_t(p.x())) | std::int64_t(std::uint16_t(p.y())) << 16);
  b.Record(type, fields);
}

const TFigureCase kFigureCases[] = {
    {"ToRecordsGoOnFromTheCurrentPosition",
     [](TEmfBuilder& b) {
       b.Record(kMoveTo, {10, 10}).Record(kLine, {20, 10});
       Poly16(b, kPolylineTo16, {{20, 20}, {10, 20}});
     },
     "MoveTo 10,10; LineTo 20,10; LineTo 20,20; LineTo 10,20"},
    {"MoveToExStartsAFigure",
     [](TEmfBuilder& b) {
       b.Record(kMoveTo, {10, 10}).Record(kLine, {20, 10});
       b.Record(kMoveTo, {30, 30}).Record(kLine, {40, 30});
     },
     "MoveTo 10,10; LineTo 20,10; MoveTo 30,30; LineTo 40,30"},
    {"PlainPolylineStartsAtItsOwnFirstPoint",
     [](TEmfBuilder& b) {
       b.Record(kMoveTo, {10, 10}).Record(kLine, {20, 10});
       Poly16(b, kPolyline16, {{50, 50}, {60, 50}});
     },
     "MoveTo 10,10; LineTo 20,10; MoveTo 50,50; LineTo 60,50"},
    // A plain record leaves the current position where it was: a line after
    // it starts there when the path ended elsewhere...
    {"LineAfterAPlainPolylineEndingElsewhere",
     [](TEmfBuilder& b) {
       b.Record(kMoveTo, {10, 10});
       Poly16(b, kPolyline16, {{50, 50}, {60, 50}});
       b.Record(kLine, {70, 70});
     },
     "MoveTo 50,50; LineTo 60,50; MoveTo 10,10; LineTo 70,70"},
    // ...and goes on from the path's end when that is the current position.
    {"LineAfterAPlainPolylineEndingAtThePosition",
     [](TEmfBuilder& b) {
       b.Record(kMoveTo, {60, 50});
       Poly16(b, kPolyline16, {{50, 50}, {60, 50}});
       b.Record(kLine, {70, 70});
     },
     "MoveTo 50,50; LineTo 60,50; LineTo 70,70"},
};

class EmfPathFigures : public ::testing::TestWithParam<TFigureCase> {};

TEST_P(EmfPathFigures, StartWhereGdiStartsThem) {
  const TFigureCase& c = GetParam();
  TEmfBuilder b(100, 100);
  b.Record(59 /* BEGINPATH */, {});
  c.records(b);
  b.Record(60 /* ENDPATH */, {});
  b.Record(64 /* STROKEPATH */, {0, 0, 99, 99});
  TFakeCanvas canvas;
  TMetafile::FromBytes(b.Bytes()).Draw(canvas, QRect(0, 0, 100, 100));
  QStringList lines;
  for (const QString& call : canvas.DrawingLog())
    if (call.startsWith(QLatin1String("MoveTo")) || call.startsWith(QLatin1String("LineTo")))
      lines << call;
  EXPECT_EQ(lines.join(QStringLiteral("; ")).toStdString(), c.lines);
}

INSTANTIATE_TEST_SUITE_P(Metafile, EmfPathFigures, ::testing::ValuesIn(kFigureCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
