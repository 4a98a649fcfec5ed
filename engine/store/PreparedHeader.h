#pragma once
// The header of a prepared report file (and of every page store, which has
// the same layout). Only the fields a reader uses or a writer sets are kept;
// the reserved bytes are written as zeros and ignored when read.
//
// 128-byte header (current):        124-byte header (older, read only):
//   +0   u16  format version (3)      +0   u16
//   +2   u16  writer version (309)    +2   u16
//   +8   i32  page count              +8   i32
//   +16  f64  date, days since        +12  f64
//             30 Dec 1899, local
//   +25  u8   compression (1/0)       +21  u8
//   everything else reserved

#include <QByteArray>
#include <QDateTime>
#include <array>
#include <cstdint>

namespace qrstore {

inline constexpr int kHeaderSize = 128;
inline constexpr int kOldHeaderSize = 124;
inline constexpr std::uint16_t kFormatVersion = 3;
inline constexpr std::uint16_t kWriterVersion = 309;

// Where the header size test looks: in an uncompressed file the first
// metafile's " EMF" signature lets "EMF" stand at 173 after a 124-byte header
// (177 after a 128-byte one).
inline constexpr int kHeaderProbeOffset = 173;
inline constexpr int kHeaderProbeSize = 4;

struct TPreparedHeader {
  std::uint16_t formatVersion = kFormatVersion;
  std::uint16_t writerVersion = kWriterVersion;
  std::int32_t pageCount = 0;
  double date = 0;  // days since 30 December 1899 plus the fraction of the day
  bool compressed = false;
};

using THeaderBytes = std::array<unsigned char, kHeaderSize>;

THeaderBytes EncodeHeader(const TPreparedHeader& header);

// Decodes a 128-byte header, or a 124-byte one converted to the 128-byte
// form first. `size` must be kHeaderSize or kOldHeaderSize.
TPreparedHeader DecodeHeader(const unsigned char* bytes, int size);

// The older header moved to the offsets of the current one.
THeaderBytes ConvertOldHeader(const unsigned char* bytes124);

// The header size test over the 4 bytes read at kHeaderProbeOffset: the text
// up to the first zero byte reads "EMF" only after a 124-byte header.
int HeaderSizeFromProbe(const unsigned char* probe4);

// Days since 30 December 1899 plus the fraction of the day, of a local time.
double DaysSince1899(const QDateTime& local);
QDateTime DateTimeFromDays(double days);

}  // namespace qrstore
