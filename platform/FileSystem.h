#pragma once
// The file operations of the program behind one small interface; the real
// one is POSIX. Tests use the real one in a scratch folder, or wrap it to
// make another process's step happen at a chosen moment.

#include <QByteArray>
#include <QString>

namespace platform {

// What creating a file that must be new came to.
enum class TNewFile {
  Created,    // the file is there, whole, under its name
  NameTaken,  // something already had the name; nothing was written
};

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;
  virtual bool DirectoryExists(const QString& path) = 0;
  // Creates one folder level; its parent must exist. False when it could not
  // be created (parent missing, no permission, a file of that name).
  virtual bool CreateDirectory(const QString& path) = 0;

  // True when something other than a folder has this name. A symbolic link
  // counts as a file, dangling or not; it is never followed.
  virtual bool FileExists(const QString& path) = 0;

  // Renames `from` to `to` only when nothing has the name `to`; never
  // replaces. False on any refusal of the file system.
  virtual bool RenameNoReplace(const QString& from, const QString& to) = 0;

  // Creates the file `path` holding exactly `bytes`, whole or not at all:
  // the bytes go to a new hidden file in the same folder (".new" + hex +
  // ".TMP"), are flushed to the disk, and that file then takes the name in
  // one step that fails when the name exists. Another process writing the
  // same name at the same moment therefore never truncates, replaces or
  // interleaves with it. On every path the hidden file is gone afterwards.
  // Throws EFCreateError ("Cannot create file "<path>". <reason>") when the
  // file cannot be made (also for a folder of that name) and EWriteError
  // ("Stream write error") when the bytes do not all reach the disk; then
  // nothing is left under either name.
  virtual TNewFile CreateNewFile(const QString& path, const QByteArray& bytes) = 0;
};

IFileSystem& FileSystem();

// The system's words for a name that is taken ("File exists").
QString NameTakenReason();

class ScopedFileSystem {
 public:
  explicit ScopedFileSystem(IFileSystem* fileSystem);
  ~ScopedFileSystem();
  ScopedFileSystem(const ScopedFileSystem&) = delete;
  ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

 private:
  IFileSystem* previous_;
};

}  // namespace platform
