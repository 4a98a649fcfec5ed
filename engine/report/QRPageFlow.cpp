// Where bands go during a run: the space left on the page, page and column
// breaks, the start and finish of a page. Positions are whole tenths of a
// millimetre from the paper's top-left corner; the report reads every
// measure in Native units while it runs.

#include <optional>

#include "QRChildBand.h"
#include "QRController.h"
#include "QRCustomBand.h"
#include "QRCustomReport.h"
#include "QRPrintable.h"
#include "QRPrinter.h"
#include "QRRound.h"

namespace {

// The paper's extent down the page, orientation applied. Custom papers are
// handed to the printer portrait like any other (ApplyPrinterSettings), so
// this one rule serves every paper.
int PaperLengthDown(const TQRPrinter& printer) { return printer.OrientedPaperLength(); }

// The bands a page prints for itself while it turns: the footer of the page
// before, the header of the new one and its first column's header. A page
// started from inside them would print them again and start another, for
// ever, so they print where they stand instead, as a band taller than the
// page does.
class TPageTurning {
 public:
  explicit TPageTurning(TQRCustomReport& report) : report_(report), was_(report.TurningPage) {
    report_.TurningPage = true;
  }
  ~TPageTurning() { report_.TurningPage = was_; }
  TPageTurning(const TPageTurning&) = delete;
  TPageTurning& operator=(const TPageTurning&) = delete;

 private:
  TQRCustomReport& report_;
  bool was_;
};

}  // namespace

void TQRCustomReport::OutputBand(TQRCustomBand* band) {
  if (band == nullptr) return;
  if (band->AlignToBottom()) {
    // The bottom of a page that is not there yet would be lost when the
    // space check starts it: the page comes first.
    if (PageCount == 0) StartNewColumn();
    if (band == FindBandOfType(rbSummary) && !options_.Contains(TQRReportOption::LastPageFooter))
      PageFooterSize = 0;
    const int bottom = QRRound(PaperLengthDown(*QRPrinter) - page_->BottomMargin() -
                               band->Size().Height() - PageFooterSize);
    if (CurrentY < bottom) CurrentY = bottom;
  }
  band->Render();
}

void TQRCustomReport::EnsureSpace(TQRCustomBand* band) {
  const int needed = QRRound(band->KeepTogetherHeight(true));
  const long double printable = page_->Length() - (page_->TopMargin() + page_->BottomMargin());
  if (band->BandType() != rbPageFooter && needed > SpaceLeft() && needed <= printable) {
    StartNewColumn();
    return;
  }
  // A band taller than the printable length prints where it stands and runs
  // over; only the first page has to be started for it.
  if (PageCount == 0) StartNewColumn();
}

int TQRCustomReport::SpaceLeft() const {
  if (Available || PageCount == 0 || QRPrinter == nullptr) return 0;
  return QRRound(PaperLengthDown(*QRPrinter) - page_->BottomMargin() - PageFooterSize - CurrentY);
}

void TQRCustomReport::ForcePageBreak() {
  if (Available || TurningPage) return;
  if (NewPageSuppressed) {
    NewPageSuppressed = false;
    return;
  }
  do {
    StartNewColumn();
  } while (CurrentColumn != 1);
}

void TQRCustomReport::ForceColumnBreak() {
  if (Available || TurningPage) return;
  // The first forced break met in column 1 only arms the next one.
  if (ForcedColumn || CurrentColumn > 1) {
    StartNewColumn();
  } else {
    ForcedColumn = true;
  }
}

void TQRCustomReport::StartNewColumn() {
  if (TurningPage) return;
  const int columns = page_->Columns();
  const bool newPage = CurrentColumn == columns;
  if (newPage) {
    CurrentColumn = 1;
    CurrentX = QRRound(page_->LeftMargin());
    StartNewPage();
  } else {
    int columnWidth = 0;
    if (TQRCustomBand* detail = FindBandOfType(rbDetail)) {
      columnWidth = QRRound(detail->Size().Width());
    } else {
      columnWidth = (QRRound(page_->Width() - (page_->LeftMargin() + page_->RightMargin())) -
                     QRRound(page_->ColumnSpace()) * (columns - 1)) /
                    columns;
    }
    CurrentX += columnWidth + QRRound(page_->ColumnSpace());
    CurrentY = ColumnTop;
    ++CurrentColumn;
  }
  if (ColumnNumber != nullptr) ColumnNumber->value = QString::number(CurrentColumn);
  if (!(CurrentColumn == 1 && PageCount == 1)) {
    // A further column of the same page may push its header on to the
    // next; a new page has no better place to offer.
    std::optional<TPageTurning> turning;
    if (newPage) turning.emplace(*this);
    OutputBand(FindBandOfType(rbColumnHeader));
  }
}

void TQRCustomReport::StartNewPage() {
  FinishPage();
  ++PageCount;
  if (PageNumber != nullptr) PageNumber->value = QString::number(PageCount);
  if (FinalPass || PageCount == 1) QRPrinter->NewPage();
  CurrentY = QRRound(page_->TopMargin());
  if (OnStartPage) OnStartPage(this);
  if (PageCount > 1 || options_.Contains(TQRReportOption::FirstPageHeader)) {
    TPageTurning turning(*this);
    OutputBand(FindBandOfType(rbPageHeader));
  }
  ColumnTop = CurrentY;
  if (PageCount == 1)
    if (TQRCustomBand* title = FindBandOfType(rbTitle))
      ColumnTop += QRRound(title->Size().Height());
}

void TQRCustomReport::FinishPage() {
  if (PageCount == 0) return;
  CurrentY = QRRound(page_->Length() - page_->BottomMargin() - PageFooterSize);
  CurrentX = QRRound(page_->LeftMargin());
  if (!LastPage || options_.Contains(TQRReportOption::LastPageFooter)) {
    TPageTurning turning(*this);
    OutputBand(FindBandOfType(rbPageFooter));
  }
  DrawPageExtras();
  if (OnEndPage) OnEndPage(this);
}

void TQRCustomReport::DrawPageExtras() {
  for (TQRControl* control : Controls())
    if (auto* element = dynamic_cast<TQRPrintable*>(control)) element->PrintAt(0, 0);
  if (!FinalPass) return;
  TQRPrinter& printer = *QRPrinter;
  const int left = printer.DeviceX(page_->LeftMargin());
  const int top = printer.DeviceY(page_->TopMargin());
  const int right = printer.DeviceX(page_->Width() - page_->RightMargin());
  const int bottom = printer.DeviceY(page_->Length() - page_->BottomMargin());
  Frame().PaintFrame(printer.PageCanvas(), QRect(left, top, right - left, bottom - top),
                     printer.ScaleX(), printer.ScaleY());
}

void TQRCustomReport::MeasurePageFooters() {
  PageFooterSize = 0;
  for (TQRCustomBand* band : bandList_) {
    if (band->BandType() != rbPageFooter || !band->Enabled()) continue;
    // A chain of child bands cannot come back to its start (circular
    // parents are refused); the step limit only guards against a loop.
    std::size_t steps = bandList_.size();
    for (TQRCustomBand* b = band; b != nullptr && steps-- > 0; b = ChildOf(b))
      PageFooterSize += b->Size().Height();
  }
}
