#pragma once
// The QPen that draws like a GDI pen of a given style and width: styled
// (dashed, dotted) only when one pixel wide, round ends and joins when wider,
// as CreatePen's pens are.

#include <QPen>

#include "Canvas.h"

QPen MakeGdiPen(QRgb color, double width, TPenStyle style);
