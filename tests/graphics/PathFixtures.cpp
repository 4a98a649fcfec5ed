#include "PathFixtures.h"

#include <QPoint>

#include "EmfBuilder.h"

namespace pathfixtures {

namespace {

enum : std::uint32_t {
  kPolyBezier16 = 85,
  kPolyBezierTo = 5,
  kPolyBezierTo16 = 88,
  kSetPolyFillMode = 19,
  kRectangle = 43,
  kSelectClipPath = 67,
  kMoveToEx = 27,
  kSelectObject = 37,
  kCreatePen = 38,
  kLineTo = 54,
  kBeginPath = 59,
  kEndPath = 60,
  kCloseFigure = 61,
  kFillPath = 62,
  kStrokeAndFillPath = 63,
  kStrokePath = 64,
};
constexpr std::int64_t kStock = 0x80000000;

// A poly record of 16-bit points (x in the low half of each field) or of
// 32-bit points; the bounds are left 0, as readers ignore them.
void Poly(TEmfBuilder& b, std::uint32_t type, const std::vector<QPoint>& points, bool wide) {
  std::vector<std::int64_t> fields = {0, 0, 0, 0, std::int64_t(points.size())};
  for (const QPoint& p : points) {
    if (wide) {
      fields.push_back(p.x());
      fields.push_back(p.y());
    } else {
      fields.push_back(std::int64_t(std::uint16_t(p.x())) | std::int64_t(std::uint16_t(p.y())) << 16);
    }
  }
  b.Record(type, fields);
}

void Start(TEmfBuilder& b) {
  b.Record(kSelectObject, {kStock | 4});                // black brush
  b.Record(kCreatePen, {1, 0, 1, 0, 0x0000FF});         // red, one pixel
  b.Record(kSelectObject, {1});
}

void Finish(TEmfBuilder& b, TFillRecord record) {
  b.Record(kEndPath, {});
  if (record == TFillRecord::SelectClipPath) {
    b.Record(kSelectClipPath, {5});       // RGN_COPY
    b.Record(kSelectObject, {kStock | 8});  // no pen: the brush alone
    b.Record(kRectangle, {0, 0, 99, 99});
  } else {
    b.Record(record == TFillRecord::FillPath            ? kFillPath
             : record == TFillRecord::StrokeAndFillPath ? kStrokeAndFillPath
                                                        : kStrokePath,
             {0, 0, 99, 99});
  }
  b.Record(kSelectObject, {kStock | 7});
}

// Quarter circles of radius r as Bézier control points, from the top of a
// circle about c, clockwise on the page; k is the usual 0.5523 of r.
std::vector<QPoint> Quarters(QPoint c, int r) {
  const int k = 22;  // 0.5523 * 40
  return {{c.x() + k, c.y() - r}, {c.x() + r, c.y() - k}, {c.x() + r, c.y()},
          {c.x() + r, c.y() + k}, {c.x() + k, c.y() + r}, {c.x(), c.y() + r},
          {c.x() - k, c.y() + r}, {c.x() - r, c.y() + k}, {c.x() - r, c.y()},
          {c.x() - r, c.y() - k}, {c.x() - k, c.y() - r}, {c.x(), c.y() - r}};
}

}  // namespace

QByteArray Ring(TFillRecord record, TPolyFill mode, bool wideCorners, TInner inner) {
  TEmfBuilder b(100, 100);
  Start(b);
  b.Record(kSetPolyFillMode, {std::int64_t(mode)});
  b.Record(kBeginPath, {});
  // Outer: clockwise, each corner a curve from the end of the straight edge.
  const std::uint32_t corner = wideCorners ? kPolyBezierTo : kPolyBezierTo16;
  b.Record(kMoveToEx, {20, 10}).Record(kLineTo, {80, 10});
  Poly(b, corner, {{86, 10}, {90, 14}, {90, 20}}, wideCorners);
  b.Record(kLineTo, {90, 80});
  Poly(b, corner, {{90, 86}, {86, 90}, {80, 90}}, wideCorners);
  b.Record(kLineTo, {20, 90});
  Poly(b, corner, {{14, 90}, {10, 86}, {10, 80}}, wideCorners);
  b.Record(kLineTo, {10, 20});
  Poly(b, corner, {{10, 14}, {14, 10}, {20, 10}}, wideCorners);
  b.Record(kCloseFigure, {});
  // Inner: counter-clockwise, or clockwise as the outer one.
  b.Record(kMoveToEx, {30, 30});
  if (inner == TInner::TurningBack)
    b.Record(kLineTo, {30, 70}).Record(kLineTo, {70, 70}).Record(kLineTo, {70, 30});
  else
    b.Record(kLineTo, {70, 30}).Record(kLineTo, {70, 70}).Record(kLineTo, {30, 70});
  b.Record(kCloseFigure, {});
  Finish(b, record);
  return b.Bytes();
}

QByteArray DiscFromMoveTo() {
  TEmfBuilder b(100, 100);
  Start(b);
  b.Record(kBeginPath, {});
  b.Record(kMoveToEx, {50, 10});
  Poly(b, kPolyBezierTo16, Quarters({50, 50}, 40), false);
  b.Record(kCloseFigure, {});
  Finish(b, TFillRecord::FillPath);
  return b.Bytes();
}

QByteArray DiscOfOnePolyBezier() {
  TEmfBuilder b(100, 100);
  Start(b);
  b.Record(kBeginPath, {});
  std::vector<QPoint> points = {{50, 10}};
  for (const QPoint& p : Quarters({50, 50}, 40)) points.push_back(p);
  Poly(b, kPolyBezier16, points, false);
  b.Record(kCloseFigure, {});
  Finish(b, TFillRecord::FillPath);
  return b.Bytes();
}

std::vector<std::pair<QString, QByteArray>> All() {
  std::vector<std::pair<QString, QByteArray>> all;
  const char* records[] = {"fill", "strokeandfill", "stroke", "clip"};
  for (int r = 0; r < 4; ++r)
    for (TPolyFill mode : {TPolyFill::Alternate, TPolyFill::Winding})
      all.emplace_back(QStringLiteral("ring-%1-%2.emf")
                           .arg(QLatin1String(records[r]))
                           .arg(mode == TPolyFill::Winding ? QStringLiteral("winding")
                                                           : QStringLiteral("alternate")),
                       Ring(TFillRecord(r), mode));
  for (TPolyFill mode : {TPolyFill::Alternate, TPolyFill::Winding}) {
    const QString name = mode == TPolyFill::Winding ? QStringLiteral("winding")
                                                    : QStringLiteral("alternate");
    all.emplace_back(QStringLiteral("ring-inner-along-fill-%1.emf").arg(name),
                     Ring(TFillRecord::FillPath, mode, false, TInner::TurningAlong));
    all.emplace_back(QStringLiteral("ring-inner-along-clip-%1.emf").arg(name),
                     Ring(TFillRecord::SelectClipPath, mode, false, TInner::TurningAlong));
  }
  all.emplace_back(QStringLiteral("ring-fill-alternate-32bit.emf"),
                   Ring(TFillRecord::FillPath, TPolyFill::Alternate, true));
  all.emplace_back(QStringLiteral("disc-polybezierto16.emf"), DiscFromMoveTo());
  all.emplace_back(QStringLiteral("disc-polybezier16.emf"), DiscOfOnePolyBezier());
  return all;
}

}  // namespace pathfixtures
