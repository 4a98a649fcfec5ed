// The permit program's costs.
//
//   StartupToFirstActivation  the program from process start to the first
//                             activation of its entry window (a fresh process
//                             per iteration)
//   BareWindowToFirstPaint    a bare Qt window from process start to its first
//                             paint: the yardstick for the line above
//   TextWindowToFirstPaint    the same window with one label: the yardstick
//                             with the font database every text window loads
//   PreliminarToPagePainted   PRELIMINAR pressed (notice answered at once) to
//                             the permit page painted in the preview
//   PrintRun                  a print run of the permit to the scripted
//                             printer, the text record written after it
//   RecordFileWhole           the record's bytes written as a new file that
//                             appears whole or not at all (hidden file,
//                             flushed to the disk, then named)
//   RecordFilePlainWrite      the same bytes written straight to the name:
//                             the yardstick for the line above
//   PermitPageReplay/Z        the permit's page, as the preview shows it,
//                             replayed onto an image at Z % (50 is about
//                             "Zoom to fit" on a small screen)
//   PermitPageFirstReplay     the page loaded from its bytes and replayed
//                             once at 100 %, as when the preview fetches it
//
// Headless unless a display is set: run under xvfb-run for X11 figures.

#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "FileSystem.h"
#include "Metafile.h"
#include "PrinterDevice.h"
#include "QRPreviewImage.h"
#include "QRStandardPreview.h"
#include "RecordNames.h"
#include "ScriptedDialogs.h"
#include "ScriptedPrinter.h"
#include "TFormPermiso.h"
#include "TMemo.h"
#include "TPermisoApplication.h"
#include "TQRPermiso.h"

namespace {

// Seconds from starting `program` to its "ready" line.
double SecondsToReady(const char* program, const QStringList& arguments) {
  QProcess process;
  QElapsedTimer timer;
  timer.start();
  process.start(QString::fromLocal8Bit(program), arguments);
  while (!process.canReadLine())
    if (!process.waitForReadyRead(20000)) return -1;
  const double seconds = timer.nsecsElapsed() / 1e9;
  process.waitForFinished(5000);
  return process.readLine().trimmed() == "ready" ? seconds : -1;
}

void RunProbe(benchmark::State& state, const char* program, const QStringList& arguments = {}) {
  for (auto _ : state) {
    const double seconds = SecondsToReady(program, arguments);
    if (seconds < 0) {
      state.SkipWithError("the probe did not report");
      return;
    }
    state.SetIterationTime(seconds);
  }
}

void BM_StartupToFirstActivation(benchmark::State& state) {
  RunProbe(state, PERMISO_STARTUP_PROBE);
}
void BM_BareWindowToFirstPaint(benchmark::State& state) { RunProbe(state, PERMISO_BARE_PROBE); }
void BM_TextWindowToFirstPaint(benchmark::State& state) {
  RunProbe(state, PERMISO_BARE_PROBE, {QStringLiteral("text")});
}

// The program's two objects with a complete entry, printing to the scripted
// printer, dialogs answered at once.
struct TPermitProgram {
  std::shared_ptr<TScriptedPrinterScript> script = std::make_shared<TScriptedPrinterScript>();
  ScopedPrinterDeviceFactory printers{ScriptedPrinterFactory(script)};
  TScriptedDialogs dialogs;
  TFormPermiso form;
  TQRPermiso document;

  TPermitProgram() {
    FormPermiso = &form;
    QRPermiso = &document;
    form.Dependencia->setEditText(QStringLiteral("SECRETARÍA DE OBRAS PÚBLICAS"));
    form.Folio->setText(QStringLiteral("7"));
    form.Comision->SetText(QStringLiteral("SUPERVISIÓN DE LA OBRA DEL PUENTE EN EL KM 12"));
    form.Destino->setEditText(QStringLiteral("QUELMORA"));
    form.Conductor->setText(QStringLiteral("JUAN PÉREZ"));
    form.Placa->setText(QStringLiteral("ABC123"));
    form.NoEco->setText(QStringLiteral("15"));
    form.Marca->setEditText(QStringLiteral("NISSAN"));
    form.Tipo->setText(QStringLiteral("PICK UP"));
    form.Modelo->setEditText(QStringLiteral("2004"));
    form.Color->setEditText(QStringLiteral("BLANCO"));
    form.Admon->setText(QStringLiteral("MARÍA LÓPEZ"));
    form.Titular->setText(QStringLiteral("ING. LUIS NÚÑEZ"));
    form.show();
  }
  ~TPermitProgram() {
    FormPermiso = nullptr;
    QRPermiso = nullptr;
  }
};

// Notes the first paint of a preview page and closes the preview after it.
class TPagePaintWatch : public QObject {
 public:
  QElapsedTimer timer;
  double seconds = -1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint || seconds >= 0 || armed_) return false;
    auto* image = dynamic_cast<TQRPreviewImage*>(watched);
    if (image == nullptr || !image->HoldsPage()) return false;
    armed_ = true;
    // Right after this paint has been handled.
    QTimer::singleShot(0, this, [this, image] {
      seconds = timer.nsecsElapsed() / 1e9;
      armed_ = false;
      if (QWidget* window = image->window()) window->close();
    });
    return false;
  }

 private:
  bool armed_ = false;
};

void BM_PreliminarToPagePainted(benchmark::State& state) {
  TPermitProgram program;
  TPagePaintWatch watch;
  qApp->installEventFilter(&watch);
  for (auto _ : state) {
    watch.seconds = -1;
    watch.timer.start();
    program.form.BtnPreliminar->click();  // returns once the preview closed
    if (watch.seconds < 0) {
      state.SkipWithError("no page was painted");
      break;
    }
    state.SetIterationTime(watch.seconds);
    program.dialogs.Clear();
  }
  qApp->removeEventFilter(&watch);
}

// The page metafile of the permit, as the preview held it.
QByteArray PermitPageBytes() {
  static QByteArray bytes;
  if (!bytes.isEmpty()) return bytes;
  TPermitProgram program;
  struct TGrab : QObject {
    QByteArray* out;
    bool eventFilter(QObject* watched, QEvent* event) override {
      auto* image = dynamic_cast<TQRPreviewImage*>(watched);
      if (event->type() == QEvent::Paint && image && image->HoldsPage() && out->isEmpty()) {
        *out = image->PageMetafile()->ToBytes();
        QTimer::singleShot(0, image->window(), &QWidget::close);
      }
      return false;
    }
  } grab;
  grab.out = &bytes;
  qApp->installEventFilter(&grab);
  program.form.BtnPreliminar->click();
  qApp->removeEventFilter(&grab);
  return bytes;
}

void PlayPage(const TMetafile& page, QImage& image) {
  image.fill(Qt::white);
  QPainter painter(&image);
  page.Play(painter, QRectF(0, 0, image.width(), image.height()));
}

void BM_PermitPageReplay(benchmark::State& state) {
  const TMetafile page = TMetafile::FromBytes(PermitPageBytes());
  QImage image(QSize(page.Width(), page.Height()) * (state.range(0) / 100.0),
               QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    PlayPage(page, image);
    benchmark::DoNotOptimize(image.constBits());
  }
}

void BM_PermitPageFirstReplay(benchmark::State& state) {
  const QByteArray bytes = PermitPageBytes();
  QImage image(1056, 816, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    const TMetafile page = TMetafile::FromBytes(bytes);
    PlayPage(page, image);
    benchmark::DoNotOptimize(image.constBits());
  }
}

void BM_PrintRun(benchmark::State& state) {
  TPermitProgram program;
  const QString record = permit::RecordFileName(permit::DefaultDataFolder(), "ABC123", "0007");
  program.form.Folio->setText(QStringLiteral("0007"));
  for (auto _ : state) {
    state.PauseTiming();
    QFile::remove(record);
    program.dialogs.Clear();
    state.ResumeTiming();
    program.document.PrintToPrinter();
  }
  if (!QFile::exists(record)) state.SkipWithError("no record was written");
}

// About the size of a record.
const QByteArray kRecordBytes(900, 'r');

void BM_RecordFileWhole(benchmark::State& state) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("ABC123f0007.txt"));
  for (auto _ : state) {
    state.PauseTiming();
    QFile::remove(path);
    state.ResumeTiming();
    if (platform::FileSystem().CreateNewFile(path, kRecordBytes) != platform::TNewFile::Created) {
      state.SkipWithError("not created");
      break;
    }
  }
}

void BM_RecordFilePlainWrite(benchmark::State& state) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("ABC123f0007.txt"));
  for (auto _ : state) {
    state.PauseTiming();
    QFile::remove(path);
    state.ResumeTiming();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(kRecordBytes) != kRecordBytes.size()) {
      state.SkipWithError("not written");
      break;
    }
  }
}

BENCHMARK(BM_StartupToFirstActivation)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK(BM_BareWindowToFirstPaint)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK(BM_TextWindowToFirstPaint)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK(BM_PreliminarToPagePainted)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintRun)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordFileWhole)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecordFilePlainWrite)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PermitPageReplay)->Arg(50)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PermitPageFirstReplay)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;
  qputenv("HOME", home.path().toLocal8Bit());
  QDir().mkpath(home.path() + QStringLiteral("/Permiso"));
  TPermisoApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
