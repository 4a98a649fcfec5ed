#include "EmfFonts.h"

#include <QFont>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace emf {

namespace {
// Face, weight, slant and pixel size in 1/64 pixel.
using TFontKey = std::tuple<QString, int, bool, std::int64_t>;
constexpr std::size_t kMaxCachedFonts = 512;
}  // namespace

const QRawFont& CachedRawFont(const QString& face, int weight, bool italic, double pixels) {
  static std::map<TFontKey, QRawFont> cache;
  const std::int64_t size64 =
      std::llround(std::clamp(std::isfinite(pixels) ? pixels : 1.0, 0.5, 20000.0) * 64);
  const TFontKey key{face, weight, italic, size64};
  const auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  if (cache.size() >= kMaxCachedFonts) cache.clear();
  QFont font(face.isEmpty() ? QStringLiteral("Arial") : face);
  font.setWeight(QFont::Weight(std::clamp(weight <= 0 ? 400 : weight, 100, 900)));
  font.setItalic(italic);
  font.setPixelSize(std::max(1, int(std::lround(size64 / 64.0))));
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
  QRawFont raw = QRawFont::fromFont(font);
  if (raw.isValid()) raw.setPixelSize(size64 / 64.0);
  return cache.emplace(key, std::move(raw)).first->second;
}

double EmHeight(const TFontDef& font) {
  if (font.height < 0) return -double(font.height);
  if (font.height == 0) return 16;
  const QRawFont& probe = CachedRawFont(font.face, font.weight, font.italic, 100);
  const double cell = probe.isValid() ? probe.ascent() + probe.descent() : 0;
  return cell > 0 ? font.height * 100.0 / cell : double(font.height);
}

}  // namespace emf
