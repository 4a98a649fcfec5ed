// Appending and fetching pages of a 1000-page store, in memory and spilled to
// its temporary file, plain and compressed; and showing page 1000 of a saved
// 1000-page file: load it into a printer, fetch the page, draw it at 100 %.

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <random>

#include "BenchPages.h"
#include "BenchPrinterDevice.h"
#include "Metafile.h"
#include "QRPrinter.h"
#include "TQRPageList.h"

namespace {

constexpr int kPages = 1000;

enum Mode { kMemory = 0, kSpilled = 1 };

const QByteArray& Page(int n) {
  const auto& set = storebench::PageSet();
  return set[std::size_t(n) % set.size()];
}

std::unique_ptr<TQRStream> NewStore(Mode mode, const QString& folder) {
  return TQRStream::CreateStore(mode == kMemory ? 0 : TQRStream::kStoreSpillThreshold, folder);
}

void FillStore(TQRPageList& list, Mode mode, bool compressed, const QString& folder) {
  list.AttachStream(NewStore(mode, folder));
  list.SetCompression(compressed);
  for (int n = 0; n < kPages; ++n) list.AppendPayload(Page(n));
  list.WriteHeader();
}

void PerPage(benchmark::State& state) {
  state.counters["us_per_page"] =
      benchmark::Counter(double(state.iterations()) * kPages,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Seconds per page are shown in the counter (e.g. 25u = 25 microseconds).
void BM_AppendPage(benchmark::State& state) {
  const Mode mode = Mode(state.range(0));
  const bool compressed = state.range(1) != 0;
  QTemporaryDir dir;
  for (auto _ : state) {
    TQRPageList list;
    FillStore(list, mode, compressed, dir.path());
  }
  PerPage(state);
}

// One page at random per iteration, as a metafile (what FetchPage returns).
void BM_FetchPage(benchmark::State& state) {
  const Mode mode = Mode(state.range(0));
  const bool compressed = state.range(1) != 0;
  QTemporaryDir dir;
  TQRPageList list;
  FillStore(list, mode, compressed, dir.path());
  std::mt19937 rng(1);
  for (auto _ : state) {
    auto page = list.ReadPage(1 + int(rng() % kPages));
    benchmark::DoNotOptimize(page.get());
  }
}

void StoreArgs(benchmark::internal::Benchmark* b) {
  for (int mode : {kMemory, kSpilled})
    for (int compressed : {0, 1}) b->Args({mode, compressed});
  b->ArgNames({"spilled", "compressed"});
}

BENCHMARK(BM_AppendPage)->Apply(StoreArgs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FetchPage)->Apply(StoreArgs)->Unit(benchmark::kMicrosecond);

// The preview's road to the last page of a large saved file: nothing walked
// yet, the page found through the last record's back link.
void BM_ShowLastPageOfSavedFile(benchmark::State& state) {
  const bool compressed = state.range(0) != 0;
  ScopedPrinterDeviceFactory noPrinter([] { return std::make_unique<TBenchNoPrinter>(); });
  QTemporaryDir dir;
  const QString name = dir.filePath(QStringLiteral("big.QRP"));
  {
    TQRPageList list;
    FillStore(list, kSpilled, compressed, dir.path());
    list.CopyToFile(name);
  }
  QImage image(1056, 816, QImage::Format_RGB32);
  for (auto _ : state) {
    TQRPrinter printer;
    printer.LoadPrepared(name);
    auto page = printer.FetchPage(kPages);
    image.fill(Qt::white);
    QPainter painter(&image);
    page->Play(painter, QRectF(0, 0, 1056, 816));
  }
}
BENCHMARK(BM_ShowLastPageOfSavedFile)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("compressed")
    ->Unit(benchmark::kMillisecond);

// Loading a saved file of 1 or 10 000 compressed pages into a printer, as
// Load Report does: the header, the count of the records the file holds (a
// walk along every record's links) and page 1 for the paper. The 1-page
// file is the baseline; the difference is the walk.
void BM_LoadPrepared(benchmark::State& state) {
  const int pages = int(state.range(0));
  ScopedPrinterDeviceFactory noPrinter([] { return std::make_unique<TBenchNoPrinter>(); });
  QTemporaryDir dir;
  const QString name = dir.filePath(QStringLiteral("saved.QRP"));
  {
    TQRPageList list;
    list.AttachStream(NewStore(kSpilled, dir.path()));
    list.SetCompression(true);
    for (int n = 0; n < pages; ++n) list.AppendPayload(Page(n));
    list.WriteHeader();
    list.CopyToFile(name);
  }
  for (auto _ : state) {
    TQRPrinter printer;
    printer.LoadPrepared(name);
    if (printer.PageCount() != pages) state.SkipWithError("wrong page count");
  }
  state.counters["file_MB"] = double(QFileInfo(name).size()) / 1e6;
}
BENCHMARK(BM_LoadPrepared)->Arg(1)->Arg(10000)->ArgName("pages")->Unit(benchmark::kMillisecond);

}  // namespace
