#pragma once
// A text element whose text is its Caption.

#include "QRCustomLabel.h"

class TQRLabel : public TQRCustomLabel {
 public:
  explicit TQRLabel(TQRComponent* owner) : TQRCustomLabel(owner) {}
  QString ClassName() const override { return QStringLiteral("TQRLabel"); }
  bool ReadProperty(const QString& name, const TDesignValue& value, TDesignReader& reader) override;
};
