#pragma once
// A page rectangle in tenths of a millimetre as the device rectangle an
// element or band draws in: every corner converted on its own, so the
// device width is DeviceX(right) - DeviceX(left), never DeviceWidth(width).

#include <QRect>

#include "QRPrinter.h"

inline QRect DeviceRect(const TQRPrinter& printer, long double left, long double top,
                        long double right, long double bottom) {
  const int l = printer.DeviceX(double(left));
  const int t = printer.DeviceY(double(top));
  return QRect(l, t, printer.DeviceX(double(right)) - l, printer.DeviceY(double(bottom)) - t);
}
