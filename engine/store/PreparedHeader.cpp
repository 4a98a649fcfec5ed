#include "PreparedHeader.h"

#include <cmath>
#include <cstring>

#include "LittleEndian.h"

namespace qrstore {
namespace {

constexpr int kVersionAt = 0;
constexpr int kWriterAt = 2;
constexpr int kCountAt = 8;
constexpr int kDateAt = 16;
constexpr int kCompressionAt = 25;

struct TOldField {
  int from;
  int to;
  int size;
};
// The older header packs the same fields on 4-byte boundaries.
constexpr TOldField kOldFields[] = {
    {0, 0, 2},   {2, 2, 2},   {4, 4, 1},   {8, 8, 4},
    {12, 16, 8}, {20, 24, 1}, {21, 25, 1}, {22, 26, 101},
};
static_assert(22 + 101 < kOldHeaderSize && 26 + 101 < kHeaderSize);

const QDate kDayZero(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;

}  // namespace

THeaderBytes EncodeHeader(const TPreparedHeader& header) {
  THeaderBytes b{};
  PutU16(&b[kVersionAt], header.formatVersion);
  PutU16(&b[kWriterAt], header.writerVersion);
  PutI32(&b[kCountAt], header.pageCount);
  PutF64(&b[kDateAt], header.date);
  b[kCompressionAt] = header.compressed ? 1 : 0;
  return b;
}

THeaderBytes ConvertOldHeader(const unsigned char* bytes124) {
  THeaderBytes b{};
  for (const TOldField& f : kOldFields) std::memcpy(&b[f.to], bytes124 + f.from, f.size);
  return b;
}

TPreparedHeader DecodeHeader(const unsigned char* bytes, int size) {
  THeaderBytes converted;
  const unsigned char* p = bytes;
  if (size == kOldHeaderSize) {
    converted = ConvertOldHeader(bytes);
    p = converted.data();
  }
  TPreparedHeader h;
  h.formatVersion = GetU16(p + kVersionAt);
  h.writerVersion = GetU16(p + kWriterAt);
  h.pageCount = GetI32(p + kCountAt);
  h.date = GetF64(p + kDateAt);
  h.compressed = p[kCompressionAt] == 1;
  return h;
}

int HeaderSizeFromProbe(const unsigned char* probe4) {
  const unsigned char* end = static_cast<const unsigned char*>(std::memchr(probe4, 0, 4));
  const std::size_t len = end ? static_cast<std::size_t>(end - probe4) : 4;
  return (len == 3 && std::memcmp(probe4, "EMF", 3) == 0) ? kOldHeaderSize : kHeaderSize;
}

double DaysSince1899(const QDateTime& local) {
  return static_cast<double>(kDayZero.daysTo(local.date())) +
         local.time().msecsSinceStartOfDay() / kMsPerDay;
}

QDateTime DateTimeFromDays(double days) {
  if (!std::isfinite(days) || std::fabs(days) > 3.0e6) return {};
  const double whole = std::floor(days);
  const int ms = static_cast<int>(std::lround((days - whole) * kMsPerDay));
  return QDateTime(kDayZero.addDays(static_cast<qint64>(whole)), QTime(0, 0)).addMSecs(ms);
}

}  // namespace qrstore
