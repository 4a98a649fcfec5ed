#include "EmfDib.h"

namespace emf {

namespace {

struct TDibInfo {
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative: top-down
  int bpp = 0;
  std::uint32_t compression = 0;
  std::uint32_t headerSize = 0;
  std::uint32_t colours = 0;  // entries of the colour table
  std::uint32_t masks[3] = {0, 0, 0};
};

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiJpeg = 4,
                        kBiPng = 5;

std::int64_t Stride(const TDibInfo& info) { return ((info.width * info.bpp + 31) / 32) * 4; }

bool ReadInfo(const TByteView& bmi, TDibInfo& info) {
  if (bmi.Size() < 12) return false;
  info.headerSize = bmi.U32(0);
  int planes;
  if (info.headerSize == 12) {  // BITMAPCOREHEADER
    info.width = bmi.U16(4);
    info.height = bmi.I16(6);
    planes = bmi.U16(8);
    info.bpp = bmi.U16(10);
  } else {
    if (info.headerSize < 40 || info.headerSize > bmi.Size()) return false;
    info.width = bmi.I32(4);
    info.height = bmi.I32(8);
    planes = bmi.U16(12);
    info.bpp = bmi.U16(14);
    info.compression = bmi.U32(16);
  }
  if (planes != 1) return false;
  if (info.width <= 0 || info.height == 0 || info.width > kMaxDibSide ||
      info.height > kMaxDibSide || info.height < -kMaxDibSide)
    return false;
  const std::int64_t rows = info.height < 0 ? -info.height : info.height;
  if (info.width * rows > kMaxDibPixels) return false;
  const std::uint32_t entrySize = info.headerSize == 12 ? 3 : 4;
  switch (info.compression) {
    case kBiRgb:
      if (info.bpp != 1 && info.bpp != 4 && info.bpp != 8 && info.bpp != 16 && info.bpp != 24 &&
          info.bpp != 32)
        return false;
      break;
    case kBiBitfields:
      if (info.bpp != 16 && info.bpp != 32) return false;
      if (!bmi.Has(info.headerSize == 40 ? 40 : 40, 12)) return false;
      for (int i = 0; i < 3; ++i) info.masks[i] = bmi.U32(40 + 4 * i);
      break;
    case kBiRle8:
    case kBiRle4:
      if (info.height < 0) return false;
      break;
    case kBiJpeg:
    case kBiPng:
      if (info.height < 0) return false;
      return true;
    default:
      return false;
  }
  if (info.bpp <= 8) {
    const std::uint32_t used = info.headerSize == 12 ? 0 : bmi.U32(32);
    info.colours = used != 0 ? used : (1u << info.bpp);
    if (info.colours > 256) return false;
    if (!bmi.Has(info.headerSize, std::uint64_t(info.colours) * entrySize)) return false;
  }
  return true;
}

int MaskShift(std::uint32_t mask) {
  int shift = 0;
  while (shift < 32 && ((mask >> shift) & 1) == 0) ++shift;
  return shift;
}

// Scales a masked channel to 0..255.
int Channel(std::uint32_t value, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = MaskShift(mask);
  const std::uint32_t max = mask >> shift;
  return int(((value & mask) >> shift) * 255u / max);
}

}  // namespace

bool DibIsSound(const TByteView& record, std::uint32_t offBmi, std::uint32_t cbBmi,
                std::uint32_t offBits, std::uint32_t cbBits) {
  if (offBmi < 8 || !record.Has(offBmi, cbBmi) || !record.Has(offBits, cbBits)) return false;
  TDibInfo info;
  if (!ReadInfo(record.Sub(offBmi, cbBmi), info)) return false;
  if (info.compression == kBiRgb || info.compression == kBiBitfields) {
    const std::int64_t rows = info.height < 0 ? -info.height : info.height;
    if (Stride(info) * rows > std::int64_t(cbBits)) return false;
  }
  return true;
}

QImage DecodeDib(const TByteView& record, std::uint32_t offBmi, std::uint32_t cbBmi,
                 std::uint32_t offBits, std::uint32_t cbBits) {
  if (!DibIsSound(record, offBmi, cbBmi, offBits, cbBits)) return QImage();
  const TByteView bmi = record.Sub(offBmi, cbBmi);
  TDibInfo info;
  ReadInfo(bmi, info);
  if (info.compression != kBiRgb && info.compression != kBiBitfields) return QImage();
  const int width = int(info.width);
  const bool topDown = info.height < 0;
  const int height = int(topDown ? -info.height : info.height);
  const std::int64_t stride = Stride(info);
  const TByteView bits = record.Sub(offBits, cbBits);
  const std::uint32_t entrySize = info.headerSize == 12 ? 3 : 4;

  std::vector<QRgb> table(info.colours);
  for (std::uint32_t i = 0; i < info.colours; ++i) {
    const std::uint32_t at = info.headerSize + i * entrySize;
    table[i] = qRgb(bmi.U8(at + 2), bmi.U8(at + 1), bmi.U8(at));
  }

  QImage image;
  if (info.bpp == 1) {
    image = QImage(width, height, QImage::Format_Mono);
    image.setColorTable(QList<QRgb>(table.begin(), table.end()));
  } else if (info.bpp == 24) {
    image = QImage(width, height, QImage::Format_RGB888);
  } else {
    image = QImage(width, height, QImage::Format_RGB32);
  }
  if (image.isNull()) return QImage();

  std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};  // 16 bits: 5-5-5
  if (info.compression == kBiBitfields) std::copy(info.masks, info.masks + 3, masks);

  for (int y = 0; y < height; ++y) {
    const int sourceRow = topDown ? y : height - 1 - y;
    const char* row = bits.Data() + std::int64_t(sourceRow) * stride;
    uchar* dst = image.scanLine(y);
    switch (info.bpp) {
      case 1:
        std::memcpy(dst, row, size_t((width + 7) / 8));
        break;
      case 4:
      case 8: {
        QRgb* px = reinterpret_cast<QRgb*>(dst);
        for (int x = 0; x < width; ++x) {
          const unsigned byte = static_cast<unsigned char>(row[info.bpp == 8 ? x : x / 2]);
          const unsigned index = info.bpp == 8 ? byte : (x % 2 == 0 ? byte >> 4 : byte & 0xF);
          px[x] = index < table.size() ? table[index] : qRgb(0, 0, 0);
        }
        break;
      }
      case 16: {
        QRgb* px = reinterpret_cast<QRgb*>(dst);
        for (int x = 0; x < width; ++x) {
          const std::uint32_t v = static_cast<unsigned char>(row[2 * x]) |
                                  static_cast<unsigned char>(row[2 * x + 1]) << 8;
          px[x] = qRgb(Channel(v, masks[0]), Channel(v, masks[1]), Channel(v, masks[2]));
        }
        break;
      }
      case 24:
        for (int x = 0; x < width; ++x) {
          dst[3 * x] = uchar(row[3 * x + 2]);
          dst[3 * x + 1] = uchar(row[3 * x + 1]);
          dst[3 * x + 2] = uchar(row[3 * x]);
        }
        break;
      case 32: {
        QRgb* px = reinterpret_cast<QRgb*>(dst);
        const bool fields = info.compression == kBiBitfields;
        for (int x = 0; x < width; ++x) {
          const std::uint32_t v = LoadU32(row + 4 * x);
          // The fourth byte is not alpha for a plain blit.
          px[x] = fields ? qRgb(Channel(v, masks[0]), Channel(v, masks[1]), Channel(v, masks[2]))
                         : (0xFF000000u | (v & 0xFFFFFF));
        }
        break;
      }
    }
  }
  return image;
}

QImage ImageWithoutColour(const QImage& image, QRgb key) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x)
      if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF)) line[x] = 0;
  }
  return out;
}

}  // namespace emf
