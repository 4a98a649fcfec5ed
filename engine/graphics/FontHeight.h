#pragma once
// Turning a font's point size into the pixel height of a surface, and a
// TFontSpec into the QFont that draws it. The height is the character height
// (the em size, GDI's negative logical height), rounded as GDI's MulDiv does.

#include <QFont>
#include <QFontMetricsF>

#include "Canvas.h"

// round(pointSize * pixelsPerInch / 72), halves away from zero; at least 1.
int FontPixelHeight(double pointSize, int pixelsPerInch);

// A QFont of `pixelHeight` pixels (character height) with the given face
// and styles. Faces are resolved by fontconfig (Arial -> Liberation Sans).
QFont MakeQFont(const TFontSpec& spec, int pixelHeight);

// Height of a text line in whole pixels: the ascent and the descent each
// rounded up, so that no glyph is cut. Every canvas measures with it.
int TextCellHeight(const QFontMetricsF& metrics);
