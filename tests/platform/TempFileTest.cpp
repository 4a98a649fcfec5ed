// Temporary files for spilled page stores: "QRP" + hexadecimal digits +
// ".TMP" in the temporary folder, each one new and the caller's alone.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <set>

#include "TempFile.h"

namespace {

TEST(TempFile, NamesAreNewFilesOfTheirOwnInTheFolder) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QRegularExpression name(QStringLiteral("^QRP[0-9A-F]{1,4}\\.TMP$"));
  std::set<QString> paths;
  for (int i = 0; i < 50; ++i) {
    const platform::TempFileHandle file =
        platform::CreateUniqueTempFile(dir.path(), QStringLiteral("QRP"));
    ASSERT_GE(file.fd, 0);
    EXPECT_TRUE(paths.insert(file.path).second) << "given twice: " << file.path.toStdString();
    const QFileInfo info(file.path);
    EXPECT_EQ(info.absolutePath(), QDir(dir.path()).absolutePath());
    EXPECT_TRUE(name.match(info.fileName()).hasMatch()) << info.fileName().toStdString();
    EXPECT_EQ(info.size(), 0);
    struct stat st {};
    ASSERT_EQ(::fstat(file.fd, &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u) << "only the owner may read the pages";
    ::close(file.fd);
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 50);
}

TEST(TempFile, ANewFileIsHeldUntilItsDescriptorCloses) {
  QTemporaryDir dir;
  const platform::TempFileHandle file =
      platform::CreateUniqueTempFile(dir.path(), QStringLiteral("QRP"));
  // Another open of the same file, even in this process, cannot take it.
  const int other = ::open(QFile::encodeName(file.path).constData(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(other, 0);
  EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(errno, EWOULDBLOCK);
  ::close(file.fd);
  EXPECT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  ::close(other);
}

TEST(TempFile, ClearingTheFolderDeletesOnlyFilesNoOneHolds) {
  QTemporaryDir dir;
  const QString prefix = QStringLiteral("QRP");
  const platform::TempFileHandle live = platform::CreateUniqueTempFile(dir.path(), prefix);
  const platform::TempFileHandle dead = platform::CreateUniqueTempFile(dir.path(), prefix);
  ::close(dead.fd);  // as the kernel does for a killed program
  // A file this process holds survives a clearing run by this very process:
  // the lock is the open file's, not the process's.
  EXPECT_EQ(platform::RemoveAbandonedTempFiles(dir.path(), prefix), 1);
  EXPECT_TRUE(QFile::exists(live.path));
  EXPECT_FALSE(QFile::exists(dead.path));
  ::close(live.fd);
  EXPECT_EQ(platform::RemoveAbandonedTempFiles(dir.path(), prefix), 1);
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(TempFile, ClearingLeavesEverythingElseAlone) {
  QTemporaryDir dir;
  const QString prefix = QStringLiteral("QRP");
  const QDir d(dir.path());
  auto write = [&](const QString& name) {
    QFile f(d.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("pages");
  };
  // Names that are not a store's.
  for (const char* name : {"QRP.TMP", "QRPXYZ.TMP", "QRP1A.tmp", "qrp1A.TMP", "QRP1A.TMP.bak",
                           "XQRP1A.TMP", "QRP123456789.TMP"})
    write(QString::fromLatin1(name));
  // A store's name on what is not a plain file of ours: a link to a file
  // elsewhere, a folder, a pipe (opening it must not wait for a writer).
  QTemporaryDir elsewhere;
  const QString target = QDir(elsewhere.path()).filePath(QStringLiteral("keep.txt"));
  {
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("keep");
  }
  ASSERT_TRUE(QFile::link(target, d.filePath(QStringLiteral("QRP1.TMP"))));
  ASSERT_TRUE(d.mkdir(QStringLiteral("QRP2.TMP")));
  ASSERT_EQ(::mkfifo(QFile::encodeName(d.filePath(QStringLiteral("QRP3.TMP"))).constData(), 0600),
            0);
  const QStringList before = d.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
  EXPECT_EQ(platform::RemoveAbandonedTempFiles(dir.path(), prefix), 0);
  EXPECT_EQ(d.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), before);
  EXPECT_TRUE(QFile::exists(target));
  // A missing folder clears nothing and fails nothing.
  EXPECT_EQ(
      platform::RemoveAbandonedTempFiles(QStringLiteral("/nonexistent-permiso-folder"), prefix), 0);
}

TEST(TempFile, AFolderThatCannotHoldItGivesTheSystemsReason) {
  try {
    (void)platform::CreateUniqueTempFile(QStringLiteral("/nonexistent-permiso-folder"),
                                         QStringLiteral("QRP"));
    FAIL() << "created";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "No such file or directory");
  }
}

TEST(TempFile, FolderFollowsTheEnvironmentWithoutATrailingSlash) {
  QTemporaryDir dir;
  const QByteArray saved = qgetenv("TMPDIR");
  qputenv("TMPDIR", (dir.path() + QStringLiteral("/")).toLocal8Bit());
  const QString folder = platform::TempFolder();
  if (saved.isNull())
    qunsetenv("TMPDIR");
  else
    qputenv("TMPDIR", saved);
  EXPECT_EQ(folder, dir.path());
}

}  // namespace
