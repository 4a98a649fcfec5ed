#pragma once
// The detail-loop driver of a report: it takes the report's title, detail
// and summary bands and gives the order in which it prints them. Group and
// sub-detail drivers would add their bands to that order; this system has
// none. The loop itself belongs to generation.

#include <vector>

class TQRCustomBand;
class TQRCustomReport;

class TQRCustomController {
 public:
  explicit TQRCustomController(TQRCustomReport* report) : report_(report) {}
  virtual ~TQRCustomController() = default;
  TQRCustomController(const TQRCustomController&) = delete;
  TQRCustomController& operator=(const TQRCustomController&) = delete;

  // Takes the title, detail and summary bands from the report's band list.
  virtual void SetBands(TQRCustomBand* title, TQRCustomBand* detail, TQRCustomBand* summary);
  // Rebuilds the tree of sub-drivers and groups (there are none here).
  virtual void BuildTree() {}
  // The driver's bands in print order: title, detail, summary (those present).
  virtual std::vector<TQRCustomBand*> BandsInOrder() const;

  TQRCustomReport* Report() const { return report_; }
  TQRCustomBand* Title() const { return title_; }
  TQRCustomBand* Detail() const { return detail_; }
  TQRCustomBand* Summary() const { return summary_; }
  // A freed band is forgotten.
  void ForgetBand(const TQRCustomBand* band);

 private:
  TQRCustomReport* report_;
  TQRCustomBand* title_ = nullptr;
  TQRCustomBand* detail_ = nullptr;
  TQRCustomBand* summary_ = nullptr;
};

// The driver a TQRReport installs: the same band order; its data-set loop
// is not part of this system.
class TQRController : public TQRCustomController {
 public:
  using TQRCustomController::TQRCustomController;
};
