#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include "Errors.h"
#include "StoreTestData.h"
#include "TQRStream.h"

namespace {

using storetest::StoreTempFiles;

TEST(TQRStream, StaysInMemoryUpToTheThresholdThenContinuesInATempFile) {
  QTemporaryDir dir;
  const QByteArray data = storetest::RandomBytes(7, 150000);
  QString spilledTo;
  {
    auto s = TQRStream::CreateStore(TQRStream::kStoreSpillThreshold, dir.path());
    s->Write(data.constData(), 100000);
    EXPECT_TRUE(s->InMemory());  // exactly at the threshold is not past it
    EXPECT_TRUE(StoreTempFiles(dir.path()).isEmpty());
    s->Write(data.constData() + 100000, 1);
    EXPECT_FALSE(s->InMemory());
    ASSERT_EQ(StoreTempFiles(dir.path()).size(), 1);
    spilledTo = s->TempFileName();
    EXPECT_EQ(spilledTo, dir.path() + "/" + StoreTempFiles(dir.path()).first());
    EXPECT_EQ(s->Position(), 100001);
    s->Write(data.constData() + 100001, data.size() - 100001);
    EXPECT_EQ(s->Size(), data.size());

    QByteArray back(data.size(), '\0');
    s->Seek(0);
    s->ReadBuffer(back.data(), back.size());
    EXPECT_EQ(back, data);
    // Overwriting inside the file (as the header rewrite does).
    s->Seek(10);
    s->Write("ABCD", 4);
    s->Seek(10);
    char four[4];
    s->ReadBuffer(four, 4);
    EXPECT_EQ(QByteArray(four, 4), "ABCD");
  }
  EXPECT_FALSE(QFile::exists(spilledTo));
  EXPECT_TRUE(StoreTempFiles(dir.path()).isEmpty());
}

TEST(TQRStream, CopyToWritesEverythingAndLeavesThePositionAtTheEnd) {
  for (const int size : {0, 10240, 10241, 123457}) {
    auto s = TQRStream::CreateStore(0);
    const QByteArray data = storetest::RandomBytes(size, size);
    s->Write(data.constData(), data.size());
    s->Seek(5);
    QBuffer target;
    target.open(QIODevice::WriteOnly);
    s->CopyTo(target);
    EXPECT_EQ(target.data(), data) << size;
    EXPECT_EQ(s->Position(), size);
  }
}

TEST(TQRStream, ReadBufferPastTheEndIsAReadError) {
  auto s = TQRStream::CreateStore();
  s->Write("abc", 3);
  s->Seek(1);
  char b[4];
  EXPECT_THROW(s->ReadBuffer(b, 4), EReadError);
}

TEST(TQRStream, FileStreamReadsAndRefusesWrites) {
  QTemporaryDir dir;
  const QString name = dir.filePath("a.QRP");
  storetest::WriteFile(name, "0123456789");
  {
    auto s = TQRStream::OpenFile(name);
    EXPECT_FALSE(s->InMemory());
    EXPECT_TRUE(s->TempFileName().isEmpty());
    EXPECT_EQ(s->Size(), 10);
    s->Seek(4);
    char b[3];
    s->ReadBuffer(b, 3);
    EXPECT_EQ(QByteArray(b, 3), "456");
    EXPECT_THROW(s->Write("x", 1), EWriteError);
  }
  EXPECT_TRUE(QFile::exists(name));  // a loaded file is never deleted
}

TEST(TQRStream, ReadingAtAPositionLeavesThePositionAndStopsAtTheEnd) {
  QTemporaryDir dir;
  const QString name = dir.filePath("a.QRP");
  storetest::WriteFile(name, "0123456789");
  auto memory = TQRStream::CreateStore(0);
  memory->Write("0123456789", 10);
  auto file = TQRStream::OpenFile(name);
  for (TQRStream* s : {memory.get(), file.get()}) {
    SCOPED_TRACE(s->InMemory() ? "memory" : "file");
    s->Seek(2);
    char b[4];
    s->ReadBufferAt(6, b, 4);
    EXPECT_EQ(QByteArray(b, 4), "6789");
    EXPECT_EQ(s->Position(), 2);
    EXPECT_THROW(s->ReadBufferAt(7, b, 4), EReadError);
    EXPECT_THROW(s->ReadBufferAt(-1, b, 1), EReadError);
    EXPECT_THROW(s->ReadBufferAt(11, b, 1), EReadError);
  }
}

TEST(TQRStream, OpeningAMissingFileNamesIt) {
  try {
    TQRStream::OpenFile("/nonexistent/x.QRP");
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_TRUE(e.Message().startsWith("Cannot open file \"/nonexistent/x.QRP\". ")) << e.what();
  }
}

TEST(TQRStream, SpillIntoAFolderThatCannotHoldItFailsAndKeepsTheBytes) {
  auto s = TQRStream::CreateStore(10, "/nonexistent-folder");
  const QByteArray data = storetest::RandomBytes(9, 11);
  try {
    s->Write(data.constData(), data.size());
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_TRUE(e.Message().startsWith("Cannot create file \"/nonexistent-folder/")) << e.what();
  }
  EXPECT_TRUE(s->InMemory());
  EXPECT_EQ(s->Size(), 11);
}

}  // namespace
