// A compressed page whose claimed size has nothing to do with the bits that
// are there: loading it must be refused with the usual messages, at once and
// without setting memory aside for the claim. Each file below is 256 MB
// (sparse on disk) with one page record; the process's own accounting says
// how much memory reading the page took at its peak.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <functional>

#include "Errors.h"
#include "LittleEndian.h"
#include "Metafile.h"
#include "StoreTestData.h"
#include "TQRCompress.h"
#include "TQRPageList.h"

namespace {

constexpr qint64 kFileSize = qint64(256) << 20;
constexpr qint64 kRecord = 128;  // the one record starts after the header
constexpr qint64 kPeakLimitKb = 64 * 1024;

// Kilobytes of a "VmRSS:" or "VmHWM:" line of /proc/self/status.
qint64 StatusKb(const char* field) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith(field)) return line.mid(qsizetype(std::strlen(field))).trimmed().split(' ')[0].toLongLong();
  return -1;
}

// Peak resident memory `work` added, in kilobytes: the high-water mark is
// reset first (writing 5 to clear_refs), so earlier tests do not count.
qint64 PeakGrowthKb(const std::function<void()>& work) {
  QFile clear(QStringLiteral("/proc/self/clear_refs"));
  EXPECT_TRUE(clear.open(QIODevice::WriteOnly) && clear.write("5") == 1)
      << "the peak resident memory cannot be reset";
  clear.close();
  const qint64 before = StatusKb("VmRSS:");
  work();
  return StatusKb("VmHWM:") - before;
}

void Put(QFile& file, qint64 at, std::int32_t value) {
  unsigned char b[4];
  qrstore::PutI32(b, value);
  ASSERT_TRUE(file.seek(at));
  ASSERT_EQ(file.write(reinterpret_cast<const char*>(b), 4), 4);
}

// A 256 MB file whose one compressed record claims `claim` bytes and holds
// `bits` as the start of its packed bits (zeros after them). With
// `wholeFile` the record runs to the end of the file, else it ends right
// after `bits`, and a gap of zeros fills the rest.
void WriteFile(const QString& path, std::int32_t claim, const QByteArray& bits, bool wholeFile) {
  QByteArray start = storetest::BuildStoreFile({storetest::EmfLikePage(1, 400)}, true);
  start.truncate(kRecord + 12);
  start += bits;
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(file.write(start), start.size());
  const qint64 end = wholeFile ? kFileSize : start.size() + 4;
  Put(file, kRecord + 8, claim);
  Put(file, kRecord + 4, static_cast<std::int32_t>(end));
  Put(file, end - 4, static_cast<std::int32_t>(kRecord));
  ASSERT_TRUE(file.resize(kFileSize));  // a hole: nothing on disk
}

// The header record of a metafile of `total` bytes, packed.
QByteArray PackedHeaderOf(std::int32_t total) {
  QByteArray header = storetest::EmfLikePage(1, 0).left(108);
  qrstore::PutI32(reinterpret_cast<unsigned char*>(header.data()) + 48, total);
  return CompressBytes(header);
}

enum class TRefusal { ReadError, NotValid };

struct TClaimCase {
  const char* name;
  std::int32_t claim;
  std::function<QByteArray()> bits;
  bool wholeFile;
  TRefusal refusal;
};

const TClaimCase kCases[] = {
    // 2 GB claimed of 16 packed bytes: more than any bits can hold.
    {"ClaimBeyondWhatTheBitsCanHold", 0x7FFFFFFF, [] { return QByteArray(16, '\x55'); }, false,
     TRefusal::ReadError},
    // The record's link takes in the whole file, so that 2 GB is within
    // what its 256 MB of bits could hold; the bits are noise.
    {"NoiseOverTheWholeFile", 0x7FFF0000,
     [] { return storetest::RandomBytes(5, 4096); }, true, TRefusal::NotValid},
    {"ZerosOverTheWholeFile", 0x7FFF0000, [] { return QByteArray(); }, true, TRefusal::NotValid},
    // A sound header that promises 2 GB, then nothing a record could be.
    {"HeaderPromisingTwoGigabytes", 0x7FFF0000, [] { return PackedHeaderOf(0x7FFF0000); }, true,
     TRefusal::NotValid},
};

class CompressedClaim : public testing::TestWithParam<TClaimCase> {};

TEST_P(CompressedClaim, IsRefusedWithoutMemoryForTheClaim) {
  const TClaimCase& c = GetParam();
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("claim.QRP"));
  WriteFile(path, c.claim, c.bits(), c.wholeFile);
  TQRPageList list;
  list.AttachFile(path);
  ASSERT_EQ(list.PageCount(), 1);
  QString message;
  TRefusal refusal = TRefusal::ReadError;
  QElapsedTimer timer;
  const qint64 peakKb = PeakGrowthKb([&] {
    timer.start();
    try {
      list.ReadPage(1);
    } catch (const EReadError& e) {
      message = e.Message();
    } catch (const EInvalidGraphic& e) {
      message = e.Message();
      refusal = TRefusal::NotValid;
    }
  });
  // Not a limit: a figure for the person reading the test's output.
  RecordProperty("milliseconds", static_cast<int>(timer.elapsed()));
  RecordProperty("peak_kb", static_cast<int>(peakKb));
  EXPECT_EQ(message, c.refusal == TRefusal::ReadError ? QStringLiteral("Stream read error")
                                                      : QStringLiteral("Metafile is not valid"));
  EXPECT_EQ(refusal, c.refusal);
  EXPECT_LT(peakKb, kPeakLimitKb);
}

INSTANTIATE_TEST_SUITE_P(TQRPageList, CompressedClaim, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
