#pragma once
// The stored position and size of one element, relative to its parent:
// Height, Left, Top and Width (Values in that order). Writing any of them
// moves or resizes the element's on-screen image to the rounded pixels.

#include "QRUnitBase.h"

class TQRPrintable;

class TQRPrintableSize : public TQRUnitBase {
 public:
  enum ValueIndex { kHeight, kLeft, kTop, kWidth, kValueCount };

  explicit TQRPrintableSize(TQRPrintable* element);

  long double Height() const { return Get(kHeight, TQRDirection::Vertical); }
  long double Left() const { return Get(kLeft, TQRDirection::Horizontal); }
  long double Top() const { return Get(kTop, TQRDirection::Vertical); }
  long double Width() const { return Get(kWidth, TQRDirection::Horizontal); }
  void SetHeight(long double value);
  void SetLeft(long double value);
  void SetTop(long double value);
  void SetWidth(long double value);

  TQRPrintable* Element() const { return element_; }

  // Gives the element the rounded pixel bounds of the stored values.
  void ResizeOwner() override;
  void ReadValues(const std::vector<long double>& values) override;

 private:
  TQRPrintable* element_;
};
