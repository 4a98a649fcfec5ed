#include "ReportFixture.h"

TQRReport& ReportTest::NewReport() { return *new TQRReport(&form); }

void SetPermitPage(TQRCustomReport& report) {
  TQRPage& page = report.Page();
  page.SetOrientation(TPrinterOrientation::poLandscape);
  page.SetPaperSize(TQRPaperSize::Letter);
  TUnitsScope native(page, TQRUnit::Native);
  for (auto set : {&TQRPage::SetTopMargin, &TQRPage::SetBottomMargin, &TQRPage::SetLeftMargin,
                   &TQRPage::SetRightMargin})
    (page.*set)(100);
  page.SetColumnSpace(0);
}
