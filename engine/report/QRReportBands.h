#pragma once
// The report's band-presence switches. Reading one tells whether the band
// list holds a band of that type; setting it True creates the band when
// there is none, False frees the first one. They are not stored in designs.

#include "QRBandType.h"

class TQRCustomReport;

class TQRReportBands {
 public:
  explicit TQRReportBands(TQRCustomReport* report) : report_(report) {}

  bool HasTitle() const { return Has(rbTitle); }
  bool HasPageHeader() const { return Has(rbPageHeader); }
  bool HasColumnHeader() const { return Has(rbColumnHeader); }
  bool HasDetail() const { return Has(rbDetail); }
  bool HasPageFooter() const { return Has(rbPageFooter); }
  bool HasSummary() const { return Has(rbSummary); }
  void SetHasTitle(bool on) { SetHas(rbTitle, on); }
  void SetHasPageHeader(bool on) { SetHas(rbPageHeader, on); }
  void SetHasColumnHeader(bool on) { SetHas(rbColumnHeader, on); }
  void SetHasDetail(bool on) { SetHas(rbDetail, on); }
  void SetHasPageFooter(bool on) { SetHas(rbPageFooter, on); }
  void SetHasSummary(bool on) { SetHas(rbSummary, on); }

  bool Has(TQRBandType type) const;
  void SetHas(TQRBandType type, bool on);

 private:
  TQRCustomReport* report_;
};
