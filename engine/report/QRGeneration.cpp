// Output of a report: the preview, the print, the one generation run both
// use, and the report's side of the conversation with its printers.

#include <QCoreApplication>
#include <optional>

#include "DeviceMode.h"
#include "EQRError.h"
#include "HandlerGuard.h"
#include "Metafile.h"
#include "PrinterDevice.h"
#include "QRController.h"
#include "QRCustomBand.h"
#include "QRCustomReport.h"
#include "QRNotices.h"
#include "QRPrintDialog.h"
#include "QRPrintable.h"
#include "QRPrinter.h"
#include "QRProgressWindowClass.h"
#include "QRRound.h"
#include "Termination.h"

// The report's window for the notices of its printers. The print request is
// posted, so it runs once the preview's print command has returned; the
// preview-closed notice is sent and handled at once. Errors end the handler
// here and are shown in the error box, the preview staying open.
class TQRReportNotices : public QObject {
 public:
  explicit TQRReportNotices(TQRCustomReport& report) : report_(report) {}

  bool event(QEvent* e) override {
    switch (static_cast<int>(e->type())) {
      case QR_PRINT:
        platform::RunHandler([this] { report_.PrintToPrinter(); });
        return true;
      case QR_PREVIEWCLOSED: {
        TQRPrinter* printer = static_cast<TQRPreviewClosedNotice*>(e)->Printer();
        platform::RunHandler([&] { report_.PreviewClosedNotice(printer); });
        return true;
      }
      case QR_PAGEREADY: {
        auto* notice = static_cast<TQRPageReadyNotice*>(e);
        platform::RunHandler(
            [&] { report_.PageReadyNotice(notice->Printer(), notice->PageNumber()); });
        return true;
      }
      default:
        return QObject::event(e);
    }
  }

 private:
  TQRCustomReport& report_;
};

namespace {

void ProcessMessages() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
}

// A printer the report owns. Its end notifications are cut before it is
// freed, so that a printer outliving its preview cannot call into a report
// that is going away.
std::shared_ptr<TQRPrinter> OwnPrinter(TQRPrinter* printer) {
  return std::shared_ptr<TQRPrinter>(printer, [](TQRPrinter* p) {
    p->OnPrintDone = nullptr;
    p->OnPreviewDone = nullptr;
    delete p;
  });
}

// A clean-up run while an earlier error is on its way: the first error is
// the one reported.
template <class F>
void IgnoreErrors(const F& cleanUp) {
  try {
    cleanUp();
  } catch (...) {
  }
}

// Every element of the report and of its bands, depth first.
template <class F>
void ForEachElement(TQRControl& parent, const F& f) {
  for (TQRControl* control : parent.Controls()) {
    if (auto* element = dynamic_cast<TQRPrintable*>(control)) f(*element);
    ForEachElement(*control, f);
  }
}

// A run on a printer of its own (a print or an export): the report's new
// current printer and its printing-progress window are freed when the scope
// ends, however the run ends, and the printer the report had before is its
// current printer again.
class TOwnPrinterRun {
 public:
  TOwnPrinterRun(TQRCustomReport& report, TQRPrinter* remembered)
      : report_(report), remembered_(remembered), printer_(report.QRPrinter) {}
  ~TOwnPrinterRun() {
    printer_.reset();
    report_.QRPrinter = remembered_;
    progress_.reset();
  }
  TOwnPrinterRun(const TOwnPrinterRun&) = delete;
  TOwnPrinterRun& operator=(const TOwnPrinterRun&) = delete;

  TQRPrinter& Printer() { return *printer_; }
  // The window listens to the printer's notices; it is shown or not.
  void OpenProgressWindow(bool show) {
    progress_ = MakeProgressWindow(printer_.get(), show);
    if (progress_) printer_->SetListener(progress_.get());
  }

 private:
  TQRCustomReport& report_;
  TQRPrinter* remembered_;
  std::unique_ptr<TQRPrinter> printer_;
  std::unique_ptr<QObject> progress_;
};

}  // namespace

QObject* TQRCustomReport::NoticeReceiver() {
  if (!noticeReceiver_) noticeReceiver_ = std::make_unique<TQRReportNotices>(*this);
  return noticeReceiver_.get();
}

// ---- preview and print ----------------------------------------------------

void TQRCustomReport::ShowPreview() {
  ProcessMessages();
  if (!Available || (QRPrinter != nullptr && QRPrinter->PreviewShowing())) return;
  // A preview that showed nothing (an OnPreview handler that opened no
  // window) left its printer behind; the new preview replaces it.
  if (previewPrinter_ && QRPrinter == previewPrinter_.get()) QRPrinter = nullptr;
  previewPrinter_.reset();
  previewClosePending_ = false;

  AttachNewPrinter();
  previewPrinter_ = OwnPrinter(QRPrinter);
  TQRPrinter& printer = *QRPrinter;
  printer.SetTarget(TQRPrinterTarget::PageStore);
  printer.SetOwnerReport(NoticeReceiver());
  printer.OnPrintSetup = [this](QObject* sender) { PrintSetup(sender); };
  printer.OnExport = [this](TQRExportFilter* filter) { ExportToFilter(filter); };
  printer.SetJobTitle(ReportTitle());
  if (OnPreview) printer.PreviewHandler = OnPreview;
  printer.OpenPreview();

  try {
    GenerateReport();
  } catch (...) {
    // A run that the closed preview cancelled lets its printer go, also when
    // it then failed; the first error is the one reported.
    if (Cancelled) IgnoreErrors([this] { ReleasePreviewPrinter(); });
    throw;
  }
  if (Cancelled) {
    ReleasePreviewPrinter();
    return;
  }
  while (QRPrinter != nullptr && QRPrinter->PreviewShowing() && !platform::TerminationRequested())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void TQRCustomReport::PrintToPrinter() {
  TQRPrinter* const remembered = QRPrinter;
  if (!Available) return;
  AttachNewPrinter();
  try {
    TOwnPrinterRun run(*this, remembered);
    if (!run.Printer().HasPrinters()) return;
    run.Printer().SetTarget(TQRPrinterTarget::Device);
    run.OpenProgressWindow(ShowProgress());
    GenerateReport();
  } catch (...) {
    IgnoreErrors([this] { ReleaseClosedPreview(); });
    throw;
  }
  ReleaseClosedPreview();
}

void TQRCustomReport::AttachNewPrinter() {
  TQRPrinter* previous = QRPrinter;
  auto* printer = new TQRPrinter();
  QRPrinter = printer;
  if (previous != nullptr) printer->SetListener(previous->Listener());
  printer->OnPrintDone = [this](TQRPrinter*) {
    if (AfterPrint) AfterPrint(this);
  };
  printer->OnPreviewDone = [this](TQRPrinter*) {
    if (AfterPreview) AfterPreview(this);
  };
}

void TQRCustomReport::CancelGeneration() {
  if (Available) return;
  Cancelled = true;
  if (QRPrinter != nullptr) QRPrinter->CancelRun();
}

// A program asked to end (its window closed, a signal) does not wait for
// the rest of a long run: the run stops as a closed preview stops it.
void TQRCustomReport::StopIfTerminating() {
  if (platform::TerminationRequested()) CancelGeneration();
}

void TQRCustomReport::ReleasePreviewPrinter() {
  const std::shared_ptr<TQRPrinter> printer = std::move(previewPrinter_);
  previewClosePending_ = false;
  EndPreview(printer.get());
}

void TQRCustomReport::ReleaseClosedPreview() {
  if (previewClosePending_ && previewPrinter_ && QRPrinter == previewPrinter_.get())
    ReleasePreviewPrinter();
}

void TQRCustomReport::EndPreview(TQRPrinter* printer) {
  // Let go once AfterPreview has run, also when it fails.
  struct TLetGo {
    TQRCustomReport& report;
    TQRPrinter* printer;
    ~TLetGo() {
      if (printer != nullptr && report.QRPrinter == printer) report.QRPrinter = nullptr;
    }
  } letGo{*this, printer};
  if (printer != nullptr && printer->PreviewShowing()) printer->SetPreviewShowing(false);
}

void TQRCustomReport::PreviewClosedNotice(TQRPrinter* printer) {
  // The notice of a printer the report neither runs on nor shows changes
  // nothing.
  if (printer != nullptr && printer != QRPrinter && printer != previewPrinter_.get()) return;
  if (!Available) {
    // Closed during a run: the run stops; the printer goes once it is over.
    if (printer != nullptr && printer == previewPrinter_.get()) previewClosePending_ = true;
    CancelGeneration();
    return;
  }
  // Between runs only the current printer's notice counts.
  if (printer != nullptr && printer != QRPrinter) return;
  if (previewPrinter_ && QRPrinter == previewPrinter_.get()) {
    ReleasePreviewPrinter();
    return;
  }
  // A printer the program attached itself: it stops showing and the report
  // lets it go; its owner frees it.
  EndPreview(QRPrinter);
}

void TQRCustomReport::PageReadyNotice(TQRPrinter* printer, int readyPages) {
  if (readyPages != 1 || printer == nullptr) return;
  std::unique_ptr<TMetafile> page = printer->FetchPage(1);
  onScreenFirstPage_ = std::shared_ptr<TMetafile>(page.release());
  Invalidate();
}

// ---- print setup and export -----------------------------------------------

void TQRCustomReport::PrintSetup(QObject*) {
  TPrinterDevice& device = ::Printer();
  // A copy of the current printer with its driver's defaults, then the
  // report's own choice of printer.
  device.SetPrinter(device.Names(), std::nullopt);
  device.SetPrinterIndex(printerSettings_.PrinterIndex);

  TQRPrintDialog dialog;
  if (QRPrinter != nullptr && QRPrinter->RunState() == TQRPrinterRunState::Complete) {
    dialog.MinPage = 1;
    dialog.MaxPage = QRPrinter->PageCount();
    dialog.FromPage = 1;
    dialog.ToPage = QRPrinter->PageCount();
  } else {
    dialog.MinPage = 0;
    dialog.MaxPage = 9999;
  }
  dialog.Options = {TPrintDialogOption::poPageNums, TPrintDialogOption::poWarning};
  SetPrinterOrientation(device, page_->Orientation() == TPrinterOrientation::poLandscape
                                    ? DMORIENT_LANDSCAPE
                                    : DMORIENT_PORTRAIT);
  dialog.SetCopies(printerSettings_.Copies);

  if (!dialog.Execute()) {
    SetTag(1);
    return;
  }
  printerSettings_.Copies = dialog.Copies();
  printerSettings_.PrinterIndex = device.PrinterIndex();
  page_->SetOrientation(PrinterOrientation(device) == DMORIENT_LANDSCAPE
                            ? TPrinterOrientation::poLandscape
                            : TPrinterOrientation::poPortrait);
  if (dialog.PrintRange == TPrintRange::prPageNums) {
    printerSettings_.FirstPage = dialog.FromPage;
    printerSettings_.LastPage = dialog.ToPage;
  } else {
    printerSettings_.FirstPage = 0;
    printerSettings_.LastPage = 0;
  }
  SetTag(0);
}

// No export filter is registered in this system; the run is what a filter
// would see: no fills or frames, one printer page, abandoned at the end.
void TQRCustomReport::ExportToFilter(TQRExportFilter* filter) {
  exportFilter_ = filter;
  FinalPass = false;
  struct TExportEnds {
    TQRCustomReport& report;
    ~TExportEnds() {
      report.exportFilter_ = nullptr;
      report.FinalPass = true;
    }
  } exportEnds{*this};
  TQRPrinter* const remembered = QRPrinter;
  AttachNewPrinter();
  TOwnPrinterRun run(*this, remembered);
  run.OpenProgressWindow(ShowProgress());
  GenerateReport();
}

// ---- the run --------------------------------------------------------------

void TQRCustomReport::GenerateReport() {
  if (!Available) return;
  // A run needs a printer to draw on: ShowPreview and PrintToPrinter attach one.
  if (QRPrinter == nullptr) throw EQRError(QRPrinterNotReadyMessage());
  onScreenFirstPage_.reset();
  if (page_->Width() - page_->LeftMargin() - page_->RightMargin() < 0) {
    page_->SetLeftMargin(0);
    page_->SetRightMargin(0);
  }
  if (page_->Length() - page_->TopMargin() - page_->BottomMargin() < 0) {
    page_->SetTopMargin(0);
    page_->SetBottomMargin(0);
  }
  Available = false;
  struct TAvailableAgain {
    TQRCustomReport& report;
    ~TAvailableAgain() { report.Available = true; }
  } availableAgain{*this};
  Cancelled = false;
  LastPage = false;
  NewPageSuppressed = false;
  ForcedColumn = false;
  TurningPage = false;
  bool printReport = true;
  if (BeforePrint) BeforePrint(this, printReport);
  if (printReport) RunDocument();
}

void TQRCustomReport::RunDocument() {
  const TQRUnit savedUnits = Units();
  SetUnits(TQRUnit::Native);
  bool begun = false;
  // Units and elements are put back whatever happens, before the document
  // is closed, so that the report is whole again when AfterPrint runs.
  auto finishOutput = [&] {
    SetUnits(savedUnits);
    ForEachElement(*this, [](TQRPrintable& element) { element.FinishOutput(); });
  };
  try {
    TQRPrinter& printer = *QRPrinter;
    ApplyPrinterSettings();
    printer.SetJobTitle(ReportTitle());
    printer.SetCompression(options_.Contains(TQRReportOption::Compression));
    printer.BeginRun();
    begun = true;
    CurrentY = -1;
    PageCount = 0;
    CurrentColumn = page_->Columns();  // the first column step starts page 1
    MeasurePageFooters();
    for (TQRCustomBand* band : bandList_) band->SetParentReport(this);
    for (TQRControl* control : Controls())
      if (auto* element = dynamic_cast<TQRPrintable*>(control)) element->SetParentReport(this);
    CurrentX = QRRound(page_->LeftMargin());
    controller_->BuildTree();
    FindNamedValues();
    if (ReportTitleValue != nullptr) ReportTitleValue->value = ReportTitle();
    ForEachElement(*this, [](TQRPrintable& element) { element.PrepareOutput(); });
    RunDetailLoop();
    CurrentX = QRRound(page_->LeftMargin());
    LastPage = true;
    if (!Cancelled) FinishPage();
  } catch (...) {
    finishOutput();
    // The document is closed all the same, so a print run still hands its
    // pages to the printer.
    if (begun) IgnoreErrors([this] { CloseDocument(); });
    throw;
  }
  finishOutput();
  CloseDocument();
}

void TQRCustomReport::CloseDocument() {
  if (!Cancelled && FinalPass) {
    QRPrinter->EndRun();
  } else {
    QRPrinter->AbandonRun();
  }
}

void TQRCustomReport::RunDetailLoop() {
  TQRCustomBand* const title = FindBandOfType(rbTitle);
  TQRCustomBand* const detail = FindBandOfType(rbDetail);
  TQRCustomBand* const summary = FindBandOfType(rbSummary);
  if (!OnNeedData) {
    if (!PrintIfEmpty()) return;
    OutputBand(title);
    OutputBand(detail);
    OutputBand(summary);
    return;
  }
  bool moreData = true;
  OnNeedData(this, moreData);
  if (!moreData) return;
  ProcessMessages();
  StopIfTerminating();
  if (Cancelled) return;
  if (title != nullptr) {
    OutputBand(title);
    NewPageSuppressed = true;
  }
  TQRCustomBand* const columnHeader = FindBandOfType(rbColumnHeader);
  if (PageCount <= 1 && columnHeader != nullptr && columnHeader->Enabled()) {
    OutputBand(columnHeader);
    NewPageSuppressed = true;
  }
  while (moreData) {
    ProcessMessages();
    StopIfTerminating();
    if (QRPrinter->CancelRequested()) return;  // no summary after a cancel
    OutputBand(detail);
    moreData = false;
    OnNeedData(this, moreData);
  }
  if (summary != nullptr) {
    if (PageCount == 0) StartNewPage();
    OutputBand(summary);
  }
}

// The page setup onto the run's printer. A custom paper is handed over
// portrait, as the printer keeps every paper: in landscape the page's Width
// is the paper's length. The page's extent goes with any size that has none
// in the table: a printer takes it for Custom, and a printer without any
// printer installed for Default too (it has no driver's paper to use).
void TQRCustomReport::ApplyPrinterSettings() {
  TQRPrinter& printer = *QRPrinter;
  printer.SetPrinterIndex(printerSettings_.PrinterIndex);
  printer.SetPaperSize(page_->PaperSize());
  if (!IsStandardPaperSize(printer.PaperSize())) {
    const int across = QRRound(page_->StoredValue(TQRPage::kWidth));
    const int down = QRRound(page_->StoredValue(TQRPage::kLength));
    const bool landscape = page_->Orientation() == TPrinterOrientation::poLandscape;
    printer.SetPaperWidth(landscape ? down : across);
    printer.SetPaperLength(landscape ? across : down);
  }
  printer.SetOrientation(page_->Orientation());
  printer.SetCopies(printerSettings_.Copies);
  printer.SetOutputBin(printerSettings_.OutputBin);
  printer.SetRangeFirst(printerSettings_.FirstPage);
  printer.SetRangeLast(printerSettings_.LastPage);
}
