// Painting one dense landscape Letter page in the preview at 50 %, 100 %, 200 %
// and 400 %: the metafile is replayed stretched on every paint, so the cost
// follows the page's records and the area painted.
//
//   build/bench/preview/bench_preview_paint
//
// "Visible" paints the part a 1280 x 960 view shows (what one paint of the
// preview costs); "WholeImage" paints the whole page image.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "Canvas.h"
#include "PrinterOrientation.h"
#include "QRPreview.h"
#include "QRPreviewImage.h"
#include "QRPrinter.h"

#ifdef PERMISO_BENCH_SCRIPTED_PRINTER
#include "ScriptedPrinter.h"
#endif

namespace {

constexpr QSize kView(1280, 960);

// A page as busy as a form gets: 48 lines of text in three fonts, a grid of
// ruled boxes and a frame.
void DrawDensePage(TQRPrinter& printer) {
  TCanvas& canvas = printer.PageCanvas();
  canvas.SetPen(qRgb(0, 0, 0), 1, TPenStyle::psSolid);
  canvas.SetBrush(qRgb(255, 255, 255), TBrushStyle::bsClear);
  canvas.Rectangle(QRect(printer.DeviceX(100), printer.DeviceY(100), printer.DeviceWidth(2594),
                         printer.DeviceHeight(1959)));
  for (int row = 0; row < 12; ++row)
    for (int col = 0; col < 8; ++col)
      canvas.Rectangle(QRect(printer.DeviceX(150 + col * 320), printer.DeviceY(1400 + row * 55),
                             printer.DeviceWidth(300), printer.DeviceHeight(50)));
  const double sizes[] = {8, 10, 12};
  for (int line = 0; line < 48; ++line) {
    TFontSpec font;
    font.pointSize = sizes[line % 3];
    font.style.bold = line % 4 == 0;
    canvas.SelectFont(font);
    canvas.TextOut(
        printer.DeviceX(150), printer.DeviceY(150 + line * 26), TTextAnchor::Left,
        QStringLiteral(
            "PERMISO DE CIRCULACIÓN %1 — Comisión: revisión de obra pública en el municipio, "
            "vehículo oficial placa ABC-%2")
            .arg(line)
            .arg(1000 + line));
  }
}

struct TPreviewOnPage {
#ifdef PERMISO_BENCH_SCRIPTED_PRINTER
  std::shared_ptr<TScriptedPrinterScript> script = std::make_shared<TScriptedPrinterScript>();
  ScopedPrinterDeviceFactory factory{ScriptedPrinterFactory(script)};
#endif
  TQRPrinter printer;
  TQRPreview preview;

  explicit TPreviewOnPage(int zoom) {
    printer.SetOrientation(TPrinterOrientation::poLandscape);
    printer.BeginRun();
    printer.NewPage();
    DrawDensePage(printer);
    printer.EndRun();
    preview.SetQRPrinter(&printer);
    preview.SetZoom(zoom);
  }
};

void BM_PaintVisible(benchmark::State& state) {
  TPreviewOnPage subject(int(state.range(0)));
  const TQRPreviewImage& image = *subject.preview.PreviewImage();
  QImage target(kView.boundedTo(image.size()), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&target);
    painter.setClipRect(QRect(QPoint(0, 0), target.size()));
    image.PaintPage(painter);
    painter.end();
    benchmark::DoNotOptimize(target.constBits());
  }
  state.counters["image_px"] = double(image.width()) * image.height();
}

void BM_PaintWholeImage(benchmark::State& state) {
  TPreviewOnPage subject(int(state.range(0)));
  const TQRPreviewImage& image = *subject.preview.PreviewImage();
  QImage target(image.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&target);
    image.PaintPage(painter);
    painter.end();
    benchmark::DoNotOptimize(target.constBits());
  }
}

BENCHMARK(BM_PaintVisible)->Arg(50)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintWholeImage)->Arg(50)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
