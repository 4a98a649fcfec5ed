#pragma once
// One seekable byte stream held in memory or in a file. A store stream for a
// run starts in memory and, at the first write that takes it past its spill
// threshold, moves to a new exclusive temporary file "QRP<hex>.TMP" and stays
// there; that file is held (see platform::CreateUniqueTempFile) while the
// stream lives and is deleted when the stream is destroyed. A stream opened
// on an existing prepared report file reads it and never deletes it.
//
// Every operation holds the stream's re-entrant lock.

#include <QByteArray>
#include <QString>
#include <memory>
#include <mutex>

#include "Errors.h"

class QFile;
class QIODevice;

// The platform's error for a file that cannot be made:
// "Cannot create file "<name>". <reason>".
EFCreateError CannotCreateFile(const QString& name, const QString& reason);

class TQRStream {
 public:
  static constexpr qint64 kStoreSpillThreshold = 100000;
  static constexpr qint64 kCopyBlockSize = 10240;
  static constexpr char kTempFilePrefix[] = "QRP";

  // A store stream in memory; `spillThreshold` 0 means never spill.
  // `tempFolder` empty means the system's temporary folder.
  static std::unique_ptr<TQRStream> CreateStore(qint64 spillThreshold = kStoreSpillThreshold,
                                                const QString& tempFolder = QString());
  // Deletes the temporary files of stores whose program was killed before
  // it could delete them, in `tempFolder` (empty: the system's temporary
  // folder); the files of running programs stay. Returns how many went.
  static int RemoveAbandonedStoreFiles(const QString& tempFolder = QString());
  // Opens an existing file for reading. Throws EFOpenError
  // "Cannot open file "<name>". <reason>".
  static std::unique_ptr<TQRStream> OpenFile(const QString& fileName);

  ~TQRStream();
  TQRStream(const TQRStream&) = delete;
  TQRStream& operator=(const TQRStream&) = delete;

  // Up to `count` bytes at the position; returns how many were read.
  qint64 Read(void* buffer, qint64 count);
  // Exactly `count` bytes or EReadError.
  void ReadBuffer(void* buffer, qint64 count);
  // Exactly `count` bytes from `position` or EReadError; the position stays
  // where it was. One system call on a file, for walks over many records.
  void ReadBufferAt(qint64 position, void* buffer, qint64 count);
  // All bytes or EWriteError; may move the stream to its temporary file
  // (EFCreateError when that file cannot be made; nothing is lost then).
  void Write(const void* buffer, qint64 count);
  // Positions beyond the end are clamped to it; returns the new position.
  qint64 Seek(qint64 position);
  qint64 Position() const;
  // Cuts the stream back to `size` bytes (a record that could not be stored
  // whole is taken out again); the position moves to the new end if beyond.
  void Truncate(qint64 size);
  qint64 Size() const;

  // From position 0 in blocks of kCopyBlockSize; the position ends at the
  // end. Throws EWriteError when the target refuses a block.
  void CopyTo(QIODevice& target);

  bool InMemory() const { return inMemory_; }
  // The temporary file the stream moved to, empty otherwise.
  const QString& TempFileName() const { return tempFileName_; }
  // The file a stream was opened on, or its temporary file; empty in memory.
  QString FileName() const;

  std::recursive_mutex& Lock() const { return lock_; }

 private:
  TQRStream(qint64 spillThreshold, const QString& tempFolder);
  void SpillToFile();

  mutable std::recursive_mutex lock_;
  bool inMemory_ = true;
  QByteArray memory_;
  qint64 memoryPos_ = 0;
  std::unique_ptr<QFile> file_;
  QString tempFileName_;
  QString tempFolder_;
  qint64 spillThreshold_ = 0;
  bool writable_ = true;
};
