#pragma once
// A JPEG picture. The file is decoded once, when it is read, with libjpeg at
// full scale into 24-bit RGB (block smoothing on, the decoder's default DCT
// method); the decoded bits are kept and every drawing stretches them with
// a plain source copy, as any bitmap draws.

#include <QByteArray>
#include <QImage>

#include "Canvas.h"

class TJPEGImage : public TGraphic {
 public:
  TJPEGImage() = default;

  // Throws EInvalidGraphic with libjpeg's reason for data it cannot decode
  // (damaged, truncated, or a colour model without an RGB conversion).
  static TJPEGImage FromBytes(const QByteArray& bytes);

  int Width() const override { return bits_.width(); }
  int Height() const override { return bits_.height(); }
  bool Empty() const override { return bits_.isNull(); }
  void Draw(TCanvas& canvas, const QRect& dest) const override;

  // The file as it was read, and its decoded RGB888 bits.
  const QByteArray& Bytes() const { return bytes_; }
  const QImage& Bits() const { return bits_; }

 private:
  QByteArray bytes_;
  QImage bits_;
};

// Starts with the JPEG start-of-image marker.
bool IsJpegData(const QByteArray& bytes);
