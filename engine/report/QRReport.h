#pragma once
// The report class designs derive from: a report whose detail loop is
// driven by a TQRController.

#include "QRCustomReport.h"

class TQRReport : public TQRCustomReport {
 public:
  explicit TQRReport(TQRComponent* owner);
  QString ClassName() const override { return QStringLiteral("TQRReport"); }
};
