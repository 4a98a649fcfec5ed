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

// The most bytes `packed` bytes of the page coder can stand for. Node 0 is
// the root of the code tree from the start and stays it: a splay stops below
// it and never moves it, so every leaf hangs at least one level down and
// every code is at least one bit long. In the starting tree every leaf is 8
// or 9 levels down, so a page's first byte costs at least 8 bits. L bytes
// therefore take at least 8 + (L - 1) bits, and n packed bytes (8n bits)
// hold at most 8n - 7 bytes, or none when n is 0.
constexpr std::int64_t MaxExpandedBytes(std::int64_t packed) {
  return packed <= 0 ? 0 : 8 * packed - 7;
}

}  // namespace qrstore
