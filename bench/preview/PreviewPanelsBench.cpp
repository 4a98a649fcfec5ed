// The preview window on a report of 10 000 pages, as a person meets it:
//
//   Open       the 10 000-page file loaded through the open dialog: the time
//              until its first page is on view with its number in the status
//              bar.
//   Find       a word that stands only on the last page, typed into the find
//              bar: the time until that page is on view with the word
//              marked (goal: under 1 s). "Cold" reads every page's text
//              first; "Again" searches the text read once per store.
//              longest_slice_ms is the longest the window went without
//              handling its events meanwhile (goal: a frame, 16 ms), on the
//              wall clock; longest_slice_cpu_ms the processor time this
//              program spent in that longest stretch, which tells the
//              search's own slices from the time another program had the
//              processor on a busy machine.
//   Thumbnails the page pictures switched on: the time until the pictures
//              in view are drawn (goal: under 100 ms); "Scroll" jumps the
//              panel to another part of the report and draws what comes
//              into view.
//   Export     every page written as PDF through the export filter, as the
//              save dialog's PDF entry writes it (the window waits).
//   Paint      one paint of the page area at page width, with the panels
//              off, with the pictures beside it, and with the find bar's
//              marks over it: the new panels must not make it slower.
//
//   build/bench/preview/bench_preview_panels

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <ctime>
#include <memory>

#include "Canvas.h"
#include "PrinterOrientation.h"
#include "QRFileDialog.h"
#include "QRFindBar.h"
#include "QRFindHighlight.h"
#include "QRPdfFilter.h"
#include "QRPageSearch.h"
#include "QRPreview.h"
#include "QRPreviewImage.h"
#include "QRPrinter.h"
#include "QRStandardPreview.h"
#include "QRThumbnailModel.h"
#include "QRThumbnailPanel.h"

#ifdef PERMISO_BENCH_SCRIPTED_PRINTER
#include "ScriptedPrinter.h"
#endif

namespace {

constexpr int kPages = 10000;
constexpr QSize kWindow(1280, 960);

// A form-like page: a title, eight lines of text and a frame.
void DrawPage(TQRPrinter& printer, int page) {
  TCanvas& c = printer.PageCanvas();
  c.SetPen(qRgb(0, 0, 0), 1, TPenStyle::psSolid);
  c.SetBrush(qRgb(255, 255, 255), TBrushStyle::bsClear);
  c.Rectangle(QRect(printer.DeviceX(100), printer.DeviceY(100), printer.DeviceWidth(2594),
                    printer.DeviceHeight(1959)));
  TFontSpec title;
  title.pointSize = 16;
  title.style.bold = true;
  c.SelectFont(title);
  c.TextOut(printer.DeviceX(1397), printer.DeviceY(150), TTextAnchor::Center,
            QStringLiteral("PERMISO DE CIRCULACIÓN %1").arg(page));
  TFontSpec body;
  body.pointSize = 10;
  c.SelectFont(body);
  for (int line = 0; line < 8; ++line)
    c.TextOut(printer.DeviceX(200), printer.DeviceY(400 + line * 90), TTextAnchor::Left,
              QStringLiteral("Comisión %1: revisión de obra pública en el municipio, vehículo "
                             "oficial placa ABC-%2")
                  .arg(line)
                  .arg(1000 + page));
  if (page == kPages)
    c.TextOut(printer.DeviceX(200), printer.DeviceY(1300), TTextAnchor::Left,
              QStringLiteral("Observación: ZAFIRO"));
}

double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The report saved once as a prepared report file, for every benchmark.
class TLongReport {
 public:
  static const TLongReport& Get() {
    static TLongReport report;
    return report;
  }
  QString File() const { return folder_.filePath(QStringLiteral("long.QRP")); }

 private:
  TLongReport() {
    TQRPrinter printer;
    printer.SetOrientation(TPrinterOrientation::poLandscape);
    printer.BeginRun();
    for (int page = 1; page <= kPages; ++page) {
      printer.NewPage();
      DrawPage(printer, page);
    }
    printer.EndRun();
    printer.SavePrepared(File());
  }
  QTemporaryDir folder_;
};

class TAnswerFile : public TQRFileDialog {
 public:
  explicit TAnswerFile(QString file) : file_(std::move(file)) {}
  TQRFileDialogAnswer RunSave(const TQRFileDialogRequest&) override { return {}; }
  TQRFileDialogAnswer RunOpen(const TQRFileDialogRequest&) override { return {true, file_, 1}; }

 private:
  QString file_;
};

// A preview window, maximised to kWindow, holding the long report.
struct TWindowOnLongReport {
#ifdef PERMISO_BENCH_SCRIPTED_PRINTER
  std::shared_ptr<TScriptedPrinterScript> script = std::make_shared<TScriptedPrinterScript>();
  ScopedPrinterDeviceFactory factory{ScriptedPrinterFactory(script)};
#endif
  TQRPrinter printer;
  TQRStandardPreview* window;

  explicit TWindowOnLongReport(bool thumbnails) {
    printer.SetOrientation(TPrinterOrientation::poLandscape);
    window = new TQRStandardPreview(nullptr, &printer);
    window->setWindowState(Qt::WindowNoState);
    window->resize(kWindow);
    window->show();
    TAnswerFile answer(TLongReport::Get().File());
    ScopedFileDialog dialog(&answer);
    window->LoadClick();
    if (window->Thumbnails->isChecked() != thumbnails) window->Thumbnails->click();
    Settle();
  }
  ~TWindowOnLongReport() { delete window; }

  static void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  }
};

void BM_OpenFile(benchmark::State& state) {
  TLongReport::Get();
  for (auto _ : state) {
    state.PauseTiming();
    {
#ifdef PERMISO_BENCH_SCRIPTED_PRINTER
      auto script = std::make_shared<TScriptedPrinterScript>();
      ScopedPrinterDeviceFactory factory{ScriptedPrinterFactory(script)};
#endif
      TQRPrinter printer;
      auto* window = new TQRStandardPreview(nullptr, &printer);
      window->setWindowState(Qt::WindowNoState);
      window->resize(kWindow);
      window->show();
      TWindowOnLongReport::Settle();
      TAnswerFile answer(TLongReport::Get().File());
      ScopedFileDialog dialog(&answer);
      state.ResumeTiming();

      window->LoadClick();
      window->QRPreview->PreviewImage()->repaint();

      state.PauseTiming();
      if (window->PanelText(1) != QStringLiteral("Page 1 of %1").arg(kPages))
        state.SkipWithError("the file's first page was not shown");
      delete window;
    }
    state.ResumeTiming();
  }
}

void BM_FindOnTheLastPage(benchmark::State& state) {
  const bool again = state.range(0) == 1;
  double longestSlice = 0;
  double longestSliceCpu = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TWindowOnLongReport subject(false);
    TQRStandardPreview& window = *subject.window;
    window.FindClick();
    if (again) {
      // The pages' text read once, by an earlier search.
      window.FindBar->FindText->setText(QStringLiteral("revisión"));
      while (window.Search().Reading()) QCoreApplication::processEvents();
      window.FindBar->FindText->clear();
    }
    // The longest time the window's events waited while the search ran.
    QElapsedTimer sinceBeat;
    double cpuAtBeat = 0;
    double longest = 0, longestCpu = 0;
    QTimer heartbeat;
    heartbeat.setInterval(0);
    auto beat = [&] {
      const double wall = double(sinceBeat.nsecsElapsed()) / 1e6;
      const double cpu = ThreadCpuMs() - cpuAtBeat;
      if (wall > longest) {
        longest = wall;
        longestCpu = cpu;
      }
      sinceBeat.restart();
      cpuAtBeat = ThreadCpuMs();
    };
    QObject::connect(&heartbeat, &QTimer::timeout, beat);
    state.ResumeTiming();

    sinceBeat.start();
    cpuAtBeat = ThreadCpuMs();
    heartbeat.start();
    window.FindBar->FindText->setText(QStringLiteral("zafiro"));
    QDeadlineTimer deadline(60000);
    while ((window.QRPreview->PageNumber() != kPages || window.Highlight().Outlines().empty()) &&
           !deadline.hasExpired())
      QCoreApplication::processEvents();
    window.QRPreview->PreviewImage()->repaint();
    // The stretch since the last beat counts too: a search of text read
    // before may show its match without the events ever running.
    beat();

    state.PauseTiming();
    heartbeat.stop();
    if (window.QRPreview->PageNumber() != kPages) state.SkipWithError("the match was not shown");
    if (longest > longestSlice) {
      longestSlice = longest;
      longestSliceCpu = longestCpu;
    }
    state.ResumeTiming();
  }
  state.counters["longest_slice_ms"] = longestSlice;
  state.counters["longest_slice_cpu_ms"] = longestSliceCpu;
}

// Time until the pictures in view are drawn, the panel switched on.
void BM_ThumbnailsOpen(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    TWindowOnLongReport subject(false);
    TQRStandardPreview& window = *subject.window;
    TQRThumbnailPanel& panel = *window.ThumbnailPanel;
    state.ResumeTiming();

    window.Thumbnails->click();
    const int inView = panel.viewport()->height() / panel.sizeHintForRow(0);
    QDeadlineTimer deadline(10000);
    while (panel.Model().DrawnCount() < inView && !deadline.hasExpired())
      QCoreApplication::processEvents();

    state.PauseTiming();
    state.counters["pictures_in_view"] = inView;
    state.ResumeTiming();
  }
}

// A jump to a part of the report not seen before, and the pictures that
// come into view there.
void BM_ThumbnailsScroll(benchmark::State& state) {
  TWindowOnLongReport subject(true);
  TQRThumbnailPanel& panel = *subject.window->ThumbnailPanel;
  const int rowHeight = panel.sizeHintForRow(0);
  const int inView = panel.viewport()->height() / rowHeight;
  QScrollBar* bar = panel.verticalScrollBar();
  int jump = 0;
  for (auto _ : state) {
    // Far apart, and never twice the same place: nothing is drawn already.
    jump += 2 * inView + 1;
    const int drawnBefore = panel.Model().DrawnCount();
    bar->setValue((jump % kPages) * rowHeight);
    QDeadlineTimer deadline(10000);
    while (panel.Model().DrawnCount() < drawnBefore + inView && !deadline.hasExpired())
      QCoreApplication::processEvents();
    if (deadline.hasExpired()) state.SkipWithError("the pictures in view were not drawn");
  }
}

void BM_ExportPdf(benchmark::State& state) {
  TWindowOnLongReport subject(false);
  TQRPdfFilter pdf;
  QTemporaryDir folder;
  const QString file = folder.filePath(QStringLiteral("long.pdf"));
  for (auto _ : state) subject.printer.ExportPages(pdf, file);
  state.counters["pages"] = kPages;
  state.counters["bytes_per_page"] = double(QFileInfo(file).size()) / kPages;
}

// One paint of the page area at page width: the page image and, with the
// find bar, its marks.
void BM_PaintPageArea(benchmark::State& state) {
  const int panels = int(state.range(0));  // 0 none, 1 pictures, 2 pictures and marks
  TWindowOnLongReport subject(panels >= 1);
  TQRStandardPreview& window = *subject.window;
  if (panels == 2) {
    window.FindClick();
    window.FindBar->FindText->setText(QStringLiteral("revisión"));
    while (window.Search().Reading()) QCoreApplication::processEvents();
    window.FirstPageClick();
    TWindowOnLongReport::Settle();
    if (window.Highlight().Outlines().empty()) state.SkipWithError("no marks on the page");
  }
  QWidget* area = window.QRPreview->viewport();
  QImage target(area->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    area->render(&target);
    benchmark::DoNotOptimize(target.constBits());
  }
  state.counters["area_px"] = double(area->width()) * area->height();
}

BENCHMARK(BM_OpenFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FindOnTheLastPage)
    ->ArgName("again")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_ThumbnailsOpen)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ThumbnailsScroll)->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK(BM_ExportPdf)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_PaintPageArea)
    ->ArgName("panels")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
