// Encode and decode throughput of the page coder on metafile pages, beside
// zlib at levels 1 and 6 on the same bytes.

#include <benchmark/benchmark.h>

#include "BenchPages.h"
#include "TQRCompress.h"

#ifdef PERMISO_BENCH_ZLIB
#include <zlib.h>
#endif

namespace {

// Pages are coded one at a time, as the store does.
constexpr int kPageSize = 40000;

void BM_TQRCompressEncode(benchmark::State& state) {
  const QByteArray& corpus = storebench::MetafileCorpus();
  std::size_t packedTotal = 0;
  for (auto _ : state) {
    packedTotal = 0;
    for (qsizetype at = 0; at < corpus.size(); at += kPageSize) {
      const QByteArray packed = CompressBytes(corpus.mid(at, kPageSize));
      packedTotal += static_cast<std::size_t>(packed.size());
      benchmark::DoNotOptimize(packed.constData());
    }
  }
  state.SetBytesProcessed(state.iterations() * corpus.size());
  state.counters["ratio"] = static_cast<double>(packedTotal) / corpus.size();
}
BENCHMARK(BM_TQRCompressEncode)->Unit(benchmark::kMillisecond);

void BM_TQRCompressDecode(benchmark::State& state) {
  const QByteArray& corpus = storebench::MetafileCorpus();
  std::vector<std::pair<QByteArray, qsizetype>> pages;
  for (qsizetype at = 0; at < corpus.size(); at += kPageSize) {
    const QByteArray page = corpus.mid(at, kPageSize);
    pages.emplace_back(CompressBytes(page), page.size());
  }
  for (auto _ : state) {
    for (const auto& [packed, size] : pages) {
      const QByteArray plain = ExpandBytes(packed, static_cast<std::size_t>(size));
      benchmark::DoNotOptimize(plain.constData());
    }
  }
  state.SetBytesProcessed(state.iterations() * corpus.size());
}
BENCHMARK(BM_TQRCompressDecode)->Unit(benchmark::kMillisecond);

#ifdef PERMISO_BENCH_ZLIB
void BM_ZlibEncode(benchmark::State& state) {
  const int level = static_cast<int>(state.range(0));
  const QByteArray& corpus = storebench::MetafileCorpus();
  std::vector<Bytef> out(compressBound(kPageSize));
  std::size_t packedTotal = 0;
  for (auto _ : state) {
    packedTotal = 0;
    for (qsizetype at = 0; at < corpus.size(); at += kPageSize) {
      const uLong n = static_cast<uLong>(std::min<qsizetype>(kPageSize, corpus.size() - at));
      uLongf outLen = static_cast<uLongf>(out.size());
      compress2(out.data(), &outLen, reinterpret_cast<const Bytef*>(corpus.constData() + at), n,
                level);
      packedTotal += outLen;
      benchmark::DoNotOptimize(out.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * corpus.size());
  state.counters["ratio"] = static_cast<double>(packedTotal) / corpus.size();
}
BENCHMARK(BM_ZlibEncode)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond);

void BM_ZlibDecode(benchmark::State& state) {
  const int level = static_cast<int>(state.range(0));
  const QByteArray& corpus = storebench::MetafileCorpus();
  std::vector<std::pair<std::vector<Bytef>, uLong>> pages;
  for (qsizetype at = 0; at < corpus.size(); at += kPageSize) {
    const uLong n = static_cast<uLong>(std::min<qsizetype>(kPageSize, corpus.size() - at));
    std::vector<Bytef> out(compressBound(n));
    uLongf outLen = static_cast<uLongf>(out.size());
    compress2(out.data(), &outLen, reinterpret_cast<const Bytef*>(corpus.constData() + at), n,
              level);
    out.resize(outLen);
    pages.emplace_back(std::move(out), n);
  }
  std::vector<Bytef> plain(kPageSize);
  for (auto _ : state) {
    for (const auto& [packed, n] : pages) {
      uLongf plainLen = n;
      uncompress(plain.data(), &plainLen, packed.data(), static_cast<uLong>(packed.size()));
      benchmark::DoNotOptimize(plain.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * corpus.size());
}
BENCHMARK(BM_ZlibDecode)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

BENCHMARK_MAIN();
