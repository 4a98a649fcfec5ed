// Folder test and creation on the real file system, in a scratch folder.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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

}  // namespace
