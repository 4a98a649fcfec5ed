#include "QRPrinter.h"

#include <QCoreApplication>
#include <QRect>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "EQRError.h"
#include "Metafile.h"
#include "PrinterDevice.h"
#include "PrinterSettings.h"
#include "QRExportFilter.h"
#include "QRNotices.h"
#include "QRPreviewInterface.h"
#include "QRPreviewLink.h"
#include "ReferenceCanvas.h"
#include "TQRPageList.h"
#include "TQRStream.h"

namespace {

int Round(double v) { return static_cast<int>(std::nearbyint(v)); }  // half to even

void ProcessPendingMessages() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

void Post(QObject* receiver, QEvent* event) {
  if (receiver) {
    QCoreApplication::postEvent(receiver, event);
  } else {
    delete event;
  }
}

}  // namespace

TQRPrinter::TQRPrinter()
    : device_(CreatePrinterDevice()),
      settings_(std::make_unique<TPrinterSettings>()),
      pageList_(std::make_unique<TQRPageList>()) {
  hasPrinters_ = !device_->Printers().isEmpty();
  if (hasPrinters_) settings_->SetPrinter(device_.get());
  offsetX_ = settings_->LeftOffset();
  offsetY_ = settings_->TopOffset();
}

// Errors cannot leave a destructor: a failing job abort or AfterPreview
// handler is dropped here, and the preview is detached all the same.
TQRPrinter::~TQRPrinter() {
  *alive_ = false;
  try {
    if (runState_ != TQRPrinterRunState::Idle) DiscardPages();
  } catch (...) {
  }
  if (auto* link = dynamic_cast<TQRPreviewLink*>(listener_.data())) {
    try {
      link->ForgetPrinter(this);
    } catch (...) {
    }
  }
}

// ---- run protocol ---------------------------------------------------------

void TQRPrinter::BeginRun() {
  metafilePage_.reset();
  readyPages_ = 0;
  cancelRequested_ = false;
  const bool toDevice = target_ == TQRPrinterTarget::Device;
  // A driver takes no settings while its job prints; only a run begun twice
  // finds one printing, and that run is refused below as not ready.
  if (toDevice && !device_->Printing()) settings_->WriteToDriver();
  offsetX_ = toDevice ? settings_->LeftOffset() : 0;
  offsetY_ = toDevice ? settings_->TopOffset() : 0;
  if (runState_ != TQRPrinterRunState::Idle) throw EQRError(QRPrinterNotReadyMessage());
  devicePageOpen_ = false;
  pageCount_ = 0;
  runState_ = TQRPrinterRunState::Generating;
  if (toDevice) {
    SetDeviceScale();
  } else {
    pageList_->AttachStream(TQRStream::CreateStore(TQRStream::kStoreSpillThreshold));
    SetScreenScale();
  }
}

void TQRPrinter::NewPage() {
  if (runState_ != TQRPrinterRunState::Generating) throw EQRError(IllegalNewPageMessage());
  if (pageCount_ > 0) {
    CloseOpenPage();
    SetReadyPages(readyPages_ + 1);
  }
  ++pageCount_;
  if (target_ == TQRPrinterTarget::Device && InRange(pageCount_)) {
    OpenDevicePage();
  } else {
    OpenMetafilePage();
  }
}

void TQRPrinter::EndRun() {
  if (runState_ != TQRPrinterRunState::Generating) return;
  const bool toStore = target_ == TQRPrinterTarget::PageStore;
  if (toStore) {
    if (pageCount_ > 0) StoreMetafilePage();
    // The header takes the final count before the pages count as complete:
    // a preview may save them, or load a file over them, while messages run
    // below.
    pageList_->WriteHeader();
  } else {
    DropMetafilePage();
    devicePageOpen_ = false;
    if (device_->Printing()) device_->EndDoc();
  }
  runState_ = TQRPrinterRunState::Complete;
  ProcessPendingMessages();
  // Pages discarded or loaded from a file meanwhile are not this run's, so
  // there is no last page of it to announce.
  const bool runPagesKept = runState_ == TQRPrinterRunState::Complete && !loadedFromFile_;
  if (runPagesKept) SetReadyPages(readyPages_ + 1);
  if (!toStore && OnPrintDone) OnPrintDone(this);
}

void TQRPrinter::AbandonRun() {
  // Outside a run there is nothing to abandon, and a printer without a store
  // must not be taken for a complete one.
  if (runState_ != TQRPrinterRunState::Generating) return;
  runState_ = TQRPrinterRunState::Complete;
  if (target_ == TQRPrinterTarget::Device) {
    DropMetafilePage();
    devicePageOpen_ = false;
    if (device_->Printing()) device_->Abort();
  } else if (metafilePage_) {
    StoreMetafilePage();  // the partial page stays in the store
  }
}

bool TQRPrinter::InRange(int page) const {
  return (rangeFirst_ <= 0 || page >= rangeFirst_) && (rangeLast_ <= 0 || page <= rangeLast_);
}

void TQRPrinter::CloseOpenPage() {
  if (target_ == TQRPrinterTarget::PageStore) {
    StoreMetafilePage();
  } else if (InRange(pageCount_)) {
    devicePageOpen_ = false;
    if (device_->Printing() && pageCount_ != rangeLast_) device_->NewPage();
  } else {
    DropMetafilePage();
  }
}

void TQRPrinter::OpenMetafilePage() {
  const int width = DeviceWidth(OrientedPaperWidth());
  const int height = DeviceHeight(OrientedPaperLength());
  metafilePage_ = std::make_unique<TMetafileCanvas>(width, height);
  SetScreenScale();
}

void TQRPrinter::OpenDevicePage() {
  if (!device_->Printing()) {
    device_->SetTitle(jobTitle_);
    device_->BeginDoc();
  }
  devicePageOpen_ = true;
  SetDeviceScale();
}

void TQRPrinter::StoreMetafilePage() {
  if (!metafilePage_) return;
  auto canvas = std::move(metafilePage_);
  pageList_->AppendPage(canvas->Close());
}

void TQRPrinter::DropMetafilePage() {
  if (metafilePage_) metafilePage_->Close();
  metafilePage_.reset();
}

void TQRPrinter::SetScreenScale() { scaleX_ = scaleY_ = ScreenPixelsPerInch() / 254.0; }

void TQRPrinter::SetDeviceScale() {
  scaleX_ = device_->LogPixelsX() / 254.0;
  scaleY_ = device_->LogPixelsY() / 254.0;
}

TCanvas& TQRPrinter::PageCanvas() {
  if (metafilePage_) return *metafilePage_;
  if (devicePageOpen_ && device_->Printing()) return device_->Canvas();
  throw EQRError(QStringLiteral("QRPrinter has no open page"));
}

// ---- coordinates and paper ------------------------------------------------

int TQRPrinter::DeviceX(double x) const { return Round((x - offsetX_) * scaleX_); }
int TQRPrinter::DeviceY(double y) const { return Round((y - offsetY_) * scaleY_); }
int TQRPrinter::DeviceWidth(double w) const { return Round(w * scaleX_); }
int TQRPrinter::DeviceHeight(double h) const { return Round(h * scaleY_); }

int TQRPrinter::OrientedPaperWidth() const {
  return Orientation() == TPrinterOrientation::poLandscape ? PaperLength() : PaperWidth();
}

int TQRPrinter::OrientedPaperLength() const {
  return Orientation() == TPrinterOrientation::poLandscape ? PaperWidth() : PaperLength();
}

// Without printers the settings are never read and keep A4 portrait, which
// is no report's paper; the pages then take the paper asked for.
TQRPaperSize TQRPrinter::PaperSize() const {
  return hasPrinters_ ? settings_->PaperSize() : paper_.size;
}

void TQRPrinter::SetPaperSize(TQRPaperSize size) {
  if (hasPrinters_) {
    settings_->SetPaperSize(size);
  } else {
    paper_.size = size;
  }
}

TPrinterOrientation TQRPrinter::Orientation() const {
  return hasPrinters_ ? settings_->Orientation() : paper_.orientation;
}

void TQRPrinter::SetOrientation(TPrinterOrientation o) {
  if (hasPrinters_) {
    settings_->SetOrientation(o);
  } else {
    paper_.orientation = o;
  }
}

int TQRPrinter::PaperWidth() const {
  return hasPrinters_ ? settings_->PaperWidth() : paper_.Width();
}

void TQRPrinter::SetPaperWidth(int tenths) {
  if (hasPrinters_) {
    settings_->SetPaperWidth(tenths);
  } else {
    paper_.width = tenths;
  }
}

int TQRPrinter::PaperLength() const {
  return hasPrinters_ ? settings_->PaperLength() : paper_.Length();
}

void TQRPrinter::SetPaperLength(int tenths) {
  if (hasPrinters_) {
    settings_->SetPaperLength(tenths);
  } else {
    paper_.length = tenths;
  }
}
int TQRPrinter::Copies() const { return settings_->Copies(); }
void TQRPrinter::SetCopies(int copies) { settings_->SetCopies(copies); }
TQRBin TQRPrinter::OutputBin() const { return settings_->OutputBin(); }
void TQRPrinter::SetOutputBin(TQRBin bin) { settings_->SetOutputBin(bin); }
int TQRPrinter::PrinterIndex() const { return device_->PrinterIndex(); }

void TQRPrinter::SetPrinterIndex(int index) {
  if (!hasPrinters_) return;
  device_->SetPrinterIndex(index);
  device_->SetPrinter(device_->Names(), std::nullopt);  // back to the driver's defaults
  settings_->ReadFromDriver();
}

void TQRPrinter::SetCompression(bool on) { pageList_->SetCompression(on); }

// ---- notices --------------------------------------------------------------

void TQRPrinter::SetProgressPercent(int percent) {
  progressPercent_ = percent;
  Post(listener_, new TQRProgressNotice(percent, this));
}

void TQRPrinter::SetReadyPages(int pages) {
  readyPages_ = pages;
  Post(listener_, new TQRPageReadyNotice(pages, this));
}

void TQRPrinter::PreviewClosed(QWidget*) {
  if (ownerReport_) {
    TQRPreviewClosedNotice notice(0, this);
    QCoreApplication::sendEvent(ownerReport_, &notice);
  }
}

void TQRPrinter::SetPreviewShowing(bool showing) {
  const bool closing = previewShowing_ && !showing;
  previewShowing_ = showing;
  if (!closing) return;
  if (runState_ == TQRPrinterRunState::Generating) CancelRun();
  if (OnPreviewDone) OnPreviewDone(this);
}

// ---- pages ----------------------------------------------------------------

std::unique_ptr<TMetafile> TQRPrinter::FetchPage(int n) {
  if (runState_ == TQRPrinterRunState::Idle || n < 1 || n > pageCount_) return nullptr;
  return pageList_->ReadPage(n);
}

void TQRPrinter::DiscardPages() {
  if (runState_ == TQRPrinterRunState::Generating) CancelRun();
  metafilePage_.reset();
  devicePageOpen_ = false;
  if (device_->Printing()) device_->Abort();  // a job cut off mid-run is not printed
  pageList_->DiscardStream();                 // deletes a temporary file, never a loaded one
  pageCount_ = 0;
  loadedFromFile_ = false;
  runState_ = TQRPrinterRunState::Idle;
}

void TQRPrinter::SavePrepared(const QString& fileName) {
  if (runState_ != TQRPrinterRunState::Complete || !pageList_->Stream()) return;
  pageList_->CopyToFile(fileName);
}

// Like saving: only complete pages, and never over the file they are read
// from.
void TQRPrinter::ExportPages(TQRExportFilter& filter, const QString& fileName) {
  if (runState_ != TQRPrinterRunState::Complete || !pageList_->Stream()) return;
  pageList_->RefuseOwnFile(fileName);
  filter.WritePages(*this, fileName);
}

void TQRPrinter::LoadPrepared(const QString& fileName) {
  if (runState_ != TQRPrinterRunState::Idle) DiscardPages();
  try {
    pageList_->AttachFile(fileName);
    pageCount_ = pageList_->PageCount();
    SetScreenScale();
    runState_ = TQRPrinterRunState::Complete;  // FetchPage serves page 1 from here
    if (pageCount_ > 0) FindPaperFromFirstPage();
  } catch (...) {
    // A file that is not a prepared report leaves no pages and no open file.
    pageList_->DiscardStream();
    pageCount_ = 0;
    runState_ = TQRPrinterRunState::Idle;
    throw;
  }
  OnPrintSetup = nullptr;
  OnExport = nullptr;
  loadedFromFile_ = true;
}

// The page's extent in whole units of 4 mm against every standard size in
// table order; among the matches, the last one the settings accept wins.
// Without printers nothing narrows the sizes down: the first match stands
// (Letter before LetterSmall and Note, which share its units), and a page
// of no standard size keeps its own extent.
void TQRPrinter::FindPaperFromFirstPage() {
  double across = 0;  // tenths of a millimetre
  double down = 0;
  {
    auto page = FetchPage(1);
    if (!page) return;
    across = page->Width() / scaleX_;
    down = page->Height() / scaleX_;
  }
  const int w = static_cast<int>(std::trunc(across / 40));
  const int h = static_cast<int>(std::trunc(down / 40));
  for (int i = static_cast<int>(TQRPaperSize::Letter); i <= static_cast<int>(TQRPaperSize::ESheet);
       ++i) {
    const auto size = static_cast<TQRPaperSize>(i);
    const auto mm = *PaperDimensions(size);
    const int tw = static_cast<int>(std::trunc(mm.widthMm / 4));
    const int tl = static_cast<int>(std::trunc(mm.lengthMm / 4));
    if (w == tw && h == tl) {
      SetPaperSize(size);
      SetOrientation(TPrinterOrientation::poPortrait);
      if (!hasPrinters_) return;
    }
    if (h == tw && w == tl) {
      SetPaperSize(size);
      SetOrientation(TPrinterOrientation::poLandscape);
      if (!hasPrinters_) return;
    }
  }
  if (!hasPrinters_) {
    // A damaged file's page may claim any extent.
    auto tenths = [](double v) { return Round(std::clamp(v, 0.0, 1e9)); };
    paper_ = {TQRPaperSize::Custom, TPrinterOrientation::poPortrait, tenths(across), tenths(down)};
  }
}

// ---- preview and printing -------------------------------------------------

QWidget* TQRPrinter::PreviewWindow() const { return previewWindow_; }

void TQRPrinter::OpenPreview() {
  if (PreviewHandler) {
    PreviewHandler(this);
    return;
  }
  auto factory = PreviewInterfaceClass()();
  previewWindow_ = factory->OpenWindow(this);
}

void TQRPrinter::PrintPages() {
  if (ownerReport_ && !loadedFromFile_) {
    Post(ownerReport_, new TQRPrintRequest(0, this));
    return;
  }
  if (runState_ != TQRPrinterRunState::Complete || !hasPrinters_) return;
  PrintStoredPages();
}

void TQRPrinter::PrintStoredPages() {
  // Only the pages that exist are printed, and a range that selects none
  // starts no job, so no blank sheet leaves the printer.
  const int first = rangeFirst_ > 0 ? rangeFirst_ : 1;
  const int last = rangeLast_ > 0 ? std::min(rangeLast_, pageCount_) : pageCount_;
  if (first > last) return;
  // A cancel meant for an earlier generation (say one stopped by loading a
  // file) must not cut this print short.
  cancelRequested_ = false;
  device_->SetTitle(jobTitle_);
  if (device_->Printing()) device_->Abort();
  settings_->WriteToDriver();
  device_->BeginDoc();
  const std::shared_ptr<const bool> alive = alive_;
  try {
    for (int i = first; i <= last; ++i) {
      ProcessPendingMessages();
      // Closing the preview meanwhile frees this printer (its job aborted on
      // the way); nothing of it may be touched any more.
      if (!*alive) return;
      // A print started again, or a file loaded, meanwhile has aborted this
      // job: there is nothing left to draw on.
      if (!device_->Printing()) return;
      if (auto page = FetchPage(i)) {
        page->Draw(device_->Canvas(), QRect(0, 0, device_->PageWidth(), device_->PageHeight()));
      }
      if (i < last) device_->NewPage();
      if (cancelRequested_) {
        device_->Abort();
        break;
      }
    }
  } catch (...) {
    // A page that cannot be read must not go out as a short job that looks
    // complete.
    if (device_->Printing()) device_->Abort();
    throw;
  }
  if (device_->Printing()) device_->EndDoc();
}

void TQRPrinter::RunPrintSetup(QObject* sender) {
  if (OnPrintSetup) OnPrintSetup(sender);
}

void TQRPrinter::ExportThroughFilter(TQRExportFilter* filter) {
  if (OnExport) OnExport(filter);
}
