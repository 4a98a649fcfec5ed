#pragma once
// The pages of one run or of one loaded prepared report file, kept in a
// TQRStream in the prepared report file layout: the header, then one linked
// record per page. Pages are appended while a run goes on and can be read at
// any time, in any order.
//
// Records are reached through their links; every record offset found once is
// kept, so reading a page costs at most one walk from the nearest known
// record, and nothing once the links have been walked. Links are checked as
// they are followed: a damaged or hostile file gives "Stream read error" (or
// "Metafile is not valid" from the metafile reader) for the page that cannot
// be read, and never a walk outside the file or round a loop.

#include <QByteArray>
#include <QString>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "PreparedHeader.h"
#include "TQRStream.h"

class TMetafile;

// What `qrptool info` and tests see of one record.
struct TPageRecordInfo {
  int number = 0;
  qint64 offset = 0;
  qint32 forwardLink = 0;
  qint32 backLink = 0;
  qint64 payloadSize = 0;   // bytes between the forward and the back link
  qint64 metafileSize = 0;  // the metafile's bytes: L when compressed
};

class TQRPageList {
 public:
  TQRPageList();
  ~TQRPageList();
  TQRPageList(const TQRPageList&) = delete;
  TQRPageList& operator=(const TQRPageList&) = delete;

  // A fresh store stream for a run; the count starts at 0.
  void AttachStream(std::unique_ptr<TQRStream> stream);
  // Frees any attached stream, opens the existing file (reading) and reads
  // its header: the compression switch follows it, the count is that of the
  // records the file holds (the header's, unless the records say otherwise).
  // The file is not changed. Throws EFOpenError, or EReadError for a file
  // too short for the header test.
  void AttachFile(const QString& fileName);
  // Frees the stream (deleting a temporary file, never a loaded one) and
  // resets the list.
  void DiscardStream();
  TQRStream* Stream() const { return stream_.get(); }

  // The stored count becomes 0.
  void Reset();
  int PageCount() const { return count_; }
  bool Compression() const { return compression_; }
  void SetCompression(bool on) { compression_ = on; }
  // 128, or 124 for a loaded file with the older header.
  int HeaderSize() const { return headerSize_; }
  // The header as read by AttachFile.
  const qrstore::TPreparedHeader& LoadedHeader() const { return loadedHeader_; }

  // Position 0: the header with the stored count, the current local time
  // and the compression switch; the position is left at 128.
  void WriteHeader();

  void AppendPage(const TMetafile& page);
  // Nothing when n is not a stored page; the stream is left at the start of
  // record n + 1.
  std::unique_ptr<TMetafile> ReadPage(int n);

  // The same two on the metafile's serialised bytes.
  void AppendPayload(const QByteArray& metafileBytes);
  std::optional<QByteArray> ReadPayload(int n);
  TPageRecordInfo RecordInfo(int n);

  // Creates the file afresh (replacing an existing one only once the copy is
  // complete) and copies the whole store into it. The file the store is read
  // from cannot be the target: EFCreateError.
  void CopyToFile(const QString& fileName);
  // EFCreateError when `fileName` is the file the store is read from.
  void RefuseOwnFile(const QString& fileName) const;

  std::recursive_mutex& Lock() const { return lock_; }

 private:
  struct THead {
    qint32 number;
    qint32 forward;
  };
  void WriteFirstHeader();
  int CountRecords(qint64 size);
  THead ReadHead(qint64 at, qint64 size);
  qint64 RecordOffset(int n);
  qint64 WalkForward(int n);
  std::optional<qint64> WalkBackward(int n);
  bool SeedTail();
  qint32 ReadI32At(qint64 at);
  QByteArray ExpandPayload(qint64 length);
  void ForgetIndex();

  mutable std::recursive_mutex lock_;
  std::unique_ptr<TQRStream> stream_;
  int count_ = 0;
  bool compression_ = false;
  int headerSize_ = qrstore::kHeaderSize;
  qrstore::TPreparedHeader loadedHeader_;
  // forward_[i] is the offset of record i + 1, tail_[i] that of record
  // count - i; both only hold records whose links have been checked.
  std::vector<qint64> forward_;
  std::vector<qint64> tail_;
  bool tailTried_ = false;
};
