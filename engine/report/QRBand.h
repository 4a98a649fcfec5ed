#pragma once
// The ordinary band; its type is published.

#include "QRCustomBand.h"

class TQRBand : public TQRCustomBand {
 public:
  explicit TQRBand(TQRComponent* owner) : TQRCustomBand(owner) {}
  QString ClassName() const override { return QStringLiteral("TQRBand"); }
  bool ReadProperty(const QString& name, const TDesignValue& value,
                    TDesignReader& reader) override;
};
