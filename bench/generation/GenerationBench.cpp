// Report generation into the page store, on the screen's reference device
// with real fonts (a scripted printer driver stands in for the system's, so
// that no print server is needed):
//  - a dense page of 300 labels, beside Qt's QPicture recording the same
//    fills and texts at the same device positions;
//  - an OnNeedData report of 100, 1000 and 10 000 pages of 40 word-wrapped
//    labels each, with and without page compression: pages per second (CPU
//    time) once the report's fonts and words are measured, and the peak resident
//    memory of the run (the store spills to a temporary file beyond 100000
//    bytes, so the peak should stay flat);
//  - beside it, QTextDocument::print of the same text to a PDF file.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QPicture>
#include <chrono>
#include <ctime>
#include <memory>
#include <random>
#include <vector>

#include "FontHeight.h"
#include "QRCustomBand.h"
#include "QRLabel.h"
#include "QRPrinter.h"
#include "QRReport.h"
#include "ReferenceCanvas.h"
#include "ScriptedPrinter.h"

namespace {

// ---- environment ----------------------------------------------------------

struct TPrinterEnvironment {
  std::shared_ptr<TScriptedPrinterScript> script = std::make_shared<TScriptedPrinterScript>();
  ScopedPrinterDeviceFactory factory{ScriptedPrinterFactory(script)};
  TScriptedPrinter appPrinter{script};
  ScopedPrinterDevice appScope{&appPrinter};
};

// Peak resident memory since the last reset, kilobytes (Linux).
void ResetPeakMemory() {
  QFile file(QStringLiteral("/proc/self/clear_refs"));
  if (file.open(QIODevice::WriteOnly)) file.write("5");
}

double PeakMemoryKb() {
  QFile file(QStringLiteral("/proc/self/status"));
  if (!file.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : file.readAll().split('\n'))
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toDouble();
  return 0;
}

// ---- report building ------------------------------------------------------

const char* const kWords[] = {
    "PERMISO",
    "DE",
    "CIRCULACIÓN",
    "VEHÍCULO",
    "OFICIAL",
    "SECRETARÍA",
    "ADMINISTRACIÓN",
    "FINANZAS",
    "DIRECCIÓN",
    "GENERAL",
    "RECURSOS",
    "MATERIALES",
    "COMISIÓN",
    "PARA",
    "ENTREGAR",
    "DOCUMENTACIÓN",
    "EN",
    "LA",
    "DELEGACIÓN",
    "REGIONAL",
    "DEL",
    "ESTADO",
    "MUNICIPIO",
    "TRASLADO",
    "PERSONAL",
    "SUPERVISIÓN",
    "OBRAS",
    "PÚBLICAS",
    "CARRETERA",
    "FEDERAL",
    "KILÓMETRO",
    "REUNIÓN",
    "TRABAJO",
    "CON",
    "AUTORIDADES",
    "LOCALES",
    "Y",
    "NISSAN",
    "FORD",
    "CHEVROLET",
    "TSURU",
    "RANGER",
    "PICK-UP",
    "JEFE",
    "DEPARTAMENTO",
    "JUAN",
    "PÉREZ",
    "GARCÍA",
    "MARÍA",
    "LÓPEZ",
    "ORIZABA",
    "CÓRDOBA",
    "XALAPA",
    "VERACRUZ",
};

// A report in Native units on Letter portrait with margins of 100 tenths.
TQRReport* NewReport(TQRComponent& owner) {
  auto* report = new TQRReport(&owner);
  report->SetUnits(TQRUnit::Native);
  report->Page().SetPaperSize(TQRPaperSize::Letter);
  for (auto set : {&TQRPage::SetTopMargin, &TQRPage::SetBottomMargin, &TQRPage::SetLeftMargin,
                   &TQRPage::SetRightMargin})
    (report->Page().*set)(100);
  return report;
}

TQRLabel* AddLabel(TQRComponent& owner, TQRCustomBand& band, double left, double top, double width,
                   double height) {
  auto* label = new TQRLabel(&owner);
  label->SetAutoSize(false);
  label->SetParent(&band);
  label->Size().SetLeft(left);
  label->Size().SetTop(top);
  label->Size().SetWidth(width);
  label->Size().SetHeight(height);
  return label;
}

// One run into a fresh page-store printer; the page count it made.
int GenerateIntoStore(TQRReport& report) {
  report.AttachNewPrinter();
  std::unique_ptr<TQRPrinter> printer(report.QRPrinter);
  report.GenerateReport();
  const int pages = printer->PageCount();
  printer.reset();
  report.QRPrinter = nullptr;
  return pages;
}

// ---- a dense page ---------------------------------------------------------

constexpr int kDenseColumns = 10;
constexpr int kDenseRows = 30;  // 300 labels

struct TDenseLabel {
  QRect box;  // device pixels of the page
  QString text;
};

QString DenseText(int i) {
  return QStringLiteral("%1 %2").arg(QString::fromUtf8(kWords[i % std::size(kWords)])).arg(i);
}

void BM_DensePageIntoStore(benchmark::State& state) {
  TPrinterEnvironment environment;
  TQRComponent owner(nullptr);
  TQRReport* report = NewReport(owner);
  TQRCustomBand* band = report->CreateBandOfType(rbSummary);
  band->Size().SetHeight(2594);
  for (int i = 0; i < kDenseColumns * kDenseRows; ++i)
    AddLabel(owner, *band, (i % kDenseColumns) * 195.0, (i / kDenseColumns) * 86.0, 190, 80)
        ->SetCaption(DenseText(i));
  for (auto _ : state) benchmark::DoNotOptimize(GenerateIntoStore(*report));
  state.counters["labels/s"] = benchmark::Counter(
      double(state.iterations()) * kDenseColumns * kDenseRows, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DensePageIntoStore)->Unit(benchmark::kMillisecond);

// The same drawing recorded by Qt: the band's fill, then for every label its
// white background and its text at the top-left of its box.
void BM_DensePageQPicture(benchmark::State& state) {
  const double scale = ScreenPixelsPerInch() / 254.0;
  auto device = [scale](double tenths) { return int(std::lround(tenths * scale)); };
  std::vector<TDenseLabel> labels;
  for (int i = 0; i < kDenseColumns * kDenseRows; ++i) {
    const double x = 100 + (i % kDenseColumns) * 195.0;
    const double y = 100 + (i / kDenseColumns) * 86.0;
    labels.push_back({QRect(QPoint(device(x), device(y)), QPoint(device(x + 190), device(y + 80))),
                      DenseText(i)});
  }
  TFontSpec spec;
  const QFont font = MakeQFont(spec, FontPixelHeight(spec.pointSize, ScreenPixelsPerInch()));
  for (auto _ : state) {
    QPicture picture;
    QPainter painter(&picture);
    painter.fillRect(QRect(device(100), device(100), device(1959), device(2594)), Qt::white);
    painter.setFont(font);
    const int ascent = painter.fontMetrics().ascent();
    for (const TDenseLabel& label : labels) {
      painter.fillRect(label.box, Qt::white);
      painter.drawText(QPoint(label.box.left(), label.box.top() + ascent), label.text);
    }
    painter.end();
    benchmark::DoNotOptimize(picture.size());
  }
  state.counters["labels/s"] = benchmark::Counter(
      double(state.iterations()) * kDenseColumns * kDenseRows, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DensePageQPicture)->Unit(benchmark::kMillisecond);

// ---- a long report --------------------------------------------------------

constexpr int kLabelsPerPage = 40;
constexpr int kDistinctRecords = 1000;  // the records repeat after these

// Per record, the captions of its 40 labels: 3 to 24 words, word-wrapped in
// labels 400 to 900 tenths wide; a plate and a number differ on every record.
std::vector<QStringList> MakeRecords() {
  std::mt19937 rng(20261210);
  std::uniform_int_distribution<int> word(0, int(std::size(kWords)) - 1);
  std::uniform_int_distribution<int> count(3, 24);
  std::vector<QStringList> records(kDistinctRecords);
  for (int r = 0; r < kDistinctRecords; ++r) {
    for (int l = 0; l < kLabelsPerPage; ++l) {
      QStringList words;
      const int n = count(rng);
      for (int i = 0; i < n; ++i) words << QString::fromUtf8(kWords[word(rng)]);
      if (l % 8 == 0) words << QStringLiteral("PLACA XW%1-%2").arg(r % 100).arg(r);
      records[std::size_t(r)] << words.join(u' ');
    }
  }
  return records;
}

const std::vector<QStringList>& Records() {
  static const std::vector<QStringList> records = MakeRecords();
  return records;
}

void LongReport(benchmark::State& state, bool compression) {
  TPrinterEnvironment environment;
  TQRComponent owner(nullptr);
  TQRReport* report = NewReport(owner);
  if (compression) report->SetOptions({TQRReportOption::Compression});
  TQRCustomBand* detail = report->CreateBandOfType(rbDetail);
  detail->Size().SetHeight(2500);  // one record per page
  std::vector<TQRLabel*> labels;
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> width(400, 900);
  for (int l = 0; l < kLabelsPerPage; ++l)
    labels.push_back(AddLabel(owner, *detail, (l % 2) * 960.0, (l / 2) * 124.0, width(rng), 120));

  int pages = 0;
  int record = 0;
  // CPU clock at the start of each tenth of the run, to compare the rate of
  // its first and last tenth.
  std::vector<std::clock_t> tenths;
  report->OnNeedData = [&](TQRCustomReport*, bool& more) {
    more = record < pages;
    if (pages >= 10 && record % (pages / 10) == 0) tenths.push_back(std::clock());
    if (!more) return;
    const QStringList& captions = Records()[std::size_t(record % kDistinctRecords)];
    for (int l = 0; l < kLabelsPerPage; ++l) labels[std::size_t(l)]->SetCaption(captions[l]);
    ++record;
  };
  // A first run over every distinct record outside the timing: fonts and
  // words are measured once per report, a cost that depends on the data and
  // not on how long the report is. Its rate is reported as cold_pages/s.
  pages = kDistinctRecords;
  const auto coldStart = std::chrono::steady_clock::now();
  GenerateIntoStore(*report);
  const std::chrono::duration<double> cold = std::chrono::steady_clock::now() - coldStart;
  pages = int(state.range(0));
  double peakKb = 0;
  for (auto _ : state) {
    record = 0;
    tenths.clear();
    ResetPeakMemory();
    benchmark::DoNotOptimize(GenerateIntoStore(*report));
    peakKb = PeakMemoryKb();
  }
  state.counters["pages/s"] =
      benchmark::Counter(double(state.iterations()) * pages, benchmark::Counter::kIsRate);
  state.counters["peak_MB"] = peakKb / 1024;
  state.counters["cold_pages/s"] = kDistinctRecords / cold.count();
  if (tenths.size() >= 11) {
    auto rate = [&](std::size_t from) {
      return (pages / 10.0) / (double(tenths[from + 1] - tenths[from]) / CLOCKS_PER_SEC);
    };
    state.counters["first_tenth_pages/s"] = rate(0);
    state.counters["last_tenth_pages/s"] = rate(9);
  }
}

void BM_LongReport(benchmark::State& state) { LongReport(state, false); }
void BM_LongReportCompressed(benchmark::State& state) { LongReport(state, true); }

// The anchor: Qt's rich-text engine printing the same text, one record per
// page, to a PDF file. Its wrapped lines are laid out and written; the report
// above only generates into its page store, so the ratio leaves the report's
// own PDF writing out.
void BM_QTextDocumentPrint(benchmark::State& state) {
  const int pages = int(state.range(0));
  QTextDocument document;
  QTextCursor cursor(&document);
  QTextBlockFormat newPage;
  newPage.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
  for (int r = 0; r < pages; ++r) {
    const QStringList& captions = Records()[std::size_t(r % kDistinctRecords)];
    for (int l = 0; l < kLabelsPerPage; ++l) {
      if (r > 0 || l > 0) cursor.insertBlock(l == 0 ? newPage : QTextBlockFormat());
      cursor.insertText(captions[l]);
    }
  }
  QTemporaryDir folder;
  for (auto _ : state) {
    QPdfWriter writer(folder.filePath(QStringLiteral("anchor.pdf")));
    writer.setPageSize(QPageSize(QPageSize::A4));
    document.print(&writer);
  }
  state.counters["pages/s"] =
      benchmark::Counter(double(state.iterations()) * pages, benchmark::Counter::kIsRate);
}

BENCHMARK(BM_QTextDocumentPrint)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK(BM_LongReport)->Arg(100)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_LongReportCompressed)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
