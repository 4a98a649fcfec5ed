#include "QRController.h"

void TQRCustomController::SetBands(TQRCustomBand* title, TQRCustomBand* detail,
                                   TQRCustomBand* summary) {
  title_ = title;
  detail_ = detail;
  summary_ = summary;
}

std::vector<TQRCustomBand*> TQRCustomController::BandsInOrder() const {
  std::vector<TQRCustomBand*> bands;
  for (TQRCustomBand* band : {title_, detail_, summary_})
    if (band != nullptr) bands.push_back(band);
  return bands;
}

void TQRCustomController::ForgetBand(const TQRCustomBand* band) {
  if (title_ == band) title_ = nullptr;
  if (detail_ == band) detail_ = nullptr;
  if (summary_ == band) summary_ = nullptr;
}
