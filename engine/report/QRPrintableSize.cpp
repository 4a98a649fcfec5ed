#include "QRPrintableSize.h"

#include "QRPrintable.h"

TQRPrintableSize::TQRPrintableSize(TQRPrintable* element)
    : TQRUnitBase(kValueCount), element_(element) {}

void TQRPrintableSize::SetHeight(long double value) {
  Put(kHeight, TQRDirection::Vertical, value);
  ResizeOwner();
}

void TQRPrintableSize::SetLeft(long double value) {
  Put(kLeft, TQRDirection::Horizontal, value);
  ResizeOwner();
}

void TQRPrintableSize::SetTop(long double value) {
  Put(kTop, TQRDirection::Vertical, value);
  ResizeOwner();
}

void TQRPrintableSize::SetWidth(long double value) {
  Put(kWidth, TQRDirection::Horizontal, value);
  ResizeOwner();
}

void TQRPrintableSize::ResizeOwner() {
  if (element_ == nullptr || UpdatingOwner()) return;
  TUpdatingOwner updating(*this);
  element_->SetBounds(RoundedPixels(kLeft, TQRDirection::Horizontal),
                      RoundedPixels(kTop, TQRDirection::Vertical),
                      RoundedPixels(kWidth, TQRDirection::Horizontal),
                      RoundedPixels(kHeight, TQRDirection::Vertical));
}

void TQRPrintableSize::ReadValues(const std::vector<long double>& values) {
  TQRUnitBase::ReadValues(values);
  if (element_ != nullptr && !element_->Loading()) ResizeOwner();
}
