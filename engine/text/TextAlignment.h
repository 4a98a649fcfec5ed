#pragma once
// Horizontal alignment of a text element's lines, and how right-to-left
// alignment mirrors it.

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// The alignment actually applied to text: right-to-left alignment swaps left
// and right; centre stays.
constexpr TAlignment AppliedAlignment(TAlignment alignment, bool rightToLeft) {
  if (!rightToLeft) return alignment;
  switch (alignment) {
    case TAlignment::taLeftJustify:
      return TAlignment::taRightJustify;
    case TAlignment::taRightJustify:
      return TAlignment::taLeftJustify;
    case TAlignment::taCenter:
      break;
  }
  return alignment;
}
