#pragma once
// The report: its page setup, its ordered band list and the band-presence
// switches, options, printer settings, named values, events and the state a
// generation run keeps. Bands and elements are children of the report;
// their on-screen layout is computed here (LayoutBands) and drawn through a
// canvas. Measures are read and written in the report's Units.

#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

#include "QRBandType.h"
#include "QRBasePanel.h"
#include "QREvEnvironment.h"
#include "QREvents.h"
#include "QRPage.h"
#include "QRReportBands.h"
#include "QRReportOptions.h"
#include "QRReportPrinterSettings.h"

class TQRCustomBand;
class TQRChildBand;
class TQRCustomController;
class TQRPrinter;
class TQRExportFilter;
class TMetafile;
class TTextMeasurer;

class TQRCustomReport : public TQRBasePanel {
 public:
  explicit TQRCustomReport(TQRComponent* owner);
  ~TQRCustomReport() override;

  QString ClassName() const override { return QStringLiteral("TQRCustomReport"); }

  TQRPage& Page() { return *page_; }
  const TQRPage& Page() const { return *page_; }
  TQRReportBands& Bands() { return bands_; }
  TQRReportPrinterSettings& PrinterSettings() { return printerSettings_; }
  const TQRReportPrinterSettings& PrinterSettings() const { return printerSettings_; }
  TQREvEnvironment& Functions() { return functions_; }
  QStringList& Description() { return description_; }
  const QStringList& Description() const { return description_; }

  TQRUnit Units() const { return units_; }
  // The unit of the page, of every band's size (in band-list order) and
  // their elements, and of the elements placed on the report itself.
  virtual void SetUnits(TQRUnit units);
  // Accepted from 1 to 300; passes it to the elements, bands and page and
  // lays the bands out again.
  void SetZoom(int zoom) override;

  TQRReportOptions Options() const { return options_; }
  void SetOptions(TQRReportOptions options) { options_ = options; }
  bool PrintIfEmpty() const { return printIfEmpty_; }
  virtual void SetPrintIfEmpty(bool on) { printIfEmpty_ = on; }
  const QString& ReportTitle() const { return reportTitle_; }
  void SetReportTitle(const QString& title) { reportTitle_ = title; }
  bool ShowProgress() const { return showProgress_; }
  void SetShowProgress(bool on) { showProgress_ = on; }
  bool SnapToGrid() const { return snapToGrid_; }
  void SetSnapToGrid(bool on) { snapToGrid_ = on; }

  // Bands in print order.
  const std::vector<TQRCustomBand*>& BandList() const { return bandList_; }
  void AttachBand(TQRCustomBand* band);
  void DetachBand(TQRCustomBand* band);
  void RebuildBandOrder();
  void LayoutBands();
  // The first band of that type in band-list order, or none.
  TQRCustomBand* FindBandOfType(TQRBandType type) const;
  // A new TQRBand of that type on the report, owned by the report's owner
  // (or the report), named "<base>N" with the smallest free N.
  TQRCustomBand* CreateBandOfType(TQRBandType type);
  // The first child band in band-list order continuing `band`, or none.
  TQRChildBand* ChildOf(const TQRCustomBand* band) const;

  // Height of "A" / width of the text plus 1, in screen pixels, in `font`
  // on the report's reference device; 0 when it cannot measure.
  int MeasureHeight(const TFontSpec& font, const QString& text);
  int MeasureWidth(const TFontSpec& font, const QString& text);

  TQRCustomController& Controller() { return *controller_; }

  void Loaded() override;
  void Paint(TCanvas& canvas, QPoint origin) override;
  void PaintRuler(TCanvas& canvas, QPoint origin, TQRUnit unit) override;
  bool ReadProperty(const QString& name, const TDesignValue& value, TDesignReader& reader) override;

  // Events.
  TQRAfterPrintEvent AfterPrint;
  TQRAfterPreviewEvent AfterPreview;
  TQRReportBeforePrintEvent BeforePrint;
  TQRNotifyEvent OnEndPage;
  TQROnNeedDataEvent OnNeedData;
  TQRPreviewEvent OnPreview;
  TQRNotifyEvent OnStartPage;

  // Output (QRGeneration.cpp): generate into the page store and show the
  // preview until it closes; generate straight to the printer; one run.
  void ShowPreview();
  void PrintToPrinter();
  virtual void GenerateReport();
  // A new current printer for a run; the previous one stays with its owner.
  void AttachNewPrinter();
  void CancelGeneration();
  // The report's printer settings and page setup onto the current printer.
  void ApplyPrinterSettings();
  // Handlers a previewed printer calls: the print dialog, an export filter.
  void PrintSetup(QObject* sender);
  void ExportToFilter(TQRExportFilter* filter);
  // Receives the print request and the preview-closed notice of the
  // report's printers (their OwnerReport).
  QObject* NoticeReceiver();

  // Page and column arithmetic of a run (QRPageFlow.cpp), native units.
  void OutputBand(TQRCustomBand* band);
  void EnsureSpace(TQRCustomBand* band);
  int SpaceLeft() const;
  void ForcePageBreak();
  void ForceColumnBreak();
  void StartNewColumn();
  void StartNewPage();
  void FinishPage();
  void DrawPageExtras();
  void MeasurePageFooters();

  // Layout widths of text on the reference device, each (font, word)
  // measured once (QRTextMeasure.cpp).
  TTextMeasurer& TextMeasurer();

  // Run state, used by generation (native units).
  TQRPrinter* QRPrinter = nullptr;  // the current printer; none between runs
  bool Available = true;            // no generation is running
  bool Cancelled = false;
  bool FinalPass = true;  // false only during an export run
  bool LastPage = false;
  int CurrentX = 0;
  int CurrentY = -1;  // -1 before the first page
  int CurrentColumn = 1;
  int ColumnTop = 0;
  int PageCount = 0;
  long double PageFooterSize = 0;
  bool NewPageSuppressed = false;
  bool ForcedColumn = false;
  // A page is turning: its own bands are printing (the footer of the page
  // before, its header, its first column's header). No page or column is
  // started meanwhile and forced breaks are ignored; what does not fit runs
  // over.
  bool TurningPage = false;
  TQRNamedValue* PageNumber = nullptr;
  TQRNamedValue* ColumnNumber = nullptr;
  TQRNamedValue* ReportTitleValue = nullptr;

 protected:
  // Drawing of the on-screen layout, in this order after the fill and grid.
  virtual void PaintMarginRect(TCanvas& canvas, QPoint origin);
  virtual void PaintFrame(TCanvas& canvas, QPoint origin);
  virtual void PaintColumns(TCanvas& canvas, QPoint origin);
  void ReplaceController(std::unique_ptr<TQRCustomController> controller);
  // The detail loop of a run: which bands print how often.
  virtual void RunDetailLoop();

 private:
  void ApplyLocaleDefaults();
  void FindNamedValues();
  // Margins, gap and column width of the layout in screen pixels.
  QRect MarginRect(QPoint origin) const;

  std::unique_ptr<TQRPage> page_;
  std::unique_ptr<TQRCustomController> controller_;
  std::unique_ptr<TCanvas> referenceDevice_;
  TFontSpec referenceFont_;  // the font selected on the reference device
  std::vector<TQRCustomBand*> bandList_;
  TQRReportBands bands_;
  TQRReportPrinterSettings printerSettings_;
  TQREvEnvironment functions_;
  QStringList description_;
  TQRUnit units_;
  TQRReportOptions options_{TQRReportOption::FirstPageHeader, TQRReportOption::LastPageFooter};
  bool printIfEmpty_ = true;
  QString reportTitle_;
  bool showProgress_ = true;
  bool snapToGrid_ = true;

  // Generation (QRGeneration.cpp).
  friend class TQRReportNotices;
  void RunDocument();
  void CloseDocument();
  void StopIfTerminating();
  void PreviewClosedNotice(TQRPrinter* printer);
  void PageReadyNotice(TQRPrinter* printer, int readyPages);
  void ReleasePreviewPrinter();
  // The preview closed while a print from it went on: its printer goes now,
  // instead of being shown by a window that no longer exists.
  void ReleaseClosedPreview();
  // The printer stops showing its preview (AfterPreview runs while it is
  // still the current printer); then the report lets it go.
  void EndPreview(TQRPrinter* printer);
  std::unique_ptr<QObject> noticeReceiver_;
  std::shared_ptr<TQRPrinter> previewPrinter_;  // the printer a preview shows
  std::shared_ptr<TMetafile> onScreenFirstPage_;
  std::shared_ptr<TTextMeasurer> textMeasurer_;
  TQRExportFilter* exportFilter_ = nullptr;
  bool previewClosePending_ = false;  // the preview closed while a run went on
};
