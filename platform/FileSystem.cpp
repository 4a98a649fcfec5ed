#include "FileSystem.h"

#include <sys/stat.h>

#include <QFile>

namespace platform {
namespace {

class PosixFileSystem final : public IFileSystem {
 public:
  bool DirectoryExists(const QString& path) override {
    struct stat info {};
    const QByteArray native = QFile::encodeName(path);
    return !native.isEmpty() && ::stat(native.constData(), &info) == 0 && S_ISDIR(info.st_mode);
  }

  bool CreateDirectory(const QString& path) override {
    const QByteArray native = QFile::encodeName(path);
    return !native.isEmpty() && ::mkdir(native.constData(), 0777) == 0;
  }
};

PosixFileSystem g_posixFileSystem;
IFileSystem* g_fileSystem = &g_posixFileSystem;

}  // namespace

IFileSystem& FileSystem() { return *g_fileSystem; }

ScopedFileSystem::ScopedFileSystem(IFileSystem* fileSystem) : previous_(g_fileSystem) {
  g_fileSystem = fileSystem ? fileSystem : &g_posixFileSystem;
}

ScopedFileSystem::~ScopedFileSystem() { g_fileSystem = previous_; }

}  // namespace platform
