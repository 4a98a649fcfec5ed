#pragma once
// The output device of one report run. A run goes either to the page store
// (every page an EMF metafile at screen resolution, appended to the page
// list) or straight to the printer, limited to a page range. Elements draw on
// PageCanvas() at positions from DeviceX/DeviceY/DeviceWidth/DeviceHeight;
// measures handed in are tenths of a millimetre from the paper's corner.
//
// The printer announces finished pages and progress to its Listener with
// posted notices (QRNotices.h), asks its OwnerReport to print with a posted
// request and tells it that the preview closed with a sent notice.

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "PagePaper.h"
#include "PaperSizes.h"
#include "PrinterOrientation.h"

class QObject;
class QWidget;
class TCanvas;
class TMetafile;
class TMetafileCanvas;
class TPrinterDevice;
class TPrinterSettings;
class TQRExportFilter;
class TQRPageList;

enum class TQRPrinterTarget { PageStore = 0, Device = 1 };
enum class TQRPrinterRunState { Idle = 0, Generating = 1, Complete = 2 };

class TQRPrinter {
 public:
  using TNotify = std::function<void(TQRPrinter* sender)>;

  TQRPrinter();
  ~TQRPrinter();
  TQRPrinter(const TQRPrinter&) = delete;
  TQRPrinter& operator=(const TQRPrinter&) = delete;

  // Run protocol: BeginRun, NewPage before every page, then EndRun (or
  // AbandonRun when the run stops early).
  void BeginRun();
  void NewPage();
  void EndRun();
  void AbandonRun();
  void CancelRun() { cancelRequested_ = true; }

  TCanvas& PageCanvas();  // EQRError when no page is open

  // Tenths of a millimetre to device pixels on the open page.
  int DeviceX(double x) const;
  int DeviceY(double y) const;
  int DeviceWidth(double w) const;
  int DeviceHeight(double h) const;

  // The paper's extent across and down, orientation applied, tenths of mm.
  int OrientedPaperWidth() const;
  int OrientedPaperLength() const;

  // Read and set through the settings, whose rules decide what is accepted.
  // Without printers paper size, orientation and paper extent are the pages'
  // own (TPagePaper): a preview needs no printer and shows the report's paper.
  TQRPaperSize PaperSize() const;
  void SetPaperSize(TQRPaperSize size);
  TPrinterOrientation Orientation() const;
  void SetOrientation(TPrinterOrientation orientation);
  int PaperWidth() const;
  void SetPaperWidth(int tenths);
  int PaperLength() const;
  void SetPaperLength(int tenths);
  int Copies() const;
  void SetCopies(int copies);
  TQRBin OutputBin() const;
  void SetOutputBin(TQRBin bin);
  int PrinterIndex() const;
  void SetPrinterIndex(int index);
  void SetCompression(bool on);

  int ProgressPercent() const { return progressPercent_; }
  void SetProgressPercent(int percent);
  int ReadyPages() const { return readyPages_; }
  void SetReadyPages(int pages);

  // A new metafile of stored page n, or nothing for a page not stored (yet).
  std::unique_ptr<TMetafile> FetchPage(int n);

  void OpenPreview();
  void PrintPages();
  void SavePrepared(const QString& fileName);
  // The stored pages written through `filter` (QRExportFilter.h), when the
  // pages are complete; nothing otherwise, as with SavePrepared.
  void ExportPages(TQRExportFilter& filter, const QString& fileName);
  void LoadPrepared(const QString& fileName);
  void RunPrintSetup(QObject* sender);
  void ExportThroughFilter(TQRExportFilter* filter);
  void PreviewClosed(QWidget* window);

  bool PreviewShowing() const { return previewShowing_; }
  void SetPreviewShowing(bool showing);

  bool HasPrinters() const { return hasPrinters_; }
  TQRPrinterTarget Target() const { return target_; }
  void SetTarget(TQRPrinterTarget target) { target_ = target; }
  TQRPrinterRunState RunState() const { return runState_; }
  int PageCount() const { return pageCount_; }
  bool CancelRequested() const { return cancelRequested_; }
  bool LoadedFromFile() const { return loadedFromFile_; }

  int RangeFirst() const { return rangeFirst_; }
  void SetRangeFirst(int page) { rangeFirst_ = page; }
  int RangeLast() const { return rangeLast_; }
  void SetRangeLast(int page) { rangeLast_ = page; }
  const QString& JobTitle() const { return jobTitle_; }
  void SetJobTitle(const QString& title) { jobTitle_ = title; }

  double ScaleX() const { return scaleX_; }
  double ScaleY() const { return scaleY_; }
  int OffsetX() const { return offsetX_; }
  int OffsetY() const { return offsetY_; }

  QObject* Listener() const { return listener_; }
  void SetListener(QObject* listener) { listener_ = listener; }
  QObject* OwnerReport() const { return ownerReport_; }
  void SetOwnerReport(QObject* report) { ownerReport_ = report; }
  QWidget* PreviewWindow() const;

  TPrinterSettings& Settings() { return *settings_; }
  TPrinterDevice& PrinterDevice() { return *device_; }

  TNotify OnPrintDone;
  TNotify OnPreviewDone;
  std::function<void(QObject* sender)> OnPrintSetup;
  std::function<void(TQRExportFilter* filter)> OnExport;
  TNotify PreviewHandler;

 private:
  bool InRange(int page) const;
  void OpenMetafilePage();
  void OpenDevicePage();
  void CloseOpenPage();
  void StoreMetafilePage();
  void DropMetafilePage();
  void DiscardPages();
  void SetScreenScale();
  void SetDeviceScale();
  void PrintStoredPages();
  void FindPaperFromFirstPage();

  std::unique_ptr<TPrinterDevice> device_;
  std::unique_ptr<TPrinterSettings> settings_;
  std::unique_ptr<TQRPageList> pageList_;
  std::unique_ptr<TMetafileCanvas> metafilePage_;
  bool devicePageOpen_ = false;

  bool hasPrinters_ = false;
  TPagePaper paper_;  // the pages' paper while there are no printers
  TQRPrinterTarget target_ = TQRPrinterTarget::PageStore;
  TQRPrinterRunState runState_ = TQRPrinterRunState::Idle;
  int pageCount_ = 0;
  int readyPages_ = 0;
  int progressPercent_ = 0;
  bool cancelRequested_ = false;
  int rangeFirst_ = 0;
  int rangeLast_ = 0;
  QString jobTitle_;
  double scaleX_ = 1.0;
  double scaleY_ = 1.0;
  int offsetX_ = 0;  // tenths of mm
  int offsetY_ = 0;
  QPointer<QObject> listener_;
  QPointer<QObject> ownerReport_;
  QPointer<QWidget> previewWindow_;
  bool previewShowing_ = false;
  bool loadedFromFile_ = false;
  // False once destruction has begun; held by loops that let messages run.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
