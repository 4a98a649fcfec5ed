// Prepared report files that do not hold what their layout promises: each
// must give a clear error for the page that cannot be read, never a crash, a
// hang or a huge allocation. The count is that of the whole records the file
// holds. A page stays readable while either the forward or the backward
// chain of links still reaches it whole.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <functional>

#include "Errors.h"
#include "LittleEndian.h"
#include "StoreTestData.h"
#include "TQRCompress.h"
#include "TQRPageList.h"

namespace {

// Record offsets of the undamaged three-page file below.
struct TLayout {
  QByteArray file;
  qint64 record[4];  // record[1..3]
};

std::vector<QByteArray> ThreePages() {
  return {storetest::EmfLikePage(1, 900), storetest::EmfLikePage(2, 1100),
          storetest::EmfLikePage(3, 1300)};
}

TLayout Build(bool compressed) {
  TLayout l;
  l.file = storetest::BuildStoreFile(ThreePages(), compressed);
  l.record[0] = 0;
  l.record[1] = 128;
  for (int i = 2; i <= 3; ++i)
    l.record[i] = qrstore::GetI32(reinterpret_cast<const unsigned char*>(l.file.constData()) +
                                  l.record[i - 1] + 4);
  return l;
}

void Put(QByteArray& b, qint64 at, std::int32_t v) {
  qrstore::PutI32(reinterpret_cast<unsigned char*>(b.data()) + at, v);
}

enum class Outcome { Page, Nothing, ReadError, NotValid };

struct DamageCase {
  const char* name;
  bool compressed;
  std::function<void(TLayout&)> damage;
  // What reading each of pages 1 to 4 gives.
  Outcome pages[4];
};

const Outcome P = Outcome::Page, N = Outcome::Nothing, E = Outcome::ReadError,
              V = Outcome::NotValid;

const DamageCase kCases[] = {
    {"Undamaged", false, [](TLayout&) {}, {P, P, P, N}},
    {"ForwardLinkOutsideTheFile",
     false,
     [](TLayout& l) { Put(l.file, l.record[1] + 4, 0x7FFFFFF0); },
     {E, P, P, N}},
    {"ForwardLinkNegative",
     false,
     [](TLayout& l) { Put(l.file, l.record[2] + 4, -5); },
     {P, E, P, N}},
    // Record 2 links back to record 1: a loop for a reader that trusts links.
    {"ForwardLinkLoopsBack",
     false,
     [](TLayout& l) { Put(l.file, l.record[2] + 4, static_cast<std::int32_t>(l.record[1])); },
     {P, E, P, N}},
    {"ForwardLinkToItself",
     false,
     [](TLayout& l) { Put(l.file, l.record[1] + 4, static_cast<std::int32_t>(l.record[1])); },
     {E, P, P, N}},
    // The last record's back link is the only way to the end: broken, the
    // forward links still lead there.
    {"LastBackLinkLoops",
     false,
     [](TLayout& l) { Put(l.file, l.file.size() - 4, static_cast<std::int32_t>(l.record[1])); },
     {P, P, E, N}},
    {"LastBackLinkOutside",
     false,
     [](TLayout& l) { Put(l.file, l.file.size() - 4, -1); },
     {P, P, E, N}},
    {"MiddleBackLinkWrong",
     false,
     [](TLayout& l) { Put(l.file, l.record[3] - 4, static_cast<std::int32_t>(l.record[3])); },
     {P, E, P, N}},
    {"PageNumbersSwapped",
     false,
     [](TLayout& l) {
       Put(l.file, l.record[2], 3);
       Put(l.file, l.record[3], 2);
     },
     {P, N, N, N}},
    // The count is that of the records the file holds, whatever the header
    // claims.
    {"CountLargerThanTheRecords", false, [](TLayout& l) { Put(l.file, 8, 1000); }, {P, P, P, N}},
    {"CountHuge", false, [](TLayout& l) { Put(l.file, 8, 0x7FFFFFFF); }, {P, P, P, N}},
    {"CountSmallerThanTheRecords", false, [](TLayout& l) { Put(l.file, 8, 2); }, {P, P, P, N}},
    {"CountNegative", false, [](TLayout& l) { Put(l.file, 8, -3); }, {P, P, P, N}},
    // A chain broken in the middle keeps the header's count only when the
    // last record carries it and the bytes between could hold the rest.
    {"ChainBrokenAndCountHuge",
     false,
     [](TLayout& l) {
       Put(l.file, l.record[2] + 4, -5);
       Put(l.file, 8, 0x7FFFFFFF);
     },
     {P, N, N, N}},
    {"ChainBrokenAndLastRecordAgreesWithAHugeCount",
     false,
     [](TLayout& l) {
       Put(l.file, l.record[2] + 4, -5);
       Put(l.file, 8, 0x7FFFFFFF);
       Put(l.file, l.record[3], 0x7FFFFFFF);
     },
     {P, N, N, N}},
    {"TruncatedInsideRecord2",
     false,
     [](TLayout& l) { l.file.truncate(static_cast<qsizetype>(l.record[2] + 100)); },
     {P, N, N, N}},
    {"TruncatedInsideRecord2Head",
     false,
     [](TLayout& l) { l.file.truncate(static_cast<qsizetype>(l.record[2] + 6)); },
     {P, N, N, N}},
    {"CompressedUndamaged", true, [](TLayout&) {}, {P, P, P, N}},
    {"CompressedLengthNegative",
     true,
     [](TLayout& l) { Put(l.file, l.record[2] + 8, -1); },
     {P, E, P, N}},
    {"CompressedLengthHuge",
     true,
     [](TLayout& l) { Put(l.file, l.record[2] + 8, 0x7FFFFFFF); },
     {P, E, P, N}},
    // Within what the bits could hold, but more than they do hold.
    {"CompressedLengthTooLarge",
     true,
     [](TLayout& l) {
       const qint64 packed = l.record[3] - 4 - (l.record[2] + 12);
       Put(l.file, l.record[2] + 8, static_cast<std::int32_t>(packed * 8));
     },
     {P, E, P, N}},
    {"CompressedRecordTooShortForLength",
     true,
     [](TLayout& l) {
       // Record 3 becomes 12 + 2 bytes: no room for L.
       l.file.truncate(static_cast<qsizetype>(l.record[3] + 10));
       Put(l.file, l.record[3] + 4, static_cast<std::int32_t>(l.record[3] + 14));
       l.file.append(4, '\0');
       Put(l.file, l.record[3] + 10, static_cast<std::int32_t>(l.record[3]));
     },
     {P, P, E, N}},
    // Bits that do not unpack to a metafile: refused at the first bytes.
    {"CompressedBitsNotAMetafile",
     true,
     [](TLayout& l) {
       const qint64 from = l.record[2] + 12, to = l.record[3] - 4;
       const QByteArray noise = storetest::RandomBytes(9, static_cast<int>(to - from));
       l.file.replace(static_cast<qsizetype>(from), noise.size(), noise);
     },
     {P, V, P, N}},
    // A claim above the metafile's own total, within what the bits can hold:
    // the metafile ends where its header says.
    {"CompressedLengthAboveTheMetafile",
     true,
     [](TLayout& l) { Put(l.file, l.record[2] + 8, 1100 + 400); },
     {P, P, P, N}},
};

class DamagedFile : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedFile, EachPageReadsOrFailsCleanly) {
  const DamageCase& c = GetParam();
  const std::vector<QByteArray> pages = ThreePages();
  TLayout layout = Build(c.compressed);
  c.damage(layout);
  QTemporaryDir dir;
  storetest::WriteFile(dir.filePath("d.QRP"), layout.file);
  // Each order of reading must give the same answers: fresh lists, forwards
  // and backwards.
  // The count: up to the last page that is not simply missing.
  int count = 0;
  for (int n = 1; n <= 4; ++n)
    if (c.pages[n - 1] != Outcome::Nothing) count = n;
  for (const bool backwards : {false, true}) {
    TQRPageList list;
    list.AttachFile(dir.filePath("d.QRP"));
    EXPECT_EQ(list.PageCount(), count);
    for (int i = 0; i < 4; ++i) {
      const int n = backwards ? 4 - i : i + 1;
      const Outcome want = c.pages[n - 1];
      SCOPED_TRACE(testing::Message() << "page " << n << (backwards ? " backwards" : ""));
      try {
        const std::optional<QByteArray> got = list.ReadPayload(n);
        if (want == Outcome::Page) {
          ASSERT_TRUE(got);
          EXPECT_EQ(*got, pages[n - 1]);
        } else {
          EXPECT_EQ(want, Outcome::Nothing);
          EXPECT_FALSE(got);
        }
      } catch (const EReadError& e) {
        EXPECT_EQ(want, Outcome::ReadError);
        EXPECT_EQ(e.Message(), QStringLiteral("Stream read error"));
      } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(want, Outcome::NotValid);
        EXPECT_EQ(e.Message(), QStringLiteral("Metafile is not valid"));
      }
    }
  }
  EXPECT_EQ(storetest::ReadFile(dir.filePath("d.QRP")), layout.file) << "the file was changed";
}

INSTANTIATE_TEST_SUITE_P(TQRPageList, DamagedFile, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct ShortFileCase {
  const char* name;
  QByteArray bytes;
};

class ShortFile : public testing::TestWithParam<ShortFileCase> {};

TEST_P(ShortFile, IsAReadErrorWhenLoading) {
  QTemporaryDir dir;
  storetest::WriteFile(dir.filePath("s.QRP"), GetParam().bytes);
  TQRPageList list;
  EXPECT_THROW(list.AttachFile(dir.filePath("s.QRP")), EReadError);
  EXPECT_EQ(list.Stream(), nullptr);
}

QByteArray ShortHeaderWithCount(int size, char count) {
  QByteArray b(size, '\0');
  b[8] = count;
  return b;
}

const ShortFileCase kShortFiles[] = {
    {"Empty", QByteArray()},
    {"HalfAHeader", QByteArray(60, '\0')},
    // Too short for the header test and claiming a page that cannot fit.
    {"HeaderClaimingAPage", ShortHeaderWithCount(176, 1)},
    {"OlderHeaderClaimingAPage", ShortHeaderWithCount(124, 1)},
};

INSTANTIATE_TEST_SUITE_P(TQRPageList, ShortFile, testing::ValuesIn(kShortFiles),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
