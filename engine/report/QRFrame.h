#pragma once
// The frame lines of an element, a band or a report: which of the four
// sides are drawn, their colour and their thickness in points (-1: exactly
// one device pixel). The lines are filled strips, so the pen style given to
// the canvas does not change their look.

#include <QRect>
#include <QRgb>

#include "Canvas.h"

class TDesignValue;

class TQRFrame {
 public:
  QRgb Color() const { return color_; }
  void SetColor(QRgb color) { color_ = color; }
  bool DrawTop() const { return drawTop_; }
  void SetDrawTop(bool on) { drawTop_ = on; }
  bool DrawBottom() const { return drawBottom_; }
  void SetDrawBottom(bool on) { drawBottom_ = on; }
  bool DrawLeft() const { return drawLeft_; }
  void SetDrawLeft(bool on) { drawLeft_ = on; }
  bool DrawRight() const { return drawRight_; }
  void SetDrawRight(bool on) { drawRight_ = on; }
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style) { style_ = style; }
  int Width() const { return width_; }
  void SetWidth(int width) { width_ = width; }

  bool HasLines() const { return drawTop_ || drawBottom_ || drawLeft_ || drawRight_; }

  // Fills the drawn sides inside `rect` (right and bottom excluded). fx and
  // fy are device pixels per tenth of a millimetre across and down.
  void PaintFrame(TCanvas& canvas, const QRect& rect, long double fx, long double fy) const;

  // Color, DrawTop, DrawBottom, DrawLeft, DrawRight, Style or Width.
  bool ReadProperty(const QString& name, const TDesignValue& value);

 private:
  QRgb color_ = 0xFF000000;
  bool drawTop_ = false;
  bool drawBottom_ = false;
  bool drawLeft_ = false;
  bool drawRight_ = false;
  TPenStyle style_ = TPenStyle::psSolid;
  int width_ = 1;
};

// Names of the pen styles in their order, as designs write them.
const QStringList& PenStyleNames();
