#include "TQRStream.h"

#include <unistd.h>

#include <QFile>
#include <QIODevice>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "TempFile.h"

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

}  // namespace

EFCreateError CannotCreateFile(const QString& name, const QString& reason) {
  return EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(name, reason));
}

TQRStream::TQRStream(qint64 spillThreshold, const QString& tempFolder)
    : tempFolder_(tempFolder), spillThreshold_(spillThreshold) {}

TQRStream::~TQRStream() {
  // The temporary file goes while it is still open and so still held: no
  // other program can have taken its name meanwhile.
  if (!tempFileName_.isEmpty()) QFile::remove(tempFileName_);
  if (file_) file_->close();
  file_.reset();
}

int TQRStream::RemoveAbandonedStoreFiles(const QString& tempFolder) {
  return platform::RemoveAbandonedTempFiles(
      tempFolder.isEmpty() ? platform::TempFolder() : tempFolder, QLatin1String(kTempFilePrefix));
}

std::unique_ptr<TQRStream> TQRStream::CreateStore(qint64 spillThreshold,
                                                  const QString& tempFolder) {
  return std::unique_ptr<TQRStream>(
      new TQRStream(spillThreshold, tempFolder.isEmpty() ? platform::TempFolder() : tempFolder));
}

std::unique_ptr<TQRStream> TQRStream::OpenFile(const QString& fileName) {
  std::unique_ptr<TQRStream> s(new TQRStream(0, QString()));
  auto file = std::make_unique<QFile>(fileName);
  if (!file->open(QIODevice::ReadOnly | QIODevice::Unbuffered))
    throw EFOpenError(
        QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file->errorString()));
  s->file_ = std::move(file);
  s->inMemory_ = false;
  s->writable_ = false;
  return s;
}

QString TQRStream::FileName() const {
  Guard g(lock_);
  return file_ ? file_->fileName() : QString();
}

qint64 TQRStream::Read(void* buffer, qint64 count) {
  Guard g(lock_);
  if (count <= 0) return 0;
  if (inMemory_) {
    const qint64 n = std::min(count, static_cast<qint64>(memory_.size()) - memoryPos_);
    if (n <= 0) return 0;
    std::memcpy(buffer, memory_.constData() + memoryPos_, static_cast<std::size_t>(n));
    memoryPos_ += n;
    return n;
  }
  qint64 done = 0;
  char* out = static_cast<char*>(buffer);
  while (done < count) {
    const qint64 n = file_->read(out + done, count - done);
    if (n <= 0) break;
    done += n;
  }
  return done;
}

void TQRStream::ReadBuffer(void* buffer, qint64 count) {
  if (Read(buffer, count) != count) throw EReadError();
}

void TQRStream::ReadBufferAt(qint64 position, void* buffer, qint64 count) {
  Guard g(lock_);
  if (count <= 0) return;
  if (position < 0) throw EReadError();
  char* out = static_cast<char*>(buffer);
  if (inMemory_) {
    if (position > memory_.size() || count > memory_.size() - position) throw EReadError();
    std::memcpy(out, memory_.constData() + position, static_cast<std::size_t>(count));
    return;
  }
  qint64 done = 0;
  while (done < count) {
    const ssize_t n = ::pread(file_->handle(), out + done, static_cast<std::size_t>(count - done),
                              static_cast<off_t>(position + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw EReadError();
    done += n;
  }
}

void TQRStream::Write(const void* buffer, qint64 count) {
  Guard g(lock_);
  if (count <= 0) return;
  if (!writable_) throw EWriteError();
  if (!inMemory_) {
    if (file_->write(static_cast<const char*>(buffer), count) != count) throw EWriteError();
    return;
  }
  const qint64 end = memoryPos_ + count;
  if (end > memory_.size()) {
    if (end > std::numeric_limits<qsizetype>::max() / 2) throw EWriteError();
    memory_.resize(static_cast<qsizetype>(end));
  }
  std::memcpy(memory_.data() + memoryPos_, buffer, static_cast<std::size_t>(count));
  memoryPos_ = end;
  if (spillThreshold_ > 0 && memory_.size() > spillThreshold_) SpillToFile();
}

void TQRStream::SpillToFile() {
  platform::TempFileHandle handle;
  try {
    handle = platform::CreateUniqueTempFile(tempFolder_, QLatin1String(kTempFilePrefix));
  } catch (const std::runtime_error& e) {
    throw CannotCreateFile(
        tempFolder_ + QLatin1Char('/') + QLatin1String(kTempFilePrefix) + QStringLiteral(".TMP"),
        QString::fromLocal8Bit(e.what()));
  }
  auto file = std::make_unique<QFile>(handle.path);
  const bool ok = file->open(handle.fd, QIODevice::ReadWrite | QIODevice::Unbuffered,
                             QFileDevice::AutoCloseHandle) &&
                  file->write(memory_) == memory_.size() && file->seek(memoryPos_);
  if (!ok) {
    const QString reason = file->errorString();
    QFile::remove(handle.path);  // while still held, as in the destructor
    if (file->isOpen())
      file->close();
    else
      ::close(handle.fd);
    // The memory copy is kept, so the stream stays whole.
    throw CannotCreateFile(handle.path, reason);
  }
  file_ = std::move(file);
  tempFileName_ = handle.path;
  inMemory_ = false;
  memory_ = QByteArray();
  memoryPos_ = 0;
}

qint64 TQRStream::Seek(qint64 position) {
  Guard g(lock_);
  const qint64 target = std::clamp<qint64>(position, 0, Size());
  if (inMemory_) {
    memoryPos_ = target;
  } else if (!file_->seek(target)) {
    throw EReadError();
  }
  return target;
}

void TQRStream::Truncate(qint64 size) {
  Guard g(lock_);
  if (size < 0 || size >= Size()) return;
  if (!writable_) throw EWriteError();
  if (inMemory_) {
    memory_.truncate(static_cast<qsizetype>(size));
    memoryPos_ = std::min(memoryPos_, size);
  } else if (!file_->resize(size) || (file_->pos() > size && !file_->seek(size))) {
    throw EWriteError();
  }
}

qint64 TQRStream::Position() const {
  Guard g(lock_);
  return inMemory_ ? memoryPos_ : file_->pos();
}

qint64 TQRStream::Size() const {
  Guard g(lock_);
  return inMemory_ ? memory_.size() : file_->size();
}

void TQRStream::CopyTo(QIODevice& target) {
  Guard g(lock_);
  Seek(0);
  char block[kCopyBlockSize];
  for (;;) {
    const qint64 n = Read(block, kCopyBlockSize);
    if (n <= 0) break;
    if (target.write(block, n) != n) throw EWriteError();
  }
}
