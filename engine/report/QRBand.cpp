#include "QRBand.h"

#include "DesignValue.h"

bool TQRBand::ReadProperty(const QString& name, const TDesignValue& value, TDesignReader& reader) {
  if (name == QLatin1String("BandType")) {
    SetBandType(AsEnum<TQRBandType>(value, BandTypeNames()));
    return true;
  }
  return TQRCustomBand::ReadProperty(name, value, reader);
}
