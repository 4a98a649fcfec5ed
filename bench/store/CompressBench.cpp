// Encode and decode throughput of the page coder on recorded metafile pages,
// beside zlib at levels 1 and 6 on the same bytes, one page at a time as the
// store codes them.

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <numeric>

#include "BenchPages.h"
#include "TQRCompress.h"

namespace {

using storebench::PageSet;

std::int64_t TotalBytes() {
  std::int64_t total = 0;
  for (const QByteArray& p : PageSet()) total += p.size();
  return total;
}

void BM_TQRCompressEncode(benchmark::State& state) {
  std::int64_t packed = 0;
  for (auto _ : state) {
    packed = 0;
    for (const QByteArray& page : PageSet()) {
      const QByteArray out = CompressBytes(page);
      packed += out.size();
      benchmark::DoNotOptimize(out.constData());
    }
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
  state.counters["ratio"] = double(packed) / double(TotalBytes());
}
BENCHMARK(BM_TQRCompressEncode)->Unit(benchmark::kMillisecond);

void BM_TQRCompressDecode(benchmark::State& state) {
  std::vector<QByteArray> packed;
  for (const QByteArray& page : PageSet()) packed.push_back(CompressBytes(page));
  for (auto _ : state) {
    for (std::size_t i = 0; i < packed.size(); ++i) {
      const QByteArray plain = ExpandBytes(packed[i], std::size_t(PageSet()[i].size()));
      benchmark::DoNotOptimize(plain.constData());
    }
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}
BENCHMARK(BM_TQRCompressDecode)->Unit(benchmark::kMillisecond);

std::vector<Bytef> Deflate(const QByteArray& page, int level) {
  std::vector<Bytef> out(compressBound(uLong(page.size())));
  uLongf length = uLongf(out.size());
  compress2(out.data(), &length, reinterpret_cast<const Bytef*>(page.constData()),
            uLong(page.size()), level);
  out.resize(length);
  return out;
}

void BM_ZlibEncode(benchmark::State& state) {
  const int level = int(state.range(0));
  std::int64_t packed = 0;
  for (auto _ : state) {
    packed = 0;
    for (const QByteArray& page : PageSet()) {
      const std::vector<Bytef> out = Deflate(page, level);
      packed += std::int64_t(out.size());
      benchmark::DoNotOptimize(out.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
  state.counters["ratio"] = double(packed) / double(TotalBytes());
}
BENCHMARK(BM_ZlibEncode)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond);

void BM_ZlibDecode(benchmark::State& state) {
  const int level = int(state.range(0));
  std::vector<std::vector<Bytef>> packed;
  for (const QByteArray& page : PageSet()) packed.push_back(Deflate(page, level));
  std::vector<Bytef> plain;
  for (auto _ : state) {
    for (std::size_t i = 0; i < packed.size(); ++i) {
      plain.resize(std::size_t(PageSet()[i].size()));
      uLongf length = uLongf(plain.size());
      uncompress(plain.data(), &length, packed[i].data(), uLong(packed[i].size()));
      benchmark::DoNotOptimize(plain.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}
BENCHMARK(BM_ZlibDecode)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond);

}  // namespace
