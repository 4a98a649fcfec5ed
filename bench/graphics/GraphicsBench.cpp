// A dense report page (300 text runs in four fonts, 100 shapes, one
// picture) through our EMF recorder and player and through Qt's QPicture:
// microseconds per page to record, serialise, load and replay at 50 %,
// 100 %, 200 % and 400 % onto a QImage of the page size times the zoom, and
// to load and replay a page from its bytes. Every
// benchmark is named Emf... or QPicture... so the pairs sit side by side.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <random>

#include "Metafile.h"
#include "Picture.h"
#include "QPainterCanvas.h"

namespace {

constexpr int kPageWidth = 1056;  // landscape Letter at 96 pixels per inch
constexpr int kPageHeight = 816;

const char* const kWords[] = {
    "PERMISO",  "DE",       "CIRCULACIÓN",   "VEHÍCULO",   "OFICIAL",  "SECRETARÍA",
    "COMISIÓN", "ENTREGAR", "DOCUMENTACIÓN", "DELEGACIÓN", "REGIONAL", "CAMIONETA",
    "NISSAN",   "0007",     "15/01/2025",    "08:30:00",   "a.m."};

QImage PictureBits() {
  QImage image(200, 150, QImage::Format_RGB888);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x, y, (x * y) & 0xFF));
  return image;
}

// The same drawing for every surface, from a fixed seed.
void DrawDensePage(TCanvas& c) {
  static const TPicture picture{TBitmap(PictureBits())};
  std::mt19937 random(7);
  auto pick = [&](int n) { return int(random() % unsigned(n)); };
  TFontSpec fonts[4];
  fonts[0].pointSize = 8;
  fonts[1].pointSize = 10;
  fonts[2].pointSize = 12;
  fonts[2].style.bold = true;
  fonts[3].pointSize = 26;
  fonts[3].style.bold = true;
  for (int i = 0; i < 300; ++i) {
    if (i % 10 == 0) c.SelectFont(fonts[pick(4)]);
    QString text;
    for (int w = 0, n = 1 + pick(5); w < n; ++w)
      text += QString::fromUtf8(kWords[pick(int(std::size(kWords)))]) + QLatin1Char(' ');
    const TTextAnchor anchor = i % 3 == 0   ? TTextAnchor::Left
                               : i % 3 == 1 ? TTextAnchor::Right
                                            : TTextAnchor::Center;
    c.TextOut(20 + pick(1000), 20 + pick(760), anchor, text.trimmed());
  }
  for (int i = 0; i < 100; ++i) {
    c.SetPen(0xFF000000 | random(), 1 + pick(3), TPenStyle::psSolid);
    c.SetBrush(0xFF000000 | random(), i % 4 == 0 ? TBrushStyle::bsClear : TBrushStyle::bsSolid);
    const QRect r(pick(1000), pick(760), 5 + pick(200), 5 + pick(100));
    switch (i % 4) {
      case 0:
        c.Rectangle(r);
        break;
      case 1:
        c.Ellipse(r);
        break;
      case 2:
        c.FillRect(r);
        break;
      default:
        c.MoveTo(r.left(), r.top());
        c.LineTo(r.right(), r.bottom());
        break;
    }
  }
  picture.Draw(c, QRect(800, 560, 220, 165));
}

TMetafile RecordEmf() {
  TMetafileCanvas recording(kPageWidth, kPageHeight);
  DrawDensePage(recording);
  return recording.Close();
}

QPicture RecordQPicture() {
  QPicture picture;
  QPainter painter(&picture);
  TQPainterCanvas canvas(painter, 96);
  DrawDensePage(canvas);
  painter.end();
  return picture;
}

void EmfRecord(benchmark::State& state) {
  for (auto _ : state) {
    TMetafileCanvas recording(kPageWidth, kPageHeight);
    DrawDensePage(recording);
    benchmark::DoNotOptimize(recording);
  }
}

void QPictureRecord(benchmark::State& state) {
  for (auto _ : state) {
    QPicture picture;
    QPainter painter(&picture);
    TQPainterCanvas canvas(painter, 96);
    DrawDensePage(canvas);
    painter.end();
    benchmark::DoNotOptimize(picture);
  }
}

// Completing the recording into its bytes.
void EmfSerialise(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    TMetafileCanvas recording(kPageWidth, kPageHeight);
    DrawDensePage(recording);
    state.ResumeTiming();
    const QByteArray bytes = recording.Close().ToBytes();
    benchmark::DoNotOptimize(bytes.constData());
  }
  state.counters["bytes"] = double(RecordEmf().ToBytes().size());
}

void QPictureSerialise(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    QPicture picture;
    QPainter painter(&picture);
    TQPainterCanvas canvas(painter, 96);
    DrawDensePage(canvas);
    state.ResumeTiming();
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer);
    benchmark::DoNotOptimize(bytes.constData());
  }
  state.counters["bytes"] = double(RecordQPicture().size());
}

void EmfLoad(benchmark::State& state) {
  const QByteArray bytes = RecordEmf().ToBytes();
  for (auto _ : state) {
    const TMetafile page = TMetafile::FromBytes(QByteArray(bytes.constData(), bytes.size()));
    benchmark::DoNotOptimize(page.Width());
  }
}

void QPictureLoad(benchmark::State& state) {
  const QPicture recorded = RecordQPicture();
  const QByteArray bytes(recorded.data(), qsizetype(recorded.size()));
  for (auto _ : state) {
    QPicture picture;
    picture.setData(bytes.constData(), uint(bytes.size()));
    benchmark::DoNotOptimize(picture.boundingRect());
  }
}

void EmfReplay(benchmark::State& state) {
  const double zoom = state.range(0) / 100.0;
  const TMetafile page = RecordEmf();
  QImage image(QSize(kPageWidth, kPageHeight) * zoom, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    page.Play(painter, QRectF(0, 0, image.width(), image.height()));
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}

// A page loaded from its bytes and played once: what fetching a page for
// the preview costs, its fonts made afresh.
void EmfLoadAndReplay(benchmark::State& state) {
  const QByteArray bytes = RecordEmf().ToBytes();
  QImage image(QSize(kPageWidth, kPageHeight), QImage::Format_RGB32);
  for (auto _ : state) {
    const TMetafile page = TMetafile::FromBytes(bytes);
    image.fill(Qt::white);
    QPainter painter(&image);
    page.Play(painter, QRectF(0, 0, image.width(), image.height()));
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}

void QPictureReplay(benchmark::State& state) {
  const double zoom = state.range(0) / 100.0;
  QPicture picture = RecordQPicture();
  QImage image(QSize(kPageWidth, kPageHeight) * zoom, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(zoom, zoom);
    picture.play(&painter);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}

BENCHMARK(EmfRecord)->Unit(benchmark::kMicrosecond);
BENCHMARK(QPictureRecord)->Unit(benchmark::kMicrosecond);
BENCHMARK(EmfSerialise)->Unit(benchmark::kMicrosecond);
BENCHMARK(QPictureSerialise)->Unit(benchmark::kMicrosecond);
BENCHMARK(EmfLoad)->Unit(benchmark::kMicrosecond);
BENCHMARK(QPictureLoad)->Unit(benchmark::kMicrosecond);
BENCHMARK(EmfReplay)->Arg(50)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMicrosecond);
BENCHMARK(QPictureReplay)->Arg(50)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMicrosecond);
BENCHMARK(EmfLoadAndReplay)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
