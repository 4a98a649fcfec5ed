// Layout of pages of ~40 word-wrapped labels of Spanish permit text on the
// reference canvas: measuring each (font, word) once through TTextMeasurer
// (each candidate line summed whole, or grown word by word) against measuring
// every candidate line on the canvas, as an engine without a cache does. Also reports how far the sum of word widths strays from the
// width of the whole line on this canvas, and how often that changes a break.

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include "LineLayout.h"
#include "MeasuredLine.h"
#include "QPainterCanvas.h"
#include "ReferenceCanvas.h"
#include "TextMeasurer.h"

namespace {

constexpr int kLabelsPerPage = 40;
constexpr int kDistinctPages = 1000;  // records of the report; pages repeat after these
constexpr int kZoom = 100;

const char* const kWords[] = {
    "PERMISO", "DE", "CIRCULACIÓN", "VEHÍCULO", "OFICIAL", "SECRETARÍA", "ADMINISTRACIÓN",
    "FINANZAS", "DIRECCIÓN", "GENERAL", "RECURSOS", "MATERIALES", "COMISIÓN", "PARA",
    "ENTREGAR", "DOCUMENTACIÓN", "EN", "LA", "DELEGACIÓN", "REGIONAL", "DEL", "ESTADO",
    "MUNICIPIO", "TRASLADO", "PERSONAL", "SUPERVISIÓN", "OBRAS", "PÚBLICAS", "CARRETERA",
    "FEDERAL", "KILÓMETRO", "REUNIÓN", "TRABAJO", "CON", "AUTORIDADES", "LOCALES", "Y",
    "REVISIÓN", "INVENTARIO", "BIENES", "MUEBLES", "OFICINAS", "CENTRALES", "A", "LOS",
    "LAS", "SERVICIOS", "SALUD", "EDUCACIÓN", "CAMIONETA", "SEDÁN", "BLANCO", "ROJO",
    "GRIS", "PLATA", "NISSAN", "FORD", "CHEVROLET", "VOLKSWAGEN", "TSURU", "RANGER",
    "PICK-UP", "JEFE", "DEPARTAMENTO", "RESPONSABLE", "CONDUCTOR", "LICENCIA", "VIGENCIA",
    "DESDE", "HASTA", "HORAS", "DÍAS", "LUNES", "MARTES", "MIÉRCOLES", "JUEVES", "VIERNES",
    "JUAN", "PÉREZ", "GARCÍA", "MARÍA", "LÓPEZ", "HERNÁNDEZ", "MARTÍNEZ", "GONZÁLEZ",
    "RODRÍGUEZ", "SÁNCHEZ", "RAMÍREZ", "TORRES", "FLORES", "RIVERA", "GÓMEZ", "DÍAZ",
    "ORIZABA", "CÓRDOBA", "XALAPA", "VERACRUZ", "PAPANTLA", "TUXPAN", "COATZACOALCOS",
};

struct TLabel {
  QString text;
  TFontSpec font;
  int width;  // pixels
};

using TPage = std::vector<TLabel>;

// Deterministic pages: mostly vocabulary words, plus a plate and a number
// that differ on every record, as report data does.
std::vector<TPage> MakePages() {
  std::mt19937 rng(20261210);
  std::uniform_int_distribution<int> word(0, std::size(kWords) - 1);
  std::uniform_int_distribution<int> count(3, 24);
  std::uniform_int_distribution<int> width(180, 420);
  TFontSpec regular;
  TFontSpec bold = regular;
  bold.style.bold = true;
  bold.pointSize = 12;
  std::vector<TPage> pages(kDistinctPages);
  for (int p = 0; p < kDistinctPages; ++p) {
    for (int l = 0; l < kLabelsPerPage; ++l) {
      QStringList words;
      const int n = count(rng);
      for (int i = 0; i < n; ++i) words << QString::fromUtf8(kWords[word(rng)]);
      if (l % 8 == 0) {
        words << QStringLiteral("PLACA") << QStringLiteral("XW%1-%2").arg(p % 100).arg(p);
      }
      pages[p].push_back({words.join(u' '), l % 5 == 0 ? bold : regular, width(rng)});
    }
  }
  return pages;
}

const std::vector<TPage>& Pages() {
  static const std::vector<TPage> pages = MakePages();
  return pages;
}

int LayoutPage(const TPage& page, const std::function<TTextWidth(const TFontSpec&)>& widthFor) {
  int lines = 0;
  for (const TLabel& label : page) {
    const TTextWidth width = widthFor(label.font);
    lines += LayoutCaption(label.text, {.width = label.width, .autoSize = false}, width).size();
  }
  return lines;
}

// Every candidate line measured on the canvas, the font selected each time.
TTextWidth UncachedWidth(TCanvas& canvas, const TFontSpec& font) {
  return [&canvas, font](QStringView s) {
    canvas.SelectFont(font);
    const int extent = canvas.TextExtent(s.toString()).width();
    return extent < 0 ? 0 : ScaleHalfAwayFromZero(extent + 1, kZoom);
  };
}

void BM_LayoutPageCached(benchmark::State& state) {
  auto canvas = CreateReferenceCanvas();
  TTextMeasurer measurer(*canvas);
  const auto widthFor = [&](const TFontSpec& font) -> TTextWidth {
    return [&measurer, font](QStringView s) { return measurer.LayoutWidth(font, kZoom, s); };
  };
  qint64 pages = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LayoutPage(Pages()[pages % kDistinctPages], widthFor));
    ++pages;
  }
  state.SetItemsProcessed(pages);
  state.counters["pages/s"] = benchmark::Counter(double(pages), benchmark::Counter::kIsRate);
  state.counters["canvas/page"] = double(measurer.Stats().canvasMeasurements) / double(pages);
  state.counters["words"] = double(measurer.Stats().cachedWords);
}

// The same, each line grown word by word on the measurer instead of measured
// whole for every word tried, as the report's text elements do.
void BM_LayoutPageGrown(benchmark::State& state) {
  auto canvas = CreateReferenceCanvas();
  TTextMeasurer measurer(*canvas);
  qint64 pages = 0;
  qint64 lines = 0;
  for (auto _ : state) {
    for (const TLabel& label : Pages()[pages % kDistinctPages]) {
      const TTextWidth width = [&measurer, &label](QStringView s) {
        return measurer.LayoutWidth(label.font, kZoom, s);
      };
      TMeasuredLine line(measurer, label.font, kZoom);
      lines += LayoutCaption(label.text, {.width = label.width, .autoSize = false}, width, &line)
                   .size();
    }
    ++pages;
  }
  benchmark::DoNotOptimize(lines);
  state.SetItemsProcessed(pages);
  state.counters["pages/s"] = benchmark::Counter(double(pages), benchmark::Counter::kIsRate);
  state.counters["canvas/page"] = double(measurer.Stats().canvasMeasurements) / double(pages);
}

void BM_LayoutPageUncached(benchmark::State& state) {
  auto canvas = CreateReferenceCanvas();
  const auto widthFor = [&](const TFontSpec& font) { return UncachedWidth(*canvas, font); };
  qint64 pages = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LayoutPage(Pages()[pages % kDistinctPages], widthFor));
    ++pages;
  }
  state.SetItemsProcessed(pages);
  state.counters["pages/s"] = benchmark::Counter(double(pages), benchmark::Counter::kIsRate);
}

// The reference surface with fractional word extents, as the painter canvas
// can give them.
class TFractionalReferenceCanvas : public TQPainterCanvas {
 public:
  TFractionalReferenceCanvas() : TQPainterCanvas(Begin(), 96) {}
  ~TFractionalReferenceCanvas() override { painter_.end(); }
  QSizeF TextExtentF(const QString& text) override {
    const QFontMetricsF metrics(Painter().font());
    return {metrics.horizontalAdvance(text), metrics.height()};
  }

 private:
  QPainter& Begin() {
    image_.setDotsPerMeterX(3780);  // 96 pixels per inch
    image_.setDotsPerMeterY(3780);
    painter_.begin(&image_);
    return painter_;
  }
  QImage image_{1, 1, QImage::Format_RGB32};
  QPainter painter_;
};

std::unique_ptr<TCanvas> MakeCanvas(int kind) {
  if (kind == 0) return CreateReferenceCanvas();
  return std::make_unique<TFractionalReferenceCanvas>();
}

// Not a timing: how the summed word widths compare with whole-line widths on
// this canvas over the whole corpus. Reported as counters.
// Argument 0: the reference canvas (whole-pixel word extents); 1: the same
// surface giving fractional word extents.
void BM_SumOfWordsAgainstWholeLine(benchmark::State& state) {
  auto canvas = MakeCanvas(int(state.range(0)));
  TTextMeasurer measurer(*canvas);
  int maxDiff = 0;
  qint64 lines = 0;
  qint64 differingLines = 0;
  qint64 labels = 0;
  qint64 differingLayouts = 0;
  for (auto _ : state) {
    for (const TPage& page : Pages()) {
      for (const TLabel& label : page) {
        const TLineLayoutOptions options{.width = label.width, .autoSize = false};
        const QStringList exact =
            LayoutCaption(label.text, options, UncachedWidth(*canvas, label.font));
        const QStringList summed = LayoutCaption(label.text, options, [&](QStringView s) {
          return measurer.LayoutWidth(label.font, kZoom, s);
        });
        ++labels;
        if (exact != summed) ++differingLayouts;
        for (const QString& line : exact) {
          const int whole = UncachedWidth(*canvas, label.font)(line);
          const int sum = measurer.LayoutWidth(label.font, kZoom, line);
          maxDiff = std::max(maxDiff, std::abs(whole - sum));
          ++lines;
          if (whole != sum) ++differingLines;
        }
      }
    }
  }
  state.counters["maxDiffPx"] = maxDiff;
  state.counters["linesDiffering%"] = 100.0 * double(differingLines) / double(lines);
  state.counters["layoutsDiffering%"] = 100.0 * double(differingLayouts) / double(labels);
}

}  // namespace

BENCHMARK(BM_LayoutPageCached);
BENCHMARK(BM_LayoutPageGrown);
BENCHMARK(BM_LayoutPageUncached);
BENCHMARK(BM_SumOfWordsAgainstWholeLine)->Arg(0)->Arg(1)->Iterations(1);

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
