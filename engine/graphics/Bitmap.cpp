#include "Bitmap.h"

#include "EmfBytes.h"
#include "EmfDib.h"
#include "Errors.h"

namespace {

// BITMAPFILEHEADER: +0 "BM", +2 file size, +6 reserved, +10 offset of the
// bits from the start of the file; the BITMAPINFO follows at +14.
constexpr std::uint32_t kFileHeaderSize = 14;

QImage ReadDib(const QByteArray& bytes) {
  if (bytes.size() < qsizetype(kFileHeaderSize) + 12 || bytes.size() > 0x7FFFFFFF) return {};
  if (bytes.at(0) != 'B' || bytes.at(1) != 'M') return {};
  const emf::TByteView file(bytes.constData(), std::uint32_t(bytes.size()));
  const std::uint32_t offBits = file.U32(10);
  if (offBits <= kFileHeaderSize || offBits > file.Size()) return {};
  // The info block runs up to the bits; some writers leave a gap, which the
  // header's own size tells apart from the colour table.
  return emf::DecodeDib(file, kFileHeaderSize, offBits - kFileHeaderSize, offBits,
                        file.Size() - offBits);
}

}  // namespace

TBitmap::TBitmap(QImage bits, std::optional<QRgb> transparentColor)
    : bits_(std::move(bits)), transparentColor_(transparentColor) {
  if (bits_.isNull()) return;
  // Keep to the three layouts a stretched copy understands.
  switch (bits_.format()) {
    case QImage::Format_Mono:
    case QImage::Format_RGB888:
    case QImage::Format_RGB32:
      break;
    case QImage::Format_MonoLSB:
      bits_ = bits_.convertToFormat(QImage::Format_Mono);
      break;
    default:
      bits_ = bits_.convertToFormat(bits_.hasAlphaChannel() ? QImage::Format_RGB32
                                                            : QImage::Format_RGB888);
      break;
  }
}

TBitmap TBitmap::FromBytes(const QByteArray& bytes) {
  QImage bits = ReadDib(bytes);
  if (bits.isNull()) throw EInvalidGraphic(InvalidBitmapMessage());
  return TBitmap(std::move(bits));
}

void TBitmap::Draw(TCanvas& canvas, const QRect& dest) const {
  if (Empty()) return;
  canvas.StretchBitmap(dest, bits_);
}

QImage TBitmap::Masked() const {
  if (!transparentColor_ || bits_.isNull()) return bits_;
  QImage masked = bits_.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = *transparentColor_ & 0xFFFFFF;
  for (int y = 0; y < masked.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
    for (int x = 0; x < masked.width(); ++x)
      if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
  }
  return masked;
}
