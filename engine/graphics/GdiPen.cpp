#include "GdiPen.h"

#include <algorithm>
#include <cmath>

QPen MakeGdiPen(QRgb color, double width, TPenStyle style) {
  QPen pen(QColor::fromRgb(color));
  const bool thin = width <= 1.0;
  pen.setWidthF(thin ? 1.0 : std::min(width, 32767.0));  // Qt strokes no wider
  // One-pixel pens draw as GDI's do: from the first pixel up to, not
  // including, the last.
  pen.setCosmetic(thin);
  pen.setCapStyle(thin ? Qt::FlatCap : Qt::RoundCap);
  pen.setJoinStyle(thin ? Qt::MiterJoin : Qt::RoundJoin);
  switch (style) {
    case TPenStyle::psDash:
      pen.setStyle(thin ? Qt::DashLine : Qt::SolidLine);
      break;
    case TPenStyle::psDot:
      pen.setStyle(thin ? Qt::DotLine : Qt::SolidLine);
      break;
    case TPenStyle::psDashDot:
      pen.setStyle(thin ? Qt::DashDotLine : Qt::SolidLine);
      break;
    case TPenStyle::psDashDotDot:
      pen.setStyle(thin ? Qt::DashDotDotLine : Qt::SolidLine);
      break;
    case TPenStyle::psClear:
      pen.setStyle(Qt::NoPen);
      break;
    case TPenStyle::psSolid:
    case TPenStyle::psInsideFrame:
      pen.setStyle(Qt::SolidLine);
      break;
  }
  return pen;
}

namespace {

// Half a pixel back along the line's main axis: Qt's aliased lines skip a
// pixel whose centre is the start and draw one whose centre is the end.
QPointF MajorStep(const QPointF& from, const QPointF& to, double half) {
  const QPointF d = to - from;
  if (std::abs(d.x()) >= std::abs(d.y())) return QPointF(d.x() > 0 ? half : -half, 0);
  return QPointF(0, d.y() > 0 ? half : -half);
}

}  // namespace

QLineF GdiThinLine(const QPointF& from, const QPointF& to, double pixel) {
  if (from == to) return {};
  const double half = pixel / 2;
  const QPointF centre(half, half);
  const QPointF step = MajorStep(from, to, half);
  return QLineF(from + centre - step, to + centre - step);
}

QPolygonF GdiThinPolyline(const QPolygonF& points, double pixel) {
  const double half = pixel / 2;
  QPolygonF line = points.translated(half, half);
  if (line.size() < 2) return line;
  line.first() -= MajorStep(points[0], points[1], half);
  const qsizetype n = points.size();
  line.last() -= MajorStep(points[n - 2], points[n - 1], half);
  return line;
}
