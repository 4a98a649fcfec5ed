#include "TempFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace platform {

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
    if (fd >= 0) return {fd, path};
    error = errno;  // before anything else can change it
    if (error != EEXIST) break;
  }
  throw std::runtime_error(std::strerror(error));
}

}  // namespace platform
