#pragma once
// Fonts of a playing metafile: the raw font that draws a LOGFONT at a pixel
// size (kept across replays, since making one costs far more than drawing
// with it) and the character height a LOGFONT height stands for.

#include <QRawFont>
#include <QString>

#include "EmfPlayerState.h"

namespace emf {

// The font of `face` (Arial when empty), weight and slant at `pixels`
// character height, without hinting, so that it scales in proportion.
const QRawFont& CachedRawFont(const QString& face, int weight, bool italic, double pixels);

// Character (em) height in logical units: a negative LOGFONT height is the
// em itself, a positive one the cell (ascent + descent), 0 a default size.
double EmHeight(const TFontDef& font);

}  // namespace emf
