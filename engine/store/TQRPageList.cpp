#include "TQRPageList.h"

#include <QFileInfo>
#include <QSaveFile>

#include "EmfLayout.h"
#include "Errors.h"
#include "LittleEndian.h"
#include "Metafile.h"
#include "PageRecord.h"
#include "TQRCompress.h"

using namespace qrstore;

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

// Smallest file the header size test can read its 4 bytes from.
constexpr qint64 kProbeEnd = kHeaderProbeOffset + kHeaderProbeSize;

// Bytes decoded between two looks at what the page has become: few at
// first, so that bits that do not begin a metafile are found at once.
constexpr qint64 kFirstExpansionStep = 256;
constexpr qint64 kLastExpansionStep = 1 << 20;

bool SameFile(const QString& a, const QString& b) {
  if (a.isEmpty() || b.isEmpty()) return false;
  const QFileInfo fa(a), fb(b);
  return fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath();
}

// Record `number` starting at offset `start`: head, payload (plain, or the
// count L and the coder's bits) and back link. EWriteError when the store
// would outgrow its 32-bit offsets.
QByteArray EncodeRecord(int number, qint64 start, const QByteArray& metafileBytes,
                        bool compressed) {
  if (metafileBytes.size() > kMaxStoreSize) throw EWriteError();
  QByteArray record(kRecordHeadSize, Qt::Uninitialized);
  if (compressed) {
    record.resize(kRecordHeadSize + kExpandedCountSize);
    PutI32(reinterpret_cast<unsigned char*>(record.data()) + kRecordPayloadAt,
           static_cast<std::int32_t>(metafileBytes.size()));
    TQRCompress coder(record);
    coder.Encode(reinterpret_cast<const unsigned char*>(metafileBytes.constData()),
                 static_cast<std::size_t>(metafileBytes.size()));
    coder.Finish();
  } else {
    record.append(metafileBytes);
  }
  const qint64 end = start + record.size() + kBackLinkSize;
  if (end > kMaxStoreSize) throw EWriteError();
  auto* head = reinterpret_cast<unsigned char*>(record.data());
  PutI32(head + kRecordNumberAt, number);
  PutI32(head + kRecordForwardAt, static_cast<std::int32_t>(end));
  unsigned char back[kBackLinkSize];
  PutI32(back, static_cast<std::int32_t>(start));
  record.append(reinterpret_cast<const char*>(back), kBackLinkSize);
  return record;
}

}  // namespace

TQRPageList::TQRPageList() = default;
TQRPageList::~TQRPageList() = default;

void TQRPageList::ForgetIndex() {
  forward_.clear();
  tail_.clear();
  tailTried_ = false;
}

void TQRPageList::AttachStream(std::unique_ptr<TQRStream> stream) {
  Guard g(lock_);
  stream_ = std::move(stream);
  headerSize_ = kHeaderSize;
  loadedHeader_ = TPreparedHeader();
  Reset();
}

void TQRPageList::DiscardStream() {
  Guard g(lock_);
  stream_.reset();
  Reset();
}

void TQRPageList::Reset() {
  Guard g(lock_);
  count_ = 0;
  ForgetIndex();
}

void TQRPageList::AttachFile(const QString& fileName) {
  Guard g(lock_);
  DiscardStream();
  std::unique_ptr<TQRStream> s = TQRStream::OpenFile(fileName);
  const qint64 size = s->Size();
  unsigned char bytes[kHeaderSize];
  int headerSize;
  if (size >= kProbeEnd) {
    unsigned char probe[kHeaderProbeSize];
    s->Seek(kHeaderProbeOffset);
    s->ReadBuffer(probe, kHeaderProbeSize);
    headerSize = HeaderSizeFromProbe(probe);
  } else {
    // Too short for the test, and for any page record: only a saved store
    // of a run that made no page fits here, and that one loads as empty.
    headerSize = size >= kHeaderSize ? kHeaderSize : kOldHeaderSize;
    if (size < headerSize) throw EReadError();
    s->Seek(0);
    s->ReadBuffer(bytes, headerSize);
    if (DecodeHeader(bytes, headerSize).pageCount != 0) throw EReadError();
  }
  s->Seek(0);
  s->ReadBuffer(bytes, headerSize);
  loadedHeader_ = DecodeHeader(bytes, headerSize);
  stream_ = std::move(s);
  headerSize_ = headerSize;
  count_ = std::max(loadedHeader_.pageCount, 0);
  compression_ = loadedHeader_.compressed;
  ForgetIndex();
  // Only a file long enough for the header test can hold a record to count.
  if (size >= kProbeEnd) count_ = CountRecords(size);
}

// The header's count is only a claim: a file cut short, or written by a run
// that stopped before its last header, holds another number of records. The
// forward links are walked once, reading the 8 bytes of each record's head,
// and the records found whole become the count. The header's count stands
// only when the chain breaks in the middle (a damaged record) and the last
// record, reached through the back link at the end of the file, confirms it:
// every page either chain reaches stays readable then.
int TQRPageList::CountRecords(qint64 size) {
  int found = 0;
  qint64 at = headerSize_;
  unsigned char b[kRecordHeadSize];
  while (at + kRecordOverhead <= size) {
    stream_->ReadBufferAt(at, b, kRecordHeadSize);
    const qint32 number = GetI32(b + kRecordNumberAt);
    const qint32 forward = GetI32(b + kRecordForwardAt);
    if (number != found + 1 || forward < at + kRecordOverhead || forward > size) break;
    ++found;
    at = forward;
  }
  if (at == size) return found;
  const qint64 claimed = std::max(loadedHeader_.pageCount, 0);
  if (claimed <= found) return found;
  try {
    const qint64 last = ReadI32At(size - kBackLinkSize);
    // Room for the records the chain did not reach, 12 bytes each at least.
    if (last < at + (claimed - found - 1) * kRecordOverhead) return found;
    const THead h = ReadHead(last, size);
    if (h.number == claimed && h.forward == size) return static_cast<int>(claimed);
  } catch (const EReadError&) {
  }
  return found;
}

void TQRPageList::WriteHeader() {
  Guard g(lock_);
  if (!stream_) throw EWriteError();
  TPreparedHeader h;
  h.pageCount = count_;
  h.date = DaysSince1899(QDateTime::currentDateTime());
  h.compressed = compression_;
  const THeaderBytes bytes = EncodeHeader(h);
  stream_->Seek(0);
  stream_->Write(bytes.data(), kHeaderSize);
}

void TQRPageList::AppendPayload(const QByteArray& metafileBytes) {
  Guard g(lock_);
  if (!stream_) throw EWriteError();
  // Records are only ever appended to a store this list wrote itself, whose
  // offsets are all known.
  if (forward_.size() != static_cast<std::size_t>(count_)) throw EWriteError();
  if (count_ == 0) WriteFirstHeader();
  const qint64 start = stream_->Size();
  const QByteArray record = EncodeRecord(count_ + 1, start, metafileBytes, compression_);
  stream_->Seek(start);
  try {
    stream_->Write(record.constData(), record.size());
  } catch (...) {
    // A page that is not stored whole is not stored at all.
    try {
      stream_->Truncate(start);
    } catch (const EError&) {
    }
    throw;
  }
  forward_.push_back(start);
  ++count_;
  tail_.clear();
  tailTried_ = false;
}

// The store is a whole file from its first page on: the header counts that
// page before the page itself is written.
void TQRPageList::WriteFirstHeader() {
  ++count_;
  try {
    WriteHeader();
  } catch (...) {
    --count_;
    throw;
  }
  --count_;
}

qint32 TQRPageList::ReadI32At(qint64 at) {
  unsigned char b[4];
  if (at < 0 || stream_->Seek(at) != at) throw EReadError();
  stream_->ReadBuffer(b, 4);
  return GetI32(b);
}

TQRPageList::THead TQRPageList::ReadHead(qint64 at, qint64 size) {
  if (at < headerSize_ || at + kRecordOverhead > size) throw EReadError();
  unsigned char b[kRecordHeadSize];
  stream_->Seek(at);
  stream_->ReadBuffer(b, kRecordHeadSize);
  const THead h{GetI32(b + kRecordNumberAt), GetI32(b + kRecordForwardAt)};
  if (h.forward < at + kRecordOverhead || h.forward > size) throw EReadError();
  return h;
}

qint64 TQRPageList::WalkForward(int n) {
  const qint64 size = stream_->Size();
  if (forward_.empty()) {
    if (ReadHead(headerSize_, size).number != 1) throw EReadError();
    forward_.push_back(headerSize_);
  }
  THead current = ReadHead(forward_.back(), size);
  while (forward_.size() < static_cast<std::size_t>(n)) {
    const int k = static_cast<int>(forward_.size());
    const qint64 next = current.forward;
    current = ReadHead(next, size);
    if (current.number != k + 1) throw EReadError();
    forward_.push_back(next);
  }
  return forward_[static_cast<std::size_t>(n - 1)];
}

bool TQRPageList::SeedTail() {
  if (tailTried_) return !tail_.empty();
  tailTried_ = true;
  const qint64 size = stream_->Size();
  try {
    if (size < headerSize_ + kRecordOverhead) return false;
    const qint64 last = ReadI32At(size - kBackLinkSize);
    const THead h = ReadHead(last, size);
    if (h.number != count_ || h.forward != size) return false;
    tail_.push_back(last);
  } catch (const EReadError&) {
    return false;
  }
  return true;
}

std::optional<qint64> TQRPageList::WalkBackward(int n) {
  const qint64 size = stream_->Size();
  try {
    while (count_ - static_cast<int>(tail_.size()) + 1 > n) {
      const qint64 at = tail_.back();
      const int k = count_ - static_cast<int>(tail_.size()) + 1;
      const qint64 prev = ReadI32At(at - kBackLinkSize);
      if (prev > at - kRecordOverhead) throw EReadError();
      const THead h = ReadHead(prev, size);
      if (h.number != k - 1 || h.forward != at) throw EReadError();
      tail_.push_back(prev);
    }
  } catch (const EReadError&) {
    return std::nullopt;  // the forward links may still lead there
  }
  return tail_[static_cast<std::size_t>(count_ - n)];
}

qint64 TQRPageList::RecordOffset(int n) {
  const qint64 known = static_cast<qint64>(forward_.size());
  if (n <= known) return forward_[static_cast<std::size_t>(n - 1)];
  const bool tail = SeedTail();
  // 64 bits: a hostile count may be the largest int.
  const qint64 firstInTail = qint64(count_) - qint64(tail_.size()) + 1;
  if (tail && n >= firstInTail) return tail_[static_cast<std::size_t>(count_ - n)];
  // The shorter walk first; a broken link on one side may leave the other
  // side whole, so a page is lost only when neither chain reaches it.
  if (tail && firstInTail - n < n - known) {
    if (const auto at = WalkBackward(n)) return *at;
    return WalkForward(n);
  }
  try {
    return WalkForward(n);
  } catch (const EReadError&) {
    if (tail)
      if (const auto at = WalkBackward(n)) return *at;
    throw;
  }
}

std::optional<QByteArray> TQRPageList::ReadPayload(int n) {
  Guard g(lock_);
  if (!stream_ || n < 1 || n > count_) return std::nullopt;
  const qint64 at = RecordOffset(n);
  const qint64 size = stream_->Size();
  const THead head = ReadHead(at, size);
  if (head.number != n || ReadI32At(head.forward - kBackLinkSize) != at) throw EReadError();
  const qint64 length = head.forward - kBackLinkSize - (at + kRecordPayloadAt);
  stream_->Seek(at + kRecordPayloadAt);
  if (!compression_) {
    QByteArray region(static_cast<qsizetype>(length), Qt::Uninitialized);
    stream_->ReadBuffer(region.data(), length);
    stream_->Seek(head.forward);
    return region;
  }
  QByteArray out = ExpandPayload(length);
  stream_->Seek(head.forward);
  return out;
}

// A compressed payload of `length` bytes at the stream's position: the
// count L, then the coder's bits. The claim is checked against what the
// payload can hold before anything is set aside for it, the bits are read a
// block at a time, and the page grows as it is decoded and stops at the
// first byte that cannot be part of a metafile, so that a damaged or
// hostile record costs in proportion to what is read of it.
QByteArray TQRPageList::ExpandPayload(qint64 length) {
  if (length < kExpandedCountSize) throw EReadError();
  unsigned char count[kExpandedCountSize];
  stream_->ReadBuffer(count, kExpandedCountSize);
  const qint64 expanded = GetI32(count);
  qint64 unread = length - kExpandedCountSize;
  if (expanded < 0 || expanded > MaxExpandedBytes(unread)) throw EReadError();
  TQRCompress coder([this, &unread](unsigned char* buffer, std::size_t capacity) {
    const qint64 n = std::min<qint64>(unread, static_cast<qint64>(capacity));
    if (n <= 0) return std::size_t{0};
    stream_->ReadBuffer(buffer, n);
    unread -= n;
    return static_cast<std::size_t>(n);
  });
  emf::TEmfPrefixCheck check(static_cast<std::uint64_t>(expanded));
  QByteArray out;
  qint64 decoded = 0;
  qint64 step = kFirstExpansionStep;
  while (decoded < static_cast<qint64>(check.Total())) {
    const qint64 total = static_cast<qint64>(check.Total());
    const qint64 n = std::min(step, total - decoded);
    if (out.size() < decoded + n)
      out.resize(static_cast<qsizetype>(std::min(total, std::max(decoded + n, 2 * out.size()))));
    coder.Decode(reinterpret_cast<unsigned char*>(out.data()) + decoded,
                 static_cast<std::size_t>(n));
    decoded += n;
    if (!check.Accepts(out.constData(), static_cast<std::uint64_t>(decoded)))
      throw EInvalidGraphic(MetafileNotValidMessage());
    step = std::min(2 * step, kLastExpansionStep);
  }
  out.resize(static_cast<qsizetype>(decoded));
  return out;
}

void TQRPageList::AppendPage(const TMetafile& page) { AppendPayload(page.ToBytes()); }

std::unique_ptr<TMetafile> TQRPageList::ReadPage(int n) {
  Guard g(lock_);
  std::optional<QByteArray> bytes = ReadPayload(n);
  if (!bytes) return nullptr;
  return std::make_unique<TMetafile>(TMetafile::FromBytes(*bytes));
}

TPageRecordInfo TQRPageList::RecordInfo(int n) {
  Guard g(lock_);
  if (!stream_ || n < 1 || n > count_) throw EReadError();
  TPageRecordInfo info;
  info.offset = RecordOffset(n);
  const THead head = ReadHead(info.offset, stream_->Size());
  info.number = head.number;
  info.forwardLink = head.forward;
  info.backLink = ReadI32At(head.forward - kBackLinkSize);
  info.payloadSize = head.forward - kBackLinkSize - (info.offset + kRecordPayloadAt);
  info.metafileSize = info.payloadSize;
  if (compression_)
    info.metafileSize =
        info.payloadSize >= kExpandedCountSize ? ReadI32At(info.offset + kRecordPayloadAt) : -1;
  return info;
}

// The file the pages are read from is held open, as a file in use is on
// Windows: nothing is written over it.
void TQRPageList::RefuseOwnFile(const QString& fileName) const {
  Guard g(lock_);
  if (stream_ && SameFile(fileName, stream_->FileName()))
    throw CannotCreateFile(fileName, QStringLiteral("The process cannot access the file because "
                                                    "it is being used by another process."));
}

void TQRPageList::CopyToFile(const QString& fileName) {
  Guard g(lock_);
  if (!stream_) throw EWriteError();
  RefuseOwnFile(fileName);
  // Written beside the target and renamed over it at the end, so that a copy
  // that fails half-way leaves any earlier file as it was.
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) throw CannotCreateFile(fileName, file.errorString());
  stream_->CopyTo(file);
  if (!file.commit()) throw CannotCreateFile(fileName, file.errorString());
}
