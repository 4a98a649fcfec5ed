#pragma once
// Fonts of a playing metafile: the raw font that draws a LOGFONT at a pixel
// size (kept across replays, since making one costs far more than drawing
// with it) and the character height a LOGFONT height stands for.

#include <QImage>
#include <QPoint>
#include <QRawFont>
#include <QString>
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
  // By glyph index and colour.
  std::unordered_map<std::uint64_t, TGlyphSprite> sprites;
};

// The font of `face` (Arial when empty), weight and slant at `pixels`
// character height, without hinting, so that it scales in proportion. The
// reference holds until the next call.
TCachedFont& CachedFont(const QString& face, int weight, bool italic, double pixels);
const QRawFont& CachedRawFont(const QString& face, int weight, bool italic, double pixels);

// The sprite of `glyph` of `font` in `color`, made on first use.
const TGlyphSprite& GlyphSprite(TCachedFont& font, quint32 glyph, QRgb color);

// Character (em) height in logical units: a negative LOGFONT height is the
// em itself, a positive one the cell (ascent + descent), 0 a default size.
double EmHeight(const TFontDef& font);

}  // namespace emf
