#pragma once
// Folder test and creation behind one small interface; the real one is POSIX.
// Tests use the real one in a scratch home folder, or a fake that refuses.

#include <QString>

namespace platform {

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;
  virtual bool DirectoryExists(const QString& path) = 0;
  // Creates one folder level; its parent must exist. False when it could not
  // be created (parent missing, no permission, a file of that name).
  virtual bool CreateDirectory(const QString& path) = 0;
};

IFileSystem& FileSystem();

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
