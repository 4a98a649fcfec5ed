#include "GdiPen.h"

QPen MakeGdiPen(QRgb color, double width, TPenStyle style) {
  QPen pen(QColor::fromRgb(color));
  const bool thin = width <= 1.0;
  pen.setWidthF(thin ? 1.0 : width);
  pen.setCapStyle(thin ? Qt::FlatCap : Qt::RoundCap);
  pen.setJoinStyle(thin ? Qt::MiterJoin : Qt::RoundJoin);
  switch (style) {
    case TPenStyle::psDash: pen.setStyle(thin ? Qt::DashLine : Qt::SolidLine); break;
    case TPenStyle::psDot: pen.setStyle(thin ? Qt::DotLine : Qt::SolidLine); break;
    case TPenStyle::psDashDot: pen.setStyle(thin ? Qt::DashDotLine : Qt::SolidLine); break;
    case TPenStyle::psDashDotDot: pen.setStyle(thin ? Qt::DashDotDotLine : Qt::SolidLine); break;
    case TPenStyle::psClear: pen.setStyle(Qt::NoPen); break;
    case TPenStyle::psSolid:
    case TPenStyle::psInsideFrame: pen.setStyle(Qt::SolidLine); break;
  }
  return pen;
}
