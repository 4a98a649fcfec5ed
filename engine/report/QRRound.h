#pragma once
// Whole pixels and whole tenths of a millimetre come from stored measures by
// rounding to the nearest integer with halves going to the even neighbour,
// the same everywhere so that the screen image and the page agree.

#include <climits>
#include <cmath>

inline int QRRound(long double x) {
  if (!(x == x)) return 0;  // NaN has no whole value; treat it as nothing
  if (x >= static_cast<long double>(INT_MAX)) return INT_MAX;
  if (x <= static_cast<long double>(INT_MIN)) return INT_MIN;
  const long double down = std::floor(x);
  const long double diff = x - down;
  long double result = down;
  if (diff > 0.5L) {
    result = down + 1;
  } else if (diff == 0.5L) {
    result = std::fmod(down, 2.0L) == 0 ? down : down + 1;
  }
  return static_cast<int>(result);
}
