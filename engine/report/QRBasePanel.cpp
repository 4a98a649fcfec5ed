#include "QRBasePanel.h"

#include "ReferenceCanvas.h"

TQRBasePanel::TQRBasePanel(TQRComponent* owner) : TQRControl(owner) {}

QRgb TQRBasePanel::PaintColor() const { return Enabled() ? Color() : qRgb(192, 192, 192); }

long double TQRBasePanel::ScreenScale() const {
  return zoom_ * (ScreenPixelsPerInch() / 254.0L) / 100;
}

bool TQRBasePanel::ReadProperty(const QString& name, const TDesignValue& value,
                                TDesignReader& reader) {
  if (name.startsWith(QLatin1String("Frame.")) && frame_.ReadProperty(name.mid(6), value))
    return true;
  return TQRControl::ReadProperty(name, value, reader);
}
