#include "RecordFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "Errors.h"

namespace permit {
namespace {

// The native path, or nothing when the text cannot be one.
bool NativePath(const QString& path, QByteArray* native) {
  if (path.contains(QChar(u'\0'))) return false;
  *native = QFile::encodeName(path);
  return true;
}

// The system's own words, except for a lock held elsewhere, whose generic
// "Resource temporarily unavailable" would not tell the user what to do.
QString SystemReason(int error) {
  if (error == EWOULDBLOCK) return QStringLiteral("The file is in use by another process");
  return QString::fromLocal8Bit(std::strerror(error));
}

// Closes the descriptor whatever way the write ends.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and reports whether the system accepted the close: on some
  // file systems a failed write shows only here.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

int OpenForRecord(const QByteArray& native) {
  int fd;
  do {
    fd = ::open(native.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// Only a regular file has a length to cut; a device or pipe is written as is.
bool Emptied(int fd) {
  struct stat st;
  if (::fstat(fd, &st) != 0) return false;
  return !S_ISREG(st.st_mode) || ::ftruncate(fd, 0) == 0;
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

// Where the file system has no RENAME_NOREPLACE, a hard link gives the same
// promise: link() fails when the new name exists.
bool LinkThenUnlink(const QByteArray& from, const QByteArray& to) {
  if (::link(from.constData(), to.constData()) != 0) return false;
  if (::unlink(from.constData()) == 0) return true;
  ::unlink(to.constData());
  return false;
}

}  // namespace

QString CannotCreateFileMessage(const QString& path, const QString& reason) {
  return QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason);
}

bool IsExistingFile(const QString& path) {
  QByteArray native;
  struct stat st;
  return NativePath(path, &native) && ::stat(native.constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool RenameNoReplace(const QString& from, const QString& to) {
  QByteArray nativeFrom, nativeTo;
  if (!NativePath(from, &nativeFrom) || !NativePath(to, &nativeTo)) return false;
  if (::renameat2(AT_FDCWD, nativeFrom.constData(), AT_FDCWD, nativeTo.constData(),
                  RENAME_NOREPLACE) == 0)
    return true;
  if (errno == EINVAL || errno == ENOSYS) return LinkThenUnlink(nativeFrom, nativeTo);
  return false;
}

void WriteWholeFile(const QString& path, const QByteArray& bytes) {
  QByteArray native;
  if (!NativePath(path, &native))
    throw EFCreateError(CannotCreateFileMessage(path, SystemReason(EINVAL)));
  FileDescriptor file(OpenForRecord(native));
  // No sharing while open: a file another writer holds locked is "in use",
  // and it is refused before anything of it is emptied.
  if (file.get() < 0 || ::flock(file.get(), LOCK_EX | LOCK_NB) != 0 || !Emptied(file.get())) {
    const int error = errno;
    throw EFCreateError(CannotCreateFileMessage(path, SystemReason(error)));
  }
  if (!WriteAll(file.get(), bytes)) throw EWriteError();
  if (!file.Close()) throw EWriteError();
}

}  // namespace permit
