#pragma once
// Horizontal alignment of an element (the side AlignToBand keeps, and how a
// text element anchors its lines), and how right-to-left alignment mirrors
// it. Plain enumerators, as designs and programs name them: taLeftJustify,
// and equally TAlignment::taLeftJustify.

enum TAlignment : int { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

// The alignment actually applied to text: right-to-left alignment swaps left
// and right; centre stays.
constexpr TAlignment AppliedAlignment(TAlignment alignment, bool rightToLeft) {
  if (!rightToLeft) return alignment;
  switch (alignment) {
    case taLeftJustify:
      return taRightJustify;
    case taRightJustify:
      return taLeftJustify;
    case taCenter:
      break;
  }
  return alignment;
}
