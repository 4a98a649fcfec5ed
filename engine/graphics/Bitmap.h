#pragma once
// A device-independent bitmap held as a QImage: Format_Mono for one bit per
// pixel, RGB888 for 24 bits, RGB32 for the rest (palette and 16-bit pixels
// are expanded when the file is read). It draws by stretching its bits into
// the target rectangle with a plain source copy. A transparent colour may be
// attached; it travels with the bitmap for surfaces that mask it, but the
// stretched copy itself never blends.

#include <QByteArray>
#include <QImage>
#include <optional>

#include "Canvas.h"

class TBitmap : public TGraphic {
 public:
  TBitmap() = default;
  explicit TBitmap(QImage bits, std::optional<QRgb> transparentColor = std::nullopt);

  // A Windows bitmap file ("BM" header). Throws EInvalidGraphic("Bitmap
  // image is not valid") for a truncated or damaged file.
  static TBitmap FromBytes(const QByteArray& bytes);

  int Width() const override { return bits_.width(); }
  int Height() const override { return bits_.height(); }
  bool Empty() const override { return bits_.isNull(); }
  void Draw(TCanvas& canvas, const QRect& dest) const override;

  const QImage& Bits() const { return bits_; }
  bool Monochrome() const { return bits_.format() == QImage::Format_Mono; }

  std::optional<QRgb> TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(std::optional<QRgb> color) { transparentColor_ = color; }
  // The bits with every pixel of the transparent colour see-through (an
  // ARGB32 image); the plain bits when no colour is set.
  QImage Masked() const;

 private:
  QImage bits_;
  std::optional<QRgb> transparentColor_;
};

inline QString InvalidBitmapMessage() { return QStringLiteral("Bitmap image is not valid"); }
