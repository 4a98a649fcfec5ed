// A band printing itself during a run: its events, the forced breaks or the
// space check, its fill and frame, its elements (again on the next column or
// page for those that still have lines), and its child band.

#include "QRChildBand.h"
#include "QRCustomBand.h"
#include "QRCustomReport.h"
#include "QRDeviceRect.h"
#include "QRPrintable.h"
#include "QRPrinter.h"
#include "QRRound.h"

namespace {

bool BreaksAllowed(TQRBandType type) {
  return type != rbTitle && type != rbPageHeader && type != rbPageFooter && type != rbOverlay;
}

// A child band of a page footer prints as a page footer (no breaks, no
// space check) and is a child band again afterwards.
class TPrintsAsFooter {
 public:
  TPrintsAsFooter(TQRCustomBand& child, bool asFooter) : child_(child), asFooter_(asFooter) {
    if (asFooter_) child_.SetBandType(rbPageFooter);
  }
  ~TPrintsAsFooter() {
    if (asFooter_) child_.SetBandType(rbChild);
  }
  TPrintsAsFooter(const TPrintsAsFooter&) = delete;
  TPrintsAsFooter& operator=(const TPrintsAsFooter&) = delete;

 private:
  TQRCustomBand& child_;
  bool asFooter_;
};

}  // namespace

void TQRCustomBand::Render() {
  TQRCustomReport& report = *report_;
  bool printBand = Enabled();
  if (printBand && BeforePrint) BeforePrint(this, printBand);
  if (printBand) {
    MakeRoom();
    TQRPrinter& printer = *report.QRPrinter;
    OutputRect = DeviceRect(printer, report.CurrentX, report.CurrentY,
                            report.CurrentX + size_->Width(), report.CurrentY + size_->Height());
    if (TQRControl::Height() != 0 && Enabled()) PrintContents();
  }
  if (AfterPrint) AfterPrint(this, printBand);
  // The child prints even when this band was skipped.
  if (TQRChildBand* child = report.ChildOf(this)) {
    TPrintsAsFooter asFooter(*child, bandType_ == rbPageFooter);
    report.OutputBand(child);
  }
}

// A forced break replaces the space check.
void TQRCustomBand::MakeRoom() {
  TQRCustomReport& report = *report_;
  const bool breaks = BreaksAllowed(bandType_) && report.PageCount >= 1;
  if (breaks && forceNewPage_) {
    report.ForcePageBreak();
  } else if (breaks && forceNewColumn_) {
    report.ForceColumnBreak();
  } else {
    report.EnsureSpace(this);
  }
}

void TQRCustomBand::PrintContents() {
  TQRCustomReport& report = *report_;
  if (report.FinalPass) {
    TCanvas& canvas = report.QRPrinter->PageCanvas();
    canvas.SetBrush(Color(), TBrushStyle::bsSolid);
    canvas.FillRect(OutputRect);
  }
  Expansion = 0;
  const long double rememberedHeight = size_->Height();
  for (bool firstPass = true;; firstPass = false) {
    const bool allFinished = PrintElements(firstPass);
    if (report.FinalPass) PaintFrameOnPage();
    // A turning page starts no other: what is left stays where it is.
    if (allFinished || report.TurningPage) break;
    // Elements with lines left go on in the next column or on the next page.
    report.StartNewColumn();
    if (size_->Height() != rememberedHeight) size_->SetHeight(rememberedHeight);
    Expansion = 0;
  }
  report.CurrentY += QRRound(size_->Height() + Expansion);
  if (size_->Height() != rememberedHeight) size_->SetHeight(rememberedHeight);
}

bool TQRCustomBand::PrintElements(bool firstPass) {
  TQRCustomReport& report = *report_;
  bool allFinished = true;
  const std::vector<TQRControl*> children = Controls();
  for (TQRControl* control : children) {
    auto* element = dynamic_cast<TQRPrintable*>(control);
    if (element == nullptr || !element->Enabled()) continue;
    if (firstPass || !element->PrintDone()) element->PrintAt(report.CurrentX, report.CurrentY);
    allFinished = allFinished && element->PrintDone();
  }
  return allFinished;
}

// The frame covers the band as stretched, from where the band stands on
// this page (on a further page, where that page put it).
void TQRCustomBand::PaintFrameOnPage() {
  TQRCustomReport& report = *report_;
  TQRPrinter& printer = *report.QRPrinter;
  OutputRect =
      DeviceRect(printer, report.CurrentX, report.CurrentY, report.CurrentX + size_->Width(),
                 report.CurrentY + size_->Height() + Expansion + 1);
  Frame().PaintFrame(printer.PageCanvas(), OutputRect, printer.ScaleX(), printer.ScaleY());
}

// While a page turns, its own bands cannot continue on another page: they
// grow as far as their elements need and run over.
bool TQRCustomBand::CanGrowBy(long double amount) const {
  return report_ != nullptr &&
         (report_->TurningPage ||
          report_->SpaceLeft() >= QRRound(size_->Height() + Expansion + amount));
}

// A first request smaller than the expansion another element already made
// takes that expansion; every other request adds its amount.
bool TQRCustomBand::GrowBy(long double amount, long double& newExpansion, bool& requested) {
  if (!CanGrowBy(amount)) return false;
  if (!requested && amount < Expansion) {
    newExpansion = Expansion;
    requested = true;
    return true;
  }
  Expansion += amount;
  newExpansion = Expansion;
  requested = true;
  return false;
}
