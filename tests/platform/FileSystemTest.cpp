// The file operations on the real file system, in a scratch folder: folders,
// files that must be new, and renames that never replace.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "Errors.h"
#include "FileSystem.h"
#include "QtPrintTo.h"

namespace {

TEST(PosixFileSystem, CreatesOneLevelOnly) {
  QTemporaryDir scratch;
  ASSERT_TRUE(scratch.isValid());
  auto& fs = platform::FileSystem();
  const QString root = scratch.path();
  QFile blocker(root + "/Blocker");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();

  const struct {
    const char* name;
    bool created;
  } cases[] = {
      {"/Permiso", true},          {"/Permiso", false},  // already there
      {"/Missing/Permiso", false},                       // a single level: the parent must exist
      {"/Blocker", false},                               // a file in the way
      {"/Blocker/Permiso", false},                       // a file as the parent
  };
  for (const auto& c : cases) EXPECT_EQ(fs.CreateDirectory(root + c.name), c.created) << c.name;
  EXPECT_TRUE(fs.DirectoryExists(root + "/Permiso"));
  EXPECT_FALSE(fs.DirectoryExists(root + "/Blocker"));
  EXPECT_FALSE(fs.DirectoryExists(root + "/Missing"));
  EXPECT_FALSE(fs.DirectoryExists(QString()));
  EXPECT_FALSE(QDir(root + "/Missing").exists());
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(
      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

class NewFile : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(scratch_.isValid()); }
  QString Path(const char* name) const { return scratch_.path() + u'/' + QString::fromUtf8(name); }
  QTemporaryDir scratch_;
  platform::IFileSystem& fs_ = platform::FileSystem();
};

TEST_F(NewFile, AppearsWholeWithTheModeOfAnyNewFile) {
  const QByteArray bytes(70000, 'r');  // more than one write may take
  EXPECT_EQ(fs_.CreateNewFile(Path("ABCf0007.txt"), bytes), platform::TNewFile::Created);
  EXPECT_EQ(ReadAll(Path("ABCf0007.txt")), bytes);
  // What open() with 0666 gives under the user's umask.
  const int fd = ::open(QFile::encodeName(Path("plain")).constData(), O_CREAT | O_WRONLY, 0666);
  ASSERT_GE(fd, 0);
  ::close(fd);
  struct stat made {
  }, plain{};
  ASSERT_EQ(::stat(QFile::encodeName(Path("ABCf0007.txt")).constData(), &made), 0);
  ASSERT_EQ(::stat(QFile::encodeName(Path("plain")).constData(), &plain), 0);
  EXPECT_EQ(made.st_mode & 0777, plain.st_mode & 0777);
  EXPECT_EQ(Entries(scratch_.path()),
            (QStringList{"ABCf0007.txt", "plain"}));  // nothing hidden left
  // An empty file is a file too.
  EXPECT_EQ(fs_.CreateNewFile(Path("empty"), {}), platform::TNewFile::Created);
  EXPECT_EQ(QFileInfo(Path("empty")).size(), 0);
}

TEST_F(NewFile, NameTakenLeavesWhatHasTheName) {
  QFile existing(Path("taken.txt"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.write("first");
  existing.close();
  const QString elsewhere = Path("elsewhere");
  ASSERT_EQ(::symlink(QFile::encodeName(elsewhere).constData(),
                      QFile::encodeName(Path("link.txt")).constData()),
            0);
  EXPECT_EQ(fs_.CreateNewFile(Path("taken.txt"), "second"), platform::TNewFile::NameTaken);
  EXPECT_EQ(ReadAll(Path("taken.txt")), QByteArray("first"));
  // A dangling link is a name taken, never followed.
  EXPECT_EQ(fs_.CreateNewFile(Path("link.txt"), "second"), platform::TNewFile::NameTaken);
  EXPECT_FALSE(QFileInfo::exists(elsewhere));
  EXPECT_EQ(Entries(scratch_.path()), (QStringList{"link.txt", "taken.txt"}));
}

TEST_F(NewFile, CannotCreateGivesTheSystemsReasonAndLeavesNothing) {
  ASSERT_TRUE(QDir().mkdir(Path("folder")));
  const struct {
    const char* name;
    const char* reason;
  } cases[] = {
      {"folder", "Is a directory"},
      {"missing/x.txt", "No such file or directory"},
      {"folder/", "Invalid argument"},  // no file name at all
  };
  for (const auto& c : cases) {
    try {
      fs_.CreateNewFile(Path(c.name), "bytes");
      ADD_FAILURE() << c.name << ": no error";
    } catch (const EFCreateError& e) {
      EXPECT_EQ(e.Message(), QStringLiteral("Cannot create file \"%1\". %2")
                                 .arg(Path(c.name), QString::fromUtf8(c.reason)));
    }
  }
  EXPECT_EQ(Entries(scratch_.path()), QStringList{"folder"});
  EXPECT_TRUE(Entries(Path("folder")).isEmpty());
}

TEST_F(NewFile, ExistenceAndRenameWithoutReplacing) {
  QFile a(Path("a"));
  ASSERT_TRUE(a.open(QIODevice::WriteOnly));
  a.write("A");
  a.close();
  QFile b(Path("b"));
  ASSERT_TRUE(b.open(QIODevice::WriteOnly));
  b.write("B");
  b.close();
  ASSERT_TRUE(QDir().mkdir(Path("dir")));
  ASSERT_EQ(::symlink("nowhere", QFile::encodeName(Path("dangling")).constData()), 0);
  const struct {
    const char* name;
    bool exists;
  } existence[] = {{"a", true}, {"dir", false}, {"dangling", true}, {"none", false}};
  for (const auto& c : existence) EXPECT_EQ(fs_.FileExists(Path(c.name)), c.exists) << c.name;

  EXPECT_FALSE(fs_.RenameNoReplace(Path("a"), Path("b")));  // never replaces
  EXPECT_EQ(ReadAll(Path("a")), QByteArray("A"));
  EXPECT_EQ(ReadAll(Path("b")), QByteArray("B"));
  EXPECT_TRUE(fs_.RenameNoReplace(Path("a"), Path("c")));
  EXPECT_EQ(ReadAll(Path("c")), QByteArray("A"));
  EXPECT_FALSE(fs_.RenameNoReplace(Path("a"), Path("d")));  // gone already
}

}  // namespace
