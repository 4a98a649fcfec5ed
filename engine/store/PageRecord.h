#pragma once
// One page record of a prepared report file, right after the header or the
// previous record:
//   +0      i32  page number, from 1
//   +4      i32  forward link: offset of the next record (the file size for
//                the last one), i.e. just after this record's back link
//   +8      n    payload: the page's metafile, or, compressed, an i32 count L
//                of metafile bytes followed by the coder's bits
//   +8+n    i32  back link: offset of this record's first byte
// Offsets are signed 32-bit, so a store can never pass 2^31 - 1 bytes.

#include <cstdint>

namespace qrstore {

inline constexpr int kRecordNumberAt = 0;
inline constexpr int kRecordForwardAt = 4;
inline constexpr int kRecordPayloadAt = 8;
inline constexpr int kRecordHeadSize = 8;
inline constexpr int kBackLinkSize = 4;
inline constexpr int kRecordOverhead = kRecordHeadSize + kBackLinkSize;
inline constexpr int kExpandedCountSize = 4;
inline constexpr std::int64_t kMaxStoreSize = INT32_MAX;
// The shortest code the coder can give a byte is one bit.
inline constexpr std::int64_t kMaxBytesPerPackedByte = 8;

}  // namespace qrstore
