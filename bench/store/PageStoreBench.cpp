// Appending and fetching pages of a 1000-page store, in memory and spilled
// to its temporary file; and reaching the last and a middle page of a saved
// 1000-page file that was just loaded (no links walked yet).

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <random>
#include <vector>

#include "BenchPages.h"
#include "TQRPageList.h"

namespace {

constexpr int kPages = 1000;
constexpr int kPageSize = 6000;

enum Mode { kMemory = 0, kSpilled = 1 };

const std::vector<QByteArray>& Pages() {
  static const std::vector<QByteArray> pages = [] {
    std::vector<QByteArray> p;
    for (int i = 0; i < kPages; ++i) p.push_back(storebench::MetafilePage(i, kPageSize));
    return p;
  }();
  return pages;
}

std::unique_ptr<TQRStream> NewStore(Mode mode, const QString& folder) {
  return TQRStream::CreateStore(mode == kMemory ? 0 : TQRStream::kStoreSpillThreshold, folder);
}

void BM_AppendPage(benchmark::State& state) {
  const Mode mode = static_cast<Mode>(state.range(0));
  const bool compressed = state.range(1) != 0;
  QTemporaryDir dir;
  for (auto _ : state) {
    TQRPageList list;
    list.AttachStream(NewStore(mode, dir.path()));
    list.SetCompression(compressed);
    for (const QByteArray& p : Pages()) list.AppendPayload(p);
    list.WriteHeader();
  }
  // Seconds per page; printed in the unit of the counter.
  state.counters["s_per_page"] =
      benchmark::Counter(static_cast<double>(state.iterations() * kPages),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_FetchPageRandom(benchmark::State& state) {
  const Mode mode = static_cast<Mode>(state.range(0));
  const bool compressed = state.range(1) != 0;
  QTemporaryDir dir;
  TQRPageList list;
  list.AttachStream(NewStore(mode, dir.path()));
  list.SetCompression(compressed);
  for (const QByteArray& p : Pages()) list.AppendPayload(p);
  list.WriteHeader();
  std::mt19937 rng(1);
  for (auto _ : state) {
    const int n = 1 + static_cast<int>(rng() % kPages);
    benchmark::DoNotOptimize(list.ReadPayload(n));
  }
}

// Fetch times are per page already.
void PerPageArgs(benchmark::internal::Benchmark* b) {
  for (int mode : {kMemory, kSpilled})
    for (int compressed : {0, 1}) b->Args({mode, compressed});
  b->ArgNames({"spilled", "compressed"});
}

BENCHMARK(BM_AppendPage)->Apply(PerPageArgs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FetchPageRandom)->Apply(PerPageArgs)->Unit(benchmark::kMicrosecond);

// A saved file opened afresh each time: the first read of page n walks.
void BM_LoadedFileFirstFetch(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  QTemporaryDir dir;
  const QString name = dir.filePath("big.QRP");
  {
    TQRPageList list;
    list.AttachStream(TQRStream::CreateStore(TQRStream::kStoreSpillThreshold, dir.path()));
    for (const QByteArray& p : Pages()) list.AppendPayload(p);
    list.WriteHeader();
    list.CopyToFile(name);
  }
  for (auto _ : state) {
    TQRPageList list;
    list.AttachFile(name);
    benchmark::DoNotOptimize(list.ReadPayload(n));
  }
}
BENCHMARK(BM_LoadedFileFirstFetch)
    ->Arg(1)
    ->Arg(500)
    ->Arg(999)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
