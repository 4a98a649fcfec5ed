#include "BitmapFile.h"

#include <cstdint>
#include <cstring>

namespace {

void Put16(QByteArray& out, std::uint16_t v) {
  char b[2];
  std::memcpy(b, &v, 2);  // little-endian host (x86-64, arm64)
  out.append(b, 2);
}
void Put32(QByteArray& out, std::uint32_t v) {
  char b[4];
  std::memcpy(b, &v, 4);
  out.append(b, 4);
}

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kV5HeaderSize = 124;

int RowBytes(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

void FileHeader(QByteArray& out, std::uint32_t fileSize, std::uint32_t pixelOffset) {
  out.append("BM", 2);
  Put32(out, fileSize);
  Put32(out, 0);
  Put32(out, pixelOffset);
}

// BITMAPINFOHEADER (40 bytes): size, width, height, planes, bits,
// compression, image size, x/y pixels per metre (96 dpi), colours used,
// important colours.
void InfoHeader(QByteArray& out, int width, int height, int bits, std::uint32_t compression,
                std::uint32_t imageSize, std::uint32_t headerSize, std::uint32_t colours) {
  Put32(out, headerSize);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<std::uint16_t>(bits));
  Put32(out, compression);
  Put32(out, imageSize);
  Put32(out, 3780);
  Put32(out, 3780);
  Put32(out, colours);
  Put32(out, 0);
}

int Nearest(QRgb c, const QVector<QRgb>& palette) {
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < palette.size(); ++i) {
    const long dr = qRed(c) - qRed(palette[i]), dg = qGreen(c) - qGreen(palette[i]),
               db = qBlue(c) - qBlue(palette[i]);
    const long d = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || d < bestDistance) bestDistance = d, best = i;
  }
  return best;
}

}  // namespace

QByteArray Bitmap24(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  const int row = RowBytes(image.width(), 24);
  const std::uint32_t imageSize = row * image.height();
  QByteArray out;
  FileHeader(out, kFileHeaderSize + kInfoHeaderSize + imageSize, kFileHeaderSize + kInfoHeaderSize);
  InfoHeader(out, image.width(), image.height(), 24, 0, imageSize, kInfoHeaderSize, 0);
  for (int y = image.height() - 1; y >= 0; --y) {
    QByteArray line;
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      line += char(qBlue(c));
      line += char(qGreen(c));
      line += char(qRed(c));
    }
    line.append(row - line.size(), '\0');
    out += line;
  }
  return out;
}

QByteArray Bitmap32(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const std::uint32_t imageSize = 4u * image.width() * image.height();
  QByteArray out;
  FileHeader(out, kFileHeaderSize + kV5HeaderSize + imageSize, kFileHeaderSize + kV5HeaderSize);
  InfoHeader(out, image.width(), image.height(), 32, 3 /* BI_BITFIELDS */, imageSize, kV5HeaderSize,
             0);
  Put32(out, 0x00FF0000);     // red mask
  Put32(out, 0x0000FF00);     // green
  Put32(out, 0x000000FF);     // blue
  Put32(out, 0xFF000000);     // alpha
  Put32(out, 0x73524742);     // 'sRGB' colour space
  out.append(36 + 12, '\0');  // end points, gamma
  Put32(out, 4);              // intent: LCS_GM_IMAGES
  Put32(out, 0);              // profile data
  Put32(out, 0);              // profile size
  Put32(out, 0);              // reserved
  for (int y = image.height() - 1; y >= 0; --y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      out += char(qBlue(c));
      out += char(qGreen(c));
      out += char(qRed(c));
      out += char(qAlpha(c));
    }
  return out;
}

QByteArray Icon4(const QImage& source, const QVector<QRgb>& palette) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const int w = image.width(), h = image.height();
  const int xorRow = RowBytes(w, 4), andRow = RowBytes(w, 1);
  const std::uint32_t bitmapSize = kInfoHeaderSize + 16 * 4 + (xorRow + andRow) * h;

  QByteArray out;
  Put16(out, 0);  // ICONDIR: reserved, type 1 = icon, one image
  Put16(out, 1);
  Put16(out, 1);
  out += char(w);  // ICONDIRENTRY: width, height, colours, reserved
  out += char(h);
  out += char(16);
  out += char(0);
  Put16(out, 1);  // planes
  Put16(out, 4);  // bits
  Put32(out, bitmapSize);
  Put32(out, 6 + 16);  // offset of the bitmap

  // The icon's bitmap header counts the colour and mask halves together.
  InfoHeader(out, w, 2 * h, 4, 0, (xorRow + andRow) * h, kInfoHeaderSize, 16);
  for (int i = 0; i < 16; ++i) {
    const QRgb c = i < palette.size() ? palette[i] : 0;
    out += char(qBlue(c));
    out += char(qGreen(c));
    out += char(qRed(c));
    out += char(0);
  }
  for (int y = h - 1; y >= 0; --y) {
    QByteArray line(xorRow, '\0');
    for (int x = 0; x < w; ++x) {
      const QRgb c = image.pixel(x, y);
      const int index = qAlpha(c) < 128 ? 0 : Nearest(c, palette);
      line[x / 2] = char(line[x / 2] | (x % 2 ? index : index << 4));
    }
    out += line;
  }
  for (int y = h - 1; y >= 0; --y) {
    QByteArray line(andRow, '\0');
    for (int x = 0; x < w; ++x)
      if (qAlpha(image.pixel(x, y)) < 128) line[x / 8] = char(line[x / 8] | (0x80 >> (x % 8)));
    out += line;
  }
  return out;
}
