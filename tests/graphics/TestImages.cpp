#include "TestImages.h"

#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>

namespace testimages {

namespace {

void Put32(QByteArray& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}
void Put16(QByteArray& out, std::uint16_t v) {
  out.append(char(v & 0xFF));
  out.append(char(v >> 8));
}

}  // namespace

QByteArray Bmp(const QImage& image, int bpp, bool topDown) {
  const int w = image.width(), h = image.height();
  const int stride = ((w * bpp + 31) / 32) * 4;
  const QList<QRgb> table = image.colorTable();
  const int colours = bpp <= 8 ? int(table.size()) : 0;
  const std::uint32_t offBits = 14 + 40 + 4 * colours;
  QByteArray out;
  out.append("BM");
  Put32(out, offBits + stride * h);
  Put32(out, 0);
  Put32(out, offBits);
  Put32(out, 40);
  Put32(out, std::uint32_t(w));
  Put32(out, std::uint32_t(topDown ? -h : h));
  Put16(out, 1);
  Put16(out, std::uint16_t(bpp));
  Put32(out, 0);  // BI_RGB
  Put32(out, std::uint32_t(stride * h));
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, std::uint32_t(colours));
  Put32(out, 0);
  for (QRgb c : table.mid(0, colours)) {
    out.append(char(qBlue(c)));
    out.append(char(qGreen(c)));
    out.append(char(qRed(c)));
    out.append('\0');
  }
  for (int row = 0; row < h; ++row) {
    const int y = topDown ? row : h - 1 - row;
    QByteArray line(stride, '\0');
    for (int x = 0; x < w; ++x) {
      switch (bpp) {
        case 1:
          if (image.pixelIndex(x, y)) line[x / 8] = char(line[x / 8] | (0x80 >> (x % 8)));
          break;
        case 8:
          line[x] = char(image.pixelIndex(x, y));
          break;
        case 24: {
          const QRgb c = image.pixel(x, y);
          line[3 * x] = char(qBlue(c));
          line[3 * x + 1] = char(qGreen(c));
          line[3 * x + 2] = char(qRed(c));
          break;
        }
        case 32: {
          const QRgb c = image.pixel(x, y);
          line[4 * x] = char(qBlue(c));
          line[4 * x + 1] = char(qGreen(c));
          line[4 * x + 2] = char(qRed(c));
          line[4 * x + 3] = char(0x55);  // not alpha in a plain bitmap
          break;
        }
      }
    }
    out.append(line);
  }
  return out;
}

QByteArray Jpeg(const QImage& image, int quality, bool progressive, bool grey) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(rgb.width());
  info.image_height = JDIMENSION(rgb.height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  if (grey) jpeg_set_colorspace(&info, JCS_GRAYSCALE);
  jpeg_set_quality(&info, quality, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<uchar*>(rgb.constScanLine(int(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  QByteArray out(reinterpret_cast<const char*>(buffer), qsizetype(size));
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

QImage Quadrants(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool right = x >= width / 2, bottom = y >= height / 2;
      image.setPixel(x, y,
                     !bottom ? (right ? qRgb(0, 160, 0) : qRgb(220, 0, 0))
                             : (right ? qRgb(255, 255, 255) : qRgb(0, 0, 200)));
    }
  return image;
}

}  // namespace testimages
