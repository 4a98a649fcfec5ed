#include "QRFrame.h"

#include <QStringList>

#include "DesignValue.h"
#include "QRRound.h"

namespace {
// Line thickness in device pixels for a scale of device pixels per tenth of
// a millimetre: one point is 254 / 72 tenths.
int Thickness(long double scale, int width) {
  if (width == -1) return 1;
  int pixels = QRRound(scale / 72 * 254 * width);
  if (pixels < 1 && width >= 1) pixels = 1;
  return pixels;
}
}  // namespace

const QStringList& PenStyleNames() {
  static const QStringList names{
      QStringLiteral("psSolid"),      QStringLiteral("psDash"),  QStringLiteral("psDot"),
      QStringLiteral("psDashDot"),    QStringLiteral("psDashDotDot"),
      QStringLiteral("psClear"),      QStringLiteral("psInsideFrame")};
  return names;
}

void TQRFrame::PaintFrame(TCanvas& canvas, const QRect& rect, long double fx,
                          long double fy) const {
  if (!HasLines()) return;
  const int px = Thickness(fx, width_);
  const int py = Thickness(fy, width_);
  const int l = rect.left(), t = rect.top();
  const int r = rect.left() + rect.width(), b = rect.top() + rect.height();
  canvas.SetBrush(color_, TBrushStyle::bsSolid);
  canvas.SetPen(color_, 1, style_);
  if (px > 0 && py > 0) {
    if (drawTop_) canvas.FillRect(QRect(l, t, r - l, py));
    if (drawBottom_) canvas.FillRect(QRect(l, b - py, r - l, py));
    if (drawLeft_) canvas.FillRect(QRect(l, t, px, b - t));
    if (drawRight_) canvas.FillRect(QRect(r - px, t, px, b - t));
  }
  canvas.SetBrush(color_, TBrushStyle::bsClear);
}

bool TQRFrame::ReadProperty(const QString& name, const TDesignValue& value) {
  if (name == QLatin1String("Color")) color_ = AsColor(value);
  else if (name == QLatin1String("DrawTop")) drawTop_ = AsBoolean(value);
  else if (name == QLatin1String("DrawBottom")) drawBottom_ = AsBoolean(value);
  else if (name == QLatin1String("DrawLeft")) drawLeft_ = AsBoolean(value);
  else if (name == QLatin1String("DrawRight")) drawRight_ = AsBoolean(value);
  else if (name == QLatin1String("Style")) style_ = AsEnum<TPenStyle>(value, PenStyleNames());
  else if (name == QLatin1String("Width")) width_ = AsInteger(value);
  else return false;
  return true;
}
