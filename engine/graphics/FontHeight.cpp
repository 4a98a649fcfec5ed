#include "FontHeight.h"

#include <algorithm>
#include <cmath>

int FontPixelHeight(double pointSize, int pixelsPerInch) {
  const double pixels = pointSize * pixelsPerInch / 72.0;
  const double rounded = pixels < 0 ? -std::floor(-pixels + 0.5) : std::floor(pixels + 0.5);
  return std::max(1, int(std::clamp(rounded, -1e6, 1e6)));
}

QFont MakeQFont(const TFontSpec& spec, int pixelHeight) {
  QFont font(spec.face);
  font.setPixelSize(std::max(1, pixelHeight));
  font.setBold(spec.style.bold);
  font.setItalic(spec.style.italic);
  font.setUnderline(spec.style.underline);
  font.setStrikeOut(spec.style.strikeOut);
  // Pixel-exact layout: the same advances on every surface of a given height.
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
  return font;
}

int TextCellHeight(const QFontMetricsF& metrics) {
  return int(std::ceil(metrics.ascent()) + std::ceil(metrics.descent()));
}
