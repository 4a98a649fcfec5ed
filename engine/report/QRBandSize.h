#pragma once
// The size of one band: Height and Width (Values in that order). Writing
// either resizes the band's on-screen image.

#include "QRUnitBase.h"

class TQRCustomBand;

class TQRBandSize : public TQRUnitBase {
 public:
  enum ValueIndex { kHeight, kWidth, kValueCount };

  explicit TQRBandSize(TQRCustomBand* band);

  long double Height() const { return Get(kHeight, TQRDirection::Vertical); }
  long double Width() const { return Get(kWidth, TQRDirection::Horizontal); }
  void SetHeight(long double value);
  void SetWidth(long double value);

  TQRCustomBand* Band() const { return band_; }

  // Gives the band the pixel width and height of Width and Height, keeping
  // its Left and Top.
  void ResizeOwner() override;
  void ReadValues(const std::vector<long double>& values) override;

 private:
  TQRCustomBand* band_;
};
