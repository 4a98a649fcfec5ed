#include "QRLabel.h"

// A label publishes no Lines.
bool TQRLabel::ReadProperty(const QString& name, const TDesignValue& value, TDesignReader& reader) {
  if (name == QLatin1String("Lines")) return false;
  return TQRCustomLabel::ReadProperty(name, value, reader);
}
