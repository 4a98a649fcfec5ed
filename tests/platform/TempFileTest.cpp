// Temporary files for spilled page stores: "QRP" + hexadecimal digits +
// ".TMP" in the temporary folder, each one new and the caller's alone.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
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
