#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <random>

#include "Errors.h"
#include "LittleEndian.h"
#include "StoreTestData.h"
#include "TQRPageList.h"

namespace {

using storetest::EmfLikePage;

std::int32_t I32At(const QByteArray& b, qsizetype at) {
  return qrstore::GetI32(reinterpret_cast<const unsigned char*>(b.constData()) + at);
}

std::vector<QByteArray> Pages(int count, int approxSize) {
  std::vector<QByteArray> pages;
  for (int i = 0; i < count; ++i) pages.push_back(EmfLikePage(100 + i, approxSize + 37 * i));
  return pages;
}

TEST(TQRPageList, OnePageStoreHasTheFileLayout) {
  const QByteArray page = EmfLikePage(1, 3000);
  const QByteArray file = storetest::BuildStoreFile({page}, false);
  ASSERT_EQ(file.size(), 128 + 8 + page.size() + 4);
  EXPECT_EQ(I32At(file, 0) & 0xFFFF, 3);
  EXPECT_EQ(I32At(file, 2) & 0xFFFF, 309);
  EXPECT_EQ(I32At(file, 8), 1);
  EXPECT_EQ(file[25], 0);
  EXPECT_EQ(I32At(file, 128), 1);                // page number
  EXPECT_EQ(I32At(file, 132), file.size());      // forward link
  EXPECT_EQ(file.mid(136, page.size()), page);   // the metafile as it is
  EXPECT_EQ(I32At(file, file.size() - 4), 128);  // back link
  EXPECT_EQ(file.mid(177, 3), "EMF");            // what the header test sees
}

TEST(TQRPageList, HeaderIsWrittenWithTheFirstPageAndAgainOnRequest) {
  TQRPageList list;
  list.AttachStream(TQRStream::CreateStore(0));
  list.AppendPayload(EmfLikePage(1, 500));
  list.AppendPayload(EmfLikePage(2, 500));
  char count[4];
  list.Stream()->Seek(8);
  list.Stream()->ReadBuffer(count, 4);
  EXPECT_EQ(qrstore::GetI32(reinterpret_cast<unsigned char*>(count)), 1);  // provisional
  list.WriteHeader();
  EXPECT_EQ(list.Stream()->Position(), 128);
  list.Stream()->Seek(8);
  list.Stream()->ReadBuffer(count, 4);
  EXPECT_EQ(qrstore::GetI32(reinterpret_cast<unsigned char*>(count)), 2);
}

TEST(TQRPageList, PagesNotStoredYieldNothing) {
  TQRPageList list;
  EXPECT_FALSE(list.ReadPayload(1));
  list.AttachStream(TQRStream::CreateStore());
  list.AppendPayload(EmfLikePage(1, 500));
  EXPECT_FALSE(list.ReadPayload(0));
  EXPECT_FALSE(list.ReadPayload(2));
  EXPECT_TRUE(list.ReadPayload(1));
}

class StoreRoundTrip : public testing::TestWithParam<bool> {};

// A run's store that spills into a temporary file, saved, loaded back and
// read in every order; the temporary file goes with the pages.
TEST_P(StoreRoundTrip, SpilledStoreSavesAndLoadsByteForByte) {
  const bool compressed = GetParam();
  QTemporaryDir dir;
  constexpr int kPages = 60;  // past 100000 bytes also when compressed
  const std::vector<QByteArray> pages = Pages(kPages, 6000);
  TQRPageList run;
  run.AttachStream(TQRStream::CreateStore(TQRStream::kStoreSpillThreshold, dir.path()));
  run.SetCompression(compressed);
  for (const QByteArray& p : pages) run.AppendPayload(p);
  run.WriteHeader();
  ASSERT_FALSE(run.Stream()->InMemory());
  ASSERT_EQ(storetest::StoreTempFiles(dir.path()).size(), 1);
  EXPECT_EQ(*run.ReadPayload(7), pages[6]);  // reading while it is the store

  const QString saved = dir.filePath("permiso.QRP");
  run.CopyToFile(saved);
  EXPECT_EQ(storetest::ReadFile(saved), storetest::ReadFile(run.Stream()->TempFileName()));
  run.DiscardStream();
  EXPECT_TRUE(storetest::StoreTempFiles(dir.path()).isEmpty());
  EXPECT_EQ(run.PageCount(), 0);

  TQRPageList loaded;
  loaded.SetCompression(!compressed);  // the header decides
  loaded.AttachFile(saved);
  EXPECT_EQ(loaded.Compression(), compressed);
  ASSERT_EQ(loaded.PageCount(), kPages);
  std::vector<int> order;
  for (int i = 1; i <= kPages; ++i) order.push_back(i);
  for (int i = kPages; i >= 1; --i) order.push_back(i);
  std::mt19937 rng(11);
  for (int i = 0; i < 80; ++i) order.push_back(1 + static_cast<int>(rng() % kPages));
  for (const int n : order) ASSERT_EQ(*loaded.ReadPayload(n), pages[n - 1]) << n;

  // Fresh lists walk from scratch: backwards first, then at random.
  TQRPageList backwards;
  backwards.AttachFile(saved);
  for (int n = kPages; n >= 1; --n) ASSERT_EQ(*backwards.ReadPayload(n), pages[n - 1]) << n;
  TQRPageList random;
  random.AttachFile(saved);
  for (int i = 0; i < 60; ++i) {
    const int n = 1 + static_cast<int>(rng() % kPages);
    ASSERT_EQ(*random.ReadPayload(n), pages[n - 1]) << n;
  }
  random.DiscardStream();
  EXPECT_TRUE(QFile::exists(saved));  // a loaded file is never deleted
}

INSTANTIATE_TEST_SUITE_P(TQRPageList, StoreRoundTrip, testing::Bool(),
                         [](const auto& info) { return info.param ? "Compressed" : "Plain"; });

TEST(TQRPageList, OlderHeaderFileLoadsWithItsCount) {
  QTemporaryDir dir;
  const std::vector<QByteArray> pages = Pages(3, 2000);
  QByteArray file(124, '\0');
  file[0] = 3;
  file[8] = 3;  // page count
  for (int i = 0; i < 3; ++i) {
    const qint64 start = file.size();
    QByteArray rec(8, '\0');
    qrstore::PutI32(reinterpret_cast<unsigned char*>(rec.data()), i + 1);
    qrstore::PutI32(reinterpret_cast<unsigned char*>(rec.data()) + 4,
                    static_cast<std::int32_t>(start + 12 + pages[i].size()));
    rec.append(pages[i]);
    rec.append(4, '\0');
    qrstore::PutI32(reinterpret_cast<unsigned char*>(rec.data()) + rec.size() - 4,
                    static_cast<std::int32_t>(start));
    file.append(rec);
  }
  ASSERT_EQ(file.mid(173, 3), "EMF");
  storetest::WriteFile(dir.filePath("old.QRP"), file);
  TQRPageList list;
  list.AttachFile(dir.filePath("old.QRP"));
  EXPECT_EQ(list.HeaderSize(), 124);
  EXPECT_EQ(list.PageCount(), 3);
  EXPECT_FALSE(list.Compression());
  for (int n : {3, 1, 2}) EXPECT_EQ(*list.ReadPayload(n), pages[n - 1]);
}

TEST(TQRPageList, SavingOverTheLoadedFileFailsAndLeavesItAlone) {
  QTemporaryDir dir;
  const QString name = dir.filePath("a.QRP");
  const QByteArray file = storetest::BuildStoreFile(Pages(2, 1000), true);
  storetest::WriteFile(name, file);
  TQRPageList list;
  list.AttachFile(name);
  try {
    list.CopyToFile(name);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_TRUE(e.Message().startsWith("Cannot create file \"" + name + "\". ")) << e.what();
  }
  EXPECT_EQ(storetest::ReadFile(name), file);
}

TEST(TQRPageList, SavingReplacesAnExistingFile) {
  QTemporaryDir dir;
  const QString name = dir.filePath("a.QRP");
  storetest::WriteFile(name, QByteArray(500000, 'z'));
  TQRPageList list;
  list.AttachStream(TQRStream::CreateStore());
  list.AppendPayload(EmfLikePage(1, 700));
  list.CopyToFile(name);
  EXPECT_EQ(storetest::ReadFile(name).size(), list.Stream()->Size());
}

TEST(TQRPageList, SavingIntoAMissingFolderIsACreateError) {
  TQRPageList list;
  list.AttachStream(TQRStream::CreateStore());
  list.AppendPayload(EmfLikePage(1, 700));
  EXPECT_THROW(list.CopyToFile("/nonexistent-folder/a.QRP"), EFCreateError);
}

TEST(TQRPageList, StoreOfARunWithoutPagesLoadsEmpty) {
  QTemporaryDir dir;
  TQRPageList run;
  run.AttachStream(TQRStream::CreateStore());
  run.WriteHeader();
  run.CopyToFile(dir.filePath("empty.QRP"));
  TQRPageList list;
  list.AttachFile(dir.filePath("empty.QRP"));
  EXPECT_EQ(list.PageCount(), 0);
  EXPECT_FALSE(list.ReadPayload(1));
}

// The byte 0 codes in exactly eight bits: its record holds L and one packed
// byte, with nothing after it but the back link.
TEST(TQRPageList, CompressedPageEndingOnAByteBoundaryHasNoExtraByte) {
  TQRPageList list;
  list.AttachStream(TQRStream::CreateStore(0));
  list.SetCompression(true);
  const QByteArray page(1, '\0');
  list.AppendPayload(page);
  list.AppendPayload(EmfLikePage(2, 400));
  const TPageRecordInfo first = list.RecordInfo(1);
  EXPECT_EQ(first.forwardLink - first.offset, 8 + 4 + 1 + 4);
  EXPECT_EQ(first.metafileSize, 1);
  EXPECT_EQ(*list.ReadPayload(2), EmfLikePage(2, 400));
  EXPECT_EQ(*list.ReadPayload(1), page);
}

TEST(TQRPageList, RecordInfoDescribesEachRecord) {
  const std::vector<QByteArray> pages = Pages(2, 1500);
  QTemporaryDir dir;
  storetest::WriteFile(dir.filePath("a.QRP"), storetest::BuildStoreFile(pages, true));
  TQRPageList list;
  list.AttachFile(dir.filePath("a.QRP"));
  const TPageRecordInfo second = list.RecordInfo(2);
  const TPageRecordInfo first = list.RecordInfo(1);
  EXPECT_EQ(first.offset, 128);
  EXPECT_EQ(first.backLink, 128);
  EXPECT_EQ(second.offset, first.forwardLink);
  EXPECT_EQ(second.number, 2);
  EXPECT_EQ(second.metafileSize, pages[1].size());
  EXPECT_EQ(second.payloadSize, second.forwardLink - 4 - (second.offset + 8));
}

}  // namespace
