#pragma once
// Automatic size of a text element, in screen pixels: the element's width
// follows its widest line, its height is raised to one line when smaller
// (never shrunk, never grown beyond one line).

#include <QStringList>

#include "LineLayout.h"
#include "TextAlignment.h"

struct TPixelBounds {
  int left = 0;
  int width = 0;
  int height = 0;
  bool operator==(const TPixelBounds&) const = default;
};

// The frame lines that take room beside the text. `width` is the frame's
// Width taken as pixels; a hairline (negative Width) takes none.
struct TFrameSides {
  int width = 0;
  bool drawLeft = false;
  bool drawRight = false;
};

int WidestLine(const QStringList& lines, const TTextWidth& width);

// The height raised to one line when it is smaller.
int RaisedToLineHeight(int height, int lineHeight);

// New bounds for a widest line of `widest` pixels. `alignment` is the one
// applied to text (already mirrored for right-to-left): right alignment
// keeps the right edge, centre keeps the centre (the shift is rounded toward
// zero), left keeps the left edge.
TPixelBounds AutoSizedBounds(const TPixelBounds& bounds, int widest, const TFrameSides& frame,
                             TAlignment alignment, int lineHeight);
