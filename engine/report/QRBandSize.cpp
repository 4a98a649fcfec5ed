#include "QRBandSize.h"

#include "QRCustomBand.h"

TQRBandSize::TQRBandSize(TQRCustomBand* band) : TQRUnitBase(kValueCount), band_(band) {}

void TQRBandSize::SetHeight(long double value) {
  Put(kHeight, TQRDirection::Vertical, value);
  ResizeOwner();
}

void TQRBandSize::SetWidth(long double value) {
  Put(kWidth, TQRDirection::Horizontal, value);
  ResizeOwner();
}

// Unlike the page, a band size resizes its band even while it is already
// doing so: the report's layout, run from the band's bounds change, gives
// the band its width through this same holder. The band's layout flag is
// what ends that loop.
void TQRBandSize::ResizeOwner() {
  if (band_ == nullptr) return;
  TUpdatingOwner updating(*this);
  band_->SetBounds(band_->Left(), band_->Top(), RoundedPixels(kWidth, TQRDirection::Horizontal),
                   RoundedPixels(kHeight, TQRDirection::Vertical));
}

void TQRBandSize::ReadValues(const std::vector<long double>& values) {
  TQRUnitBase::ReadValues(values);
  // While a design loads the band applies its size at its loaded step.
  if (band_ != nullptr && !band_->Loading()) ResizeOwner();
}
