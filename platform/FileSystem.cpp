#include "FileSystem.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "Errors.h"
#include "TempFile.h"

namespace platform {
namespace {

// The native path, or nothing when the text cannot be one: a NUL would cut
// the name short in the system call.
bool NativePath(const QString& path, QByteArray* native) {
  if (path.isEmpty() || path.contains(QChar(u'\0'))) return false;
  *native = QFile::encodeName(path);
  return true;
}

QString SystemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Moves `from` to `to` unless `to` exists; 0 or the errno of the refusal.
// Where the file system has no RENAME_NOREPLACE, a hard link gives the same
// promise: link() fails when the new name exists.
int MoveNoReplace(const QByteArray& from, const QByteArray& to) {
  if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
    return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  if (::link(from.constData(), to.constData()) != 0) return errno;
  if (::unlink(from.constData()) == 0) return 0;
  const int error = errno;
  ::unlink(to.constData());
  return error;
}

bool WriteAll(int fd, const QByteArray& bytes) {
  const char* data = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    left -= n;
  }
  return true;
}

// The hidden file a new file is written to before it takes its name. It is
// closed and removed when the scope ends, unless it was published.
class PendingFile {
 public:
  PendingFile(const QString& folder, const QString& target) {
    try {
      // Mode 0666: the new file gets the permissions any new file of the
      // user gets (the umask decides), as if it had been created directly.
      const TempFileHandle handle = CreateUniqueTempFile(folder, QStringLiteral(".new"), 0666);
      fd_ = handle.fd;
      native_ = QFile::encodeName(handle.path);
    } catch (const std::runtime_error& e) {
      throw EFCreateError(CannotCreateFileMessage(target, QString::fromLocal8Bit(e.what())));
    }
  }
  ~PendingFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!published_) ::unlink(native_.constData());
  }
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // Every byte written and on the disk: a full disk may refuse a write, the
  // flush or the close.
  bool WriteAndFlush(const QByteArray& bytes) {
    const bool written = WriteAll(fd_, bytes) && ::fsync(fd_) == 0;
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 && written;
  }
  // 0 when the file now has the name `target`, else the errno.
  int Publish(const QByteArray& target) {
    const int error = MoveNoReplace(native_, target);
    published_ = error == 0;
    return error;
  }

 private:
  int fd_ = -1;
  QByteArray native_;
  bool published_ = false;
};

bool IsDirectoryEntry(const QByteArray& native) {
  struct stat info {};
  return ::lstat(native.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

class PosixFileSystem final : public IFileSystem {
 public:
  bool DirectoryExists(const QString& path) override {
    struct stat info {};
    QByteArray native;
    return NativePath(path, &native) && ::stat(native.constData(), &info) == 0 &&
           S_ISDIR(info.st_mode);
  }

  bool CreateDirectory(const QString& path) override {
    QByteArray native;
    return NativePath(path, &native) && ::mkdir(native.constData(), 0777) == 0;
  }

  bool FileExists(const QString& path) override {
    struct stat info {};
    QByteArray native;
    return NativePath(path, &native) && ::lstat(native.constData(), &info) == 0 &&
           !S_ISDIR(info.st_mode);
  }

  bool RenameNoReplace(const QString& from, const QString& to) override {
    QByteArray nativeFrom, nativeTo;
    return NativePath(from, &nativeFrom) && NativePath(to, &nativeTo) &&
           MoveNoReplace(nativeFrom, nativeTo) == 0;
  }

  TNewFile CreateNewFile(const QString& path, const QByteArray& bytes) override {
    QByteArray native;
    const qsizetype slash = path.lastIndexOf(u'/');
    if (!NativePath(path, &native) || slash < 0 || slash == path.size() - 1)
      throw EFCreateError(CannotCreateFileMessage(path, SystemReason(EINVAL)));
    PendingFile pending(slash == 0 ? QStringLiteral("/") : path.left(slash), path);
    if (!pending.WriteAndFlush(bytes)) throw EWriteError();
    const int error = pending.Publish(native);
    if (error == 0) return TNewFile::Created;
    if (error == EEXIST && IsDirectoryEntry(native))
      throw EFCreateError(CannotCreateFileMessage(path, SystemReason(EISDIR)));
    if (error == EEXIST) return TNewFile::NameTaken;
    throw EFCreateError(CannotCreateFileMessage(path, SystemReason(error)));
  }
};

PosixFileSystem g_posixFileSystem;
IFileSystem* g_fileSystem = &g_posixFileSystem;

}  // namespace

IFileSystem& FileSystem() { return *g_fileSystem; }

QString NameTakenReason() { return SystemReason(EEXIST); }

ScopedFileSystem::ScopedFileSystem(IFileSystem* fileSystem) : previous_(g_fileSystem) {
  g_fileSystem = fileSystem ? fileSystem : &g_posixFileSystem;
}

ScopedFileSystem::~ScopedFileSystem() { g_fileSystem = previous_; }

}  // namespace platform
