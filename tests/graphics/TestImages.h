#pragma once
// Image files made in the test itself, so that every byte is known: Windows
// bitmap files of any depth and JPEG files encoded with libjpeg.

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <vector>

namespace testimages {

// A BMP file of `image`'s pixels at `bitsPerPixel` (1, 8, 24 or 32); 1 and 8
// bits use `palette` (indexes are taken from the image's colour table, so
// give an indexed image). Bottom-up unless `topDown`.
QByteArray Bmp(const QImage& image, int bitsPerPixel, bool topDown = false);

// A baseline (or progressive) JPEG of `image` at `quality`; grey when
// `grey` is set.
QByteArray Jpeg(const QImage& image, int quality = 95, bool progressive = false, bool grey = false);

// A small picture with four coloured quadrants: red, green / blue, white.
QImage Quadrants(int width, int height);

}  // namespace testimages
