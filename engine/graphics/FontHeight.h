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

// The box a written line of text takes in whole pixels: the ascent and the
// descent of the font as drawn, each rounded up, so that no glyph is cut.
int TextCellHeight(const QFontMetricsF& metrics);

// Height of a line of text in the font of `spec`, in points: the font's
// ascent plus descent from its design units, at the point size itself.
// Nothing in it is rounded to a surface's pixels (a 16-point font is 21
// pixels on the screen, 133 at 600 dpi, 267 at 1200 dpi, each a little off
// 16 points), so every surface gives the same value, and text fits and
// stacks alike on the screen, a metafile page and paper. 0 when the font
// cannot be read.
double FontLineHeightPoints(const TFontSpec& spec);

// A line height in points as whole pixels of a surface of `pixelsPerInch`,
// rounded up so that the line fits in them.
int LineHeightPixels(double points, int pixelsPerInch);
