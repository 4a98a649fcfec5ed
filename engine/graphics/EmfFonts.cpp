#include "EmfFonts.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace emf {

namespace {
// Face, weight, slant and pixel size in 1/64 pixel.
using TFontKey = std::tuple<QString, int, bool, std::int64_t>;
constexpr std::size_t kMaxCachedFonts = 512;
constexpr std::size_t kMaxSpritesPerFont = 1024;
constexpr std::int64_t kMaxSpritePixels = 1024 * 1024;
}  // namespace

TCachedFont& CachedFont(const QString& face, int weight, bool italic, double pixels) {
  static std::map<TFontKey, TCachedFont> cache;
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
  TCachedFont entry;
  entry.raw = QRawFont::fromFont(font);
  if (entry.raw.isValid()) entry.raw.setPixelSize(size64 / 64.0);
  return cache.emplace(key, std::move(entry)).first->second;
}

const QRawFont& CachedRawFont(const QString& face, int weight, bool italic, double pixels) {
  return CachedFont(face, weight, italic, pixels).raw;
}

const TGlyphSprite& GlyphSprite(TCachedFont& font, quint32 glyph, QRgb color) {
  const std::uint64_t key = std::uint64_t(glyph) << 32 | (color & 0xFFFFFF);
  const auto found = font.sprites.find(key);
  if (found != font.sprites.end()) return found->second;
  if (font.sprites.size() >= kMaxSpritesPerFont) font.sprites.clear();
  TGlyphSprite sprite;
  const QPainterPath path = font.raw.pathForGlyph(glyph);
  const QRect box = path.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
  sprite.offset = box.topLeft();
  if (!path.isEmpty() && box.width() * std::int64_t(box.height()) <= kMaxSpritePixels) {
    sprite.image = QImage(box.size(), QImage::Format_ARGB32_Premultiplied);
    sprite.image.fill(Qt::transparent);
    QPainter painter(&sprite.image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(-box.topLeft());
    painter.fillPath(path, QColor::fromRgb(color));
  }
  return font.sprites.emplace(key, std::move(sprite)).first->second;
}

double EmHeight(const TFontDef& font) {
  if (font.height < 0) return -double(font.height);
  if (font.height == 0) return 16;
  const QRawFont& probe = CachedRawFont(font.face, font.weight, font.italic, 100);
  const double cell = probe.isValid() ? probe.ascent() + probe.descent() : 0;
  return cell > 0 ? font.height * 100.0 / cell : double(font.height);
}

}  // namespace emf
