#include "QRReport.h"

#include "QRController.h"

TQRReport::TQRReport(TQRComponent* owner) : TQRCustomReport(owner) {
  ReplaceController(std::make_unique<TQRController>(this));
}
