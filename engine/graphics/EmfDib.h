#pragma once
// Device-independent bitmaps inside EMF records: the soundness check that
// loading applies, and decoding into a QImage. Sizes are capped so that no
// record can make the player allocate without bound.

#include <QImage>

#include "EmfBytes.h"

namespace emf {

// Largest bitmap a record may hold: 16384 pixels a side and 64 Mi pixels.
constexpr std::int64_t kMaxDibSide = 16384;
constexpr std::int64_t kMaxDibPixels = std::int64_t(1) << 26;

// True when the BITMAPINFO at [offBmi, offBmi + cbBmi) and the bits at
// [offBits, offBits + cbBits) of `record` describe a bitmap that can be
// read without leaving those ranges.
bool DibIsSound(const TByteView& record, std::uint32_t offBmi, std::uint32_t cbBmi,
                std::uint32_t offBits, std::uint32_t cbBits);

// The bitmap, top row first: Format_Mono for 1 bit per pixel, RGB888 for 24,
// RGB32 otherwise. A null image for what cannot be decoded (compressed
// bitmaps, palette-index colours) or for unsound ranges.
QImage DecodeDib(const TByteView& record, std::uint32_t offBmi, std::uint32_t cbBmi,
                 std::uint32_t offBits, std::uint32_t cbBits);

// `image` as ARGB32 with every pixel of colour `key` see-through: how a
// player without raster operations shows one half of a mask pair.
QImage ImageWithoutColour(const QImage& image, QRgb key);

}  // namespace emf
