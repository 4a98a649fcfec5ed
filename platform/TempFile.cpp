#include "TempFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace platform {

namespace {

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The file open on `fd` is still the one named `name` in the folder `dirFd`.
bool StillNamed(int fd, int dirFd, const char* name) {
  struct stat open {};
  struct stat named {};
  return ::fstat(fd, &open) == 0 && ::fstatat(dirFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
         SameFile(open, named);
}

}  // namespace

QString TempFolder() {
  QString dir = QDir::tempPath();
  while (dir.size() > 1 && dir.endsWith(QLatin1Char('/'))) dir.chop(1);
  return dir;
}

TempFileHandle CreateUniqueTempFile(const QString& folder, const QString& prefix, unsigned mode) {
  // Like the Windows call: a 16-bit counter seeded at random, tried until a
  // name is free.
  const quint32 start = QRandomGenerator::global()->bounded(0x10000u);
  int error = EEXIST;
  for (quint32 i = 0; i < 0x10000u; ++i) {
    const quint32 n = (start + i) & 0xFFFFu;
    const QString path = folder + QLatin1Char('/') + prefix + QString::number(n, 16).toUpper() +
                         QStringLiteral(".TMP");
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC,
                          static_cast<mode_t>(mode));
    if (fd < 0) {
      error = errno;  // before anything else can change it
      if (error != EEXIST) break;
      continue;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      // A program sweeping the folder may have taken the new file for an
      // abandoned one and deleted it just before the lock: then the name is
      // no longer ours.
      const int dirFd =
          ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      const QByteArray name = QFile::encodeName(path.mid(folder.size() + 1));
      const bool ours = dirFd >= 0 && StillNamed(fd, dirFd, name.constData());
      if (dirFd >= 0) ::close(dirFd);
      if (ours) return {fd, path};
    } else if (errno != EWOULDBLOCK) {
      // A file system without locks: the file works unheld, and no sweep
      // can lock it either, so none will delete it.
      return {fd, path};
    }
    // A sweeping program holds it and deletes it; another name.
    ::close(fd);
  }
  throw std::runtime_error(std::strerror(error));
}

int RemoveAbandonedTempFiles(const QString& folder, const QString& prefix) {
  const QRegularExpression pattern(
      QStringLiteral("^%1[0-9A-F]{1,8}\\.TMP$").arg(QRegularExpression::escape(prefix)));
  DIR* dir = ::opendir(QFile::encodeName(folder).constData());
  if (dir == nullptr) return 0;
  const int dirFd = ::dirfd(dir);
  const uid_t me = ::geteuid();
  int removed = 0;
  while (const dirent* entry = ::readdir(dir)) {
    if (!pattern.match(QFile::decodeName(entry->d_name)).hasMatch()) continue;
    // Not through a link, and never waiting on a pipe that bears the name.
    const int fd =
        ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st {};
    const bool candidate = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == me;
    // Held by a running program: its lock refuses ours at once.
    if (candidate && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(fd, dirFd, entry->d_name) &&
        ::unlinkat(dirFd, entry->d_name, 0) == 0)
      ++removed;
    ::close(fd);
  }
  ::closedir(dir);
  return removed;
}

}  // namespace platform
