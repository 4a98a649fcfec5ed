#pragma once
// Fonts of a playing metafile: the raw font that draws a LOGFONT at a pixel
// size, the glyph images of large glyphs, and the character height a
// LOGFONT height stands for.
//
// One TEmfFontCache belongs to one metafile and goes with it (the preview
// frees its page when it shows another or closes), so no font outlives the
// pages that use it, nor Qt's own font machinery at exit. Raw fonts are
// kept because making one costs far more than drawing with it; their number
// is bounded. Glyph images are kept within a byte budget, the least recently
// used going first, so that a page of many large glyphs in many colours
// costs time, not memory.

#include <QImage>
#include <QPoint>
#include <QRawFont>
#include <QString>
#include <cstdint>
#include <list>
#include <map>
#include <tuple>
#include <unordered_map>

#include "EmfPlayerState.h"

namespace emf {

// A glyph drawn once into an image of its own, for glyphs too large for
// Qt's glyph cache, which it would otherwise fill as paths on every replay.
struct TGlyphSprite {
  QImage image;   // premultiplied ARGB, the glyph in its colour
  QPoint offset;  // of the image's corner from the glyph's origin
};

struct TCachedFont {
  QRawFont raw;
  std::uint32_t id = 0;  // never reused: names the font's glyph images
};

class TEmfFontCache {
 public:
  // Bytes of glyph images kept at most.
  static constexpr std::size_t kSpriteBudget = std::size_t(16) << 20;
  // Raw fonts kept at most (a hostile page may ask for thousands of sizes).
  static constexpr std::size_t kMaxFonts = 64;

  explicit TEmfFontCache(std::size_t spriteBudget = kSpriteBudget);
  TEmfFontCache(const TEmfFontCache&) = delete;
  TEmfFontCache& operator=(const TEmfFontCache&) = delete;

  // The font of `face` (Arial when empty), weight and slant at `pixels`
  // character height, without hinting, so that it scales in proportion. The
  // reference holds until the next call of Font or EmHeight.
  const TCachedFont& Font(const QString& face, int weight, bool italic, double pixels);

  // The image of `glyph` of `font` (from Font) in `color`, made on first
  // use; null for a glyph with no outline or too large to keep. The pointer
  // holds until the next call of Sprite.
  const TGlyphSprite* Sprite(const TCachedFont& font, quint32 glyph, QRgb color);

  // Character (em) height in logical units: a negative LOGFONT height is the
  // em itself, a positive one the cell (ascent + descent), 0 a default size.
  double EmHeight(const TFontDef& font);

  // Drops every font and glyph image.
  void Clear();

  std::size_t FontCount() const { return fonts_.size(); }
  std::size_t SpriteBytes() const { return spriteBytes_; }

 private:
  // Face, weight, slant and pixel size in 1/64 pixel.
  using TFontKey = std::tuple<QString, int, bool, std::int64_t>;
  struct TFontEntry {
    TCachedFont font;
    std::uint64_t lastUse = 0;
  };
  struct TSpriteKey {
    std::uint32_t font;
    quint32 glyph;
    QRgb color;
    bool operator==(const TSpriteKey&) const = default;
  };
  struct TSpriteKeyHash {
    std::size_t operator()(const TSpriteKey& k) const {
      return std::hash<std::uint64_t>()(std::uint64_t(k.font) << 32 ^ k.glyph) ^
             std::hash<std::uint32_t>()(k.color) * 31;
    }
  };
  struct TSpriteEntry {
    TSpriteKey key;
    TGlyphSprite sprite;
    std::size_t bytes;
  };

  void Evict(std::size_t room);

  std::size_t spriteBudget_;
  std::map<TFontKey, TFontEntry> fonts_;
  std::uint32_t nextFontId_ = 1;
  std::uint64_t uses_ = 0;
  // Most recently used first.
  std::list<TSpriteEntry> sprites_;
  std::unordered_map<TSpriteKey, std::list<TSpriteEntry>::iterator, TSpriteKeyHash> spriteIndex_;
  std::size_t spriteBytes_ = 0;
};

}  // namespace emf
