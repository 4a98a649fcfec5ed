#pragma once
// A band that continues another band (its ParentBand) and prints right
// after it. Its type is always rbChild.

#include "QRCustomBand.h"

class TQRChildBand : public TQRCustomBand {
 public:
  explicit TQRChildBand(TQRComponent* owner);
  QString ClassName() const override { return QStringLiteral("TQRChildBand"); }

  TQRCustomBand* ParentBand() const { return parentBand_; }
  // Accepted only while the band belongs to a report, and refused when the
  // parent chain would come back to this band.
  void SetParentBand(TQRCustomBand* band);

  bool ReadProperty(const QString& name, const TDesignValue& value,
                    TDesignReader& reader) override;

 protected:
  void ForgetBand(const TQRComponent* band) override;

 private:
  TQRCustomBand* parentBand_ = nullptr;
};
