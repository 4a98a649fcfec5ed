#include "GenerationFixture.h"

#include <QCoreApplication>
#include <cmath>

#include "QRCustomBand.h"
#include "QRNotices.h"
#include "QRPreviewInterface.h"
#include "QRPrinter.h"
#include "QRProgressWindowClass.h"

namespace {

constexpr double kDeviceScale = 600.0 / 254;

QStringList* g_log = nullptr;
QObject* g_previewOwner = nullptr;

std::shared_ptr<TScriptedPrinterScript> MakeScript() {
  auto script = std::make_shared<TScriptedPrinterScript>();
  script->offsetX = 300;
  script->offsetY = 600;
  return script;
}

class TFakePreviewInterface : public TQRPreviewInterface {
 public:
  QWidget* OpenWindow(TQRPrinter* printer) override {
    auto* preview = new TFakePreview(printer, TFakePreview::next);
    preview->setParent(g_previewOwner);
    return nullptr;
  }
};

// Logs when the printing-progress window of a run opens and goes.
class TProgressProbe : public QObject {
 public:
  explicit TProgressProbe(bool shown) {
    if (g_log)
      g_log->append(shown ? QStringLiteral("progress shown") : QStringLiteral("progress hidden"));
  }
  ~TProgressProbe() override {
    if (g_log) g_log->append(QStringLiteral("progress gone"));
  }
};

std::unique_ptr<QObject> MakeProgressProbe(TQRPrinter*, bool show) {
  return std::make_unique<TProgressProbe>(show);
}

}  // namespace

int DevX(double tenths) { return int(std::nearbyint((tenths - kLeftOffsetTenths) * kDeviceScale)); }
int DevY(double tenths) { return int(std::nearbyint((tenths - kTopOffsetTenths) * kDeviceScale)); }

// ---- fake preview ---------------------------------------------------------

TFakePreviewScript TFakePreview::next;
int TFakePreview::opened = 0;

TFakePreview::TFakePreview(TQRPrinter* printer, TFakePreviewScript script)
    : printer_(printer), script_(std::move(script)) {
  ++opened;
  printer_->SetListener(this);
  printer_->SetPreviewShowing(true);
  QMetaObject::invokeMethod(
      this, [this] { Start(); }, Qt::QueuedConnection);
}

TFakePreview::~TFakePreview() {
  if (printer_ != nullptr && printer_->Listener() == this) printer_->SetPreviewShowing(false);
}

void TFakePreview::ForgetPrinter(TQRPrinter* printer) {
  if (printer != printer_) return;
  printer_->SetPreviewShowing(false);
  printer_ = nullptr;
}

bool TFakePreview::Busy() const {
  return printer_->RunState() == TQRPrinterRunState::Generating ||
         (script_.report != nullptr && !script_.report->Available);
}

// The user looks at the preview once its run is over, whether or not a page
// was made (a run that printed nothing announces none).
void TFakePreview::Start() {
  if (printer_ == nullptr || started_) return;
  if (Busy()) {
    QMetaObject::invokeMethod(
        this, [this] { Start(); }, Qt::QueuedConnection);
    return;
  }
  started_ = true;
  if (script_.log)
    script_.log->append(QStringLiteral("preview shows %1 pages").arg(printer_->PageCount()));
  Step();
}

bool TFakePreview::event(QEvent* e) {
  if (e->type() != TQRPageReadyNotice::Kind) return QObject::event(e);
  if (printer_ != nullptr && !started_ && script_.closeWhileGenerating &&
      printer_->RunState() == TQRPrinterRunState::Generating) {
    started_ = true;
    printer_->PreviewClosed(nullptr);
    deleteLater();
  }
  return true;
}

void TFakePreview::Step() {
  if (printer_ == nullptr || script_.steps.isEmpty()) return;
  if (Busy()) {
    QMetaObject::invokeMethod(
        this, [this] { Step(); }, Qt::QueuedConnection);
    return;
  }
  const QString step = script_.steps.takeFirst();
  if (step == QLatin1String("print")) {
    printer_->PrintPages();
  } else if (step == QLatin1String("export")) {
    printer_->ExportThroughFilter(nullptr);
  } else if (step == QLatin1String("setup")) {
    printer_->RunPrintSetup(this);
  } else if (step == QLatin1String("hook")) {
    if (script_.hook) script_.hook();
  } else if (step == QLatin1String("again")) {
    if (script_.report != nullptr) script_.report->ShowPreview();
  } else if (step == QLatin1String("close")) {
    printer_->PreviewClosed(nullptr);
    deleteLater();
    return;
  }
  QMetaObject::invokeMethod(
      this, [this] { Step(); }, Qt::QueuedConnection);
}

// ---- fixture --------------------------------------------------------------

GenerationTest::GenerationTest()
    : script(MakeScript()),
      factory(ScriptedPrinterFactory(script)),
      appPrinter(std::make_unique<TScriptedPrinter>(script)),
      appPrinterScope(appPrinter.get()) {
  g_log = &log;
  g_previewOwner = &previewOwner;
  TFakePreview::next = TFakePreviewScript{};
  TFakePreview::opened = 0;
  SetPreviewInterfaceClass(&MakePreviewInterface<TFakePreviewInterface>);
  SetProgressWindowClass(&MakeProgressProbe);
}

GenerationTest::~GenerationTest() {
  SetPreviewInterfaceClass(nullptr);
  SetProgressWindowClass(nullptr);
  g_log = nullptr;
}

TQRReport& GenerationTest::NewReport() {
  auto* report = new TQRReport(&form);
  report->SetUnits(TQRUnit::Native);
  TQRPage& page = report->Page();
  page.SetOrientation(TPrinterOrientation::poPortrait);
  page.SetPaperSize(TQRPaperSize::Letter);
  page.SetTopMargin(100);
  page.SetBottomMargin(100);
  page.SetLeftMargin(100);
  page.SetRightMargin(100);
  return *report;
}

TQRCustomBand& GenerationTest::AddBand(TQRCustomReport& report, TQRBandType type, double height) {
  TQRCustomBand* band = report.CreateBandOfType(type);
  band->Size().SetHeight(height);
  return *band;
}

TQRLabel& GenerationTest::AddLabel(TQRControl& parent, const QString& caption, double left,
                                   double top, double width, double height, bool autoSize) {
  auto* label = new TQRLabel(&form);
  label->SetAutoSize(autoSize);
  label->SetParent(&parent);
  label->Size().SetUnits(TQRUnit::Native);
  label->Size().SetLeft(left);
  label->Size().SetTop(top);
  label->Size().SetWidth(width);
  label->Size().SetHeight(height);
  label->SetCaption(caption);
  return *label;
}

void GenerationTest::LogEvents(TQRCustomReport& report) {
  report.BeforePrint = [this](TQRCustomReport*, bool&) {
    log.append(QStringLiteral("BeforePrint(report)"));
  };
  report.OnStartPage = [this](TQRCustomReport* r) {
    log.append(QStringLiteral("OnStartPage %1").arg(r->PageCount));
  };
  report.OnEndPage = [this](TQRCustomReport* r) {
    log.append(QStringLiteral("OnEndPage %1").arg(r->PageCount));
  };
  report.AfterPrint = [this](TQRCustomReport*) {
    log.append(QStringLiteral("AfterPrint(report)"));
  };
  report.AfterPreview = [this](TQRCustomReport*) { log.append(QStringLiteral("AfterPreview")); };
  for (TQRCustomBand* band : report.BandList()) {
    band->BeforePrint = [this](TQRCustomBand* b, bool&) {
      log.append(QStringLiteral("BeforePrint(%1)").arg(b->Name()));
    };
    band->AfterPrint = [this](TQRCustomBand* b, bool printed) {
      log.append(QStringLiteral("AfterPrint(%1,%2)").arg(b->Name()).arg(printed ? 1 : 0));
    };
  }
}

void GenerationTest::ScriptPreview(TQRCustomReport& report, const QStringList& steps) {
  TFakePreview::next.steps = steps;
  TFakePreview::next.report = &report;
  TFakePreview::next.log = &log;
}

QStringList GenerationTest::CallsOnPage(int page, const QString& verb) const {
  QStringList calls;
  if (page < 1 || page > DevicePages()) return calls;
  for (const QString& line : script->pages[std::size_t(page - 1)])
    if (line.startsWith(verb)) calls.append(line);
  return calls;
}

QStringList GenerationTest::TextOutsOnPage(int page) const {
  return CallsOnPage(page, QStringLiteral("TextOut "));
}

QStringList GenerationTest::TextsOnPage(int page) const {
  QStringList texts;
  for (const QString& line : TextOutsOnPage(page)) {
    const qsizetype open = line.indexOf(QLatin1Char('"'));
    texts.append(line.mid(open + 1, line.lastIndexOf(QLatin1Char('"')) - open - 1));
  }
  return texts;
}
