#include "QRReportBands.h"

#include "QRCustomBand.h"
#include "QRCustomReport.h"

bool TQRReportBands::Has(TQRBandType type) const {
  return report_->FindBandOfType(type) != nullptr;
}

void TQRReportBands::SetHas(TQRBandType type, bool on) {
  if (on == Has(type)) return;
  if (on)
    report_->CreateBandOfType(type);
  else
    delete report_->FindBandOfType(type);
}
