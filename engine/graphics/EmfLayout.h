#pragma once
// The checked outline of an EMF file: its header values and where each
// record lies. Building it walks every record once and checks every size,
// offset and count the player will use, so that playing never needs more
// than the bounded reads of TByteView.

#include <QByteArray>

#include <cstdint>
#include <vector>

#include "EmfBytes.h"

namespace emf {

struct TRecordSpan {
  std::uint32_t offset;
  std::uint32_t type;
  std::uint32_t size;
};

struct TEmfLayout {
  std::int32_t bounds[4] = {0, 0, -1, -1};  // device pixels, inclusive
  std::int32_t frame[4] = {0, 0, 0, 0};     // 0.01 mm, inclusive
  std::int32_t deviceCx = 0, deviceCy = 0;  // reference device, pixels
  std::int32_t mmCx = 0, mmCy = 0;          // reference device, millimetres
  std::uint32_t handles = 1;
  std::vector<TRecordSpan> records;         // header first, EOF last
};

// False for bytes that are not a sound EMF file.
bool ReadLayout(const QByteArray& bytes, TEmfLayout& layout);

// Checks one record's own sizes, offsets and counts.
bool RecordIsSound(std::uint32_t type, const TByteView& record);

// Follows the bytes of an EMF file as they come in (a stored page being
// unpacked) and tells, as soon as they cannot begin an EMF file of
// `claimedSize` bytes, that they cannot: the header record (type, size,
// signature, a total that fits the claim), then the chain of record sizes up
// to EOF. What each record holds is checked by ReadLayout once the whole
// file is there.
class TEmfPrefixCheck {
 public:
  explicit TEmfPrefixCheck(std::uint64_t claimedSize) : total_(claimedSize) {}

  // `bytes` are the file's first `size` bytes, more at each call. False from
  // the first byte that cannot belong to a sound file.
  bool Accepts(const char* bytes, std::uint64_t size);
  // The bytes the file has: its header's total once read, else the claim.
  std::uint64_t Total() const { return total_; }

 private:
  std::uint64_t total_;
  bool headerRead_ = false;
  bool eofSeen_ = false;
  std::uint64_t next_ = 0;  // where the next record starts
};

}  // namespace emf
