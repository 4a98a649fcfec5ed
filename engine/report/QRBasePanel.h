#pragma once
// Common base of the report and its bands: a frame, the zoom of the
// on-screen layout (percent) and the size of the ruler's numbers.

#include "QRControl.h"
#include "QRFrame.h"
#include "QRUnit.h"

class TQRBasePanel : public TQRControl {
 public:
  explicit TQRBasePanel(TQRComponent* owner);

  QString ClassName() const override { return QStringLiteral("TQRBasePanel"); }

  TQRFrame& Frame() { return frame_; }
  const TQRFrame& Frame() const { return frame_; }
  int Zoom() const { return zoom_; }
  virtual void SetZoom(int zoom) { zoom_ = zoom; }
  int RulerFontSize() const { return rulerFontSize_; }
  void SetRulerFontSize(int size) { rulerFontSize_ = size; }

  // Draws the measuring grid over the panel in `unit`.
  virtual void PaintRuler(TCanvas& canvas, QPoint origin, TQRUnit unit) = 0;

  bool ReadProperty(const QString& name, const TDesignValue& value,
                    TDesignReader& reader) override;

 protected:
  // The fill of the on-screen layout: the Color, or light grey when disabled.
  QRgb PaintColor() const;
  // Screen pixels per tenth of a millimetre at the panel's zoom.
  long double ScreenScale() const;

 private:
  TQRFrame frame_;
  int zoom_ = 100;
  int rulerFontSize_ = 12;
};
