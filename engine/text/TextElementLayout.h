#pragma once
// The whole line layout of a text element (label or memo) as one pure step:
// the element hands in its text and pixel geometry and gets back its output
// lines and its new pixel bounds. The element keeps the updating-bounds
// guard: it sets it while it applies the returned bounds, and passes
// `resize` false while it is set.
//
//   label (Caption source): the output text is laid out as one source text;
//     then, when resizing, the height is raised to one line whether or not
//     AutoSize is on;
//   memo (MemoLines source): with AutoSize its lines are copied unchanged,
//     otherwise each is laid out as a source text;
//   then, with AutoSize and when resizing: the width becomes the widest line
//     plus the left and right frame lines, the left edge moves by the applied
//     alignment, and the height is raised to one line.

#include "AutoSize.h"
#include "LineLayout.h"
#include "TextAlignment.h"

enum class TTextSource { Caption, MemoLines };

struct TTextLayoutRequest {
  TTextSource source = TTextSource::Caption;
  QString outputText;     // a label's text
  QStringList memoLines;  // a memo's text
  bool autoSize = true;
  bool wordWrap = true;
  TPixelBounds bounds;  // the element's pixel Left, Width (W) and Height
  TAlignment alignment = TAlignment::taLeftJustify;
  bool rightToLeftAlignment = false;
  TFrameSides frame;
  // The element is measured (it has an owning report) and not already
  // inside a size change: only then may its bounds change.
  bool resize = false;
};

struct TTextLayout {
  QStringList outputLines;
  TPixelBounds bounds;  // the request's bounds unless resized
};

// `width`: layout width of a text in pixels; `lineHeight`: the one-line
// height in pixels (read only when `resize` is set); `line`, when given,
// grows the lines being broken with the same widths as `width`.
TTextLayout LayoutTextElement(const TTextLayoutRequest& request, const TTextWidth& width,
                              int lineHeight, TGrowingLine* line = nullptr);
