#pragma once
// The QPen that draws like a GDI pen of a given style and width: styled
// (dashed, dotted) only when one pixel wide, round ends and joins when wider,
// as CreatePen's pens are.

#include <QLineF>
#include <QPen>
#include <QPolygonF>

#include "Canvas.h"

QPen MakeGdiPen(QRgb color, double width, TPenStyle style);

// The line Qt must draw with a one-pixel flat-capped pen to cover the pixels
// GDI's LineTo covers from `from` to `to`: the first pixel and not the last.
// `pixel` is one target pixel in the line's units. Empty for a line of no
// length, which GDI does not draw.
QLineF GdiThinLine(const QPointF& from, const QPointF& to, double pixel = 1.0);

// The same for a polyline: every vertex through the pixel centres, the ends
// moved so that the first pixel is drawn and the last is not.
QPolygonF GdiThinPolyline(const QPolygonF& points, double pixel = 1.0);
