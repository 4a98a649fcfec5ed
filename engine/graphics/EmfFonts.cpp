#include "EmfFonts.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace emf {

namespace {
// A glyph image larger than this is not made: such a glyph is filled as a
// path each time instead.
constexpr std::int64_t kMaxSpritePixels = 1024 * 1024;
}  // namespace

TEmfFontCache::TEmfFontCache(std::size_t spriteBudget) : spriteBudget_(spriteBudget) {}

const TCachedFont& TEmfFontCache::Font(const QString& face, int weight, bool italic,
                                       double pixels) {
  const std::int64_t size64 =
      std::llround(std::clamp(std::isfinite(pixels) ? pixels : 1.0, 0.5, 20000.0) * 64);
  const TFontKey key{face, weight, italic, size64};
  const auto found = fonts_.find(key);
  if (found != fonts_.end()) {
    found->second.lastUse = ++uses_;
    return found->second.font;
  }
  if (fonts_.size() >= kMaxFonts) {
    // The least recently used font goes; its glyph images age out of the
    // sprite list by themselves, as nothing asks for them any more.
    const auto oldest = std::min_element(fonts_.begin(), fonts_.end(), [](const auto& a, const auto& b) {
      return a.second.lastUse < b.second.lastUse;
    });
    fonts_.erase(oldest);
  }
  QFont font(face.isEmpty() ? QStringLiteral("Arial") : face);
  font.setWeight(QFont::Weight(std::clamp(weight <= 0 ? 400 : weight, 100, 900)));
  font.setItalic(italic);
  font.setPixelSize(std::max(1, int(std::lround(size64 / 64.0))));
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
  TFontEntry entry;
  entry.font.raw = QRawFont::fromFont(font);
  if (entry.font.raw.isValid()) entry.font.raw.setPixelSize(size64 / 64.0);
  entry.font.id = nextFontId_++;
  entry.lastUse = ++uses_;
  return fonts_.emplace(key, std::move(entry)).first->second.font;
}

void TEmfFontCache::Evict(std::size_t room) {
  while (!sprites_.empty() && spriteBytes_ + room > spriteBudget_) {
    spriteBytes_ -= sprites_.back().bytes;
    spriteIndex_.erase(sprites_.back().key);
    sprites_.pop_back();
  }
}

const TGlyphSprite* TEmfFontCache::Sprite(const TCachedFont& font, quint32 glyph, QRgb color) {
  const TSpriteKey key{font.id, glyph, color & 0xFFFFFF};
  const auto found = spriteIndex_.find(key);
  if (found != spriteIndex_.end()) {
    sprites_.splice(sprites_.begin(), sprites_, found->second);
    return &found->second->sprite;
  }
  const QPainterPath path = font.raw.pathForGlyph(glyph);
  const QRect box = path.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
  const std::int64_t pixels = std::int64_t(box.width()) * box.height();
  if (path.isEmpty() || pixels > kMaxSpritePixels) return nullptr;
  const std::size_t bytes = std::size_t(pixels) * 4;
  if (bytes > spriteBudget_) return nullptr;
  Evict(bytes);
  TGlyphSprite sprite;
  sprite.offset = box.topLeft();
  sprite.image = QImage(box.size(), QImage::Format_ARGB32_Premultiplied);
  sprite.image.fill(Qt::transparent);
  {
    QPainter painter(&sprite.image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(-box.topLeft());
    painter.fillPath(path, QColor::fromRgb(color));
  }
  sprites_.push_front({key, std::move(sprite), bytes});
  spriteIndex_.emplace(key, sprites_.begin());
  spriteBytes_ += bytes;
  return &sprites_.front().sprite;
}

void TEmfFontCache::Clear() {
  spriteIndex_.clear();
  sprites_.clear();
  spriteBytes_ = 0;
  fonts_.clear();
}

double TEmfFontCache::EmHeight(const TFontDef& font) {
  if (font.height < 0) return -double(font.height);
  if (font.height == 0) return 16;
  const QRawFont& probe = Font(font.face, font.weight, font.italic, 100).raw;
  const double cell = probe.isValid() ? probe.ascent() + probe.descent() : 0;
  return cell > 0 ? font.height * 100.0 / cell : double(font.height);
}

}  // namespace emf
