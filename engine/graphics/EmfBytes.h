#pragma once
// Little-endian reads and writes for EMF records. Reads go through a
// bounded view: each read states its offset and fails (returns false or a
// default) when the bytes are not all there, so no caller can run past the
// end of a record.

#include <QByteArray>

#include <cstdint>
#include <cstring>

namespace emf {

inline std::uint32_t LoadU32(const char* p) {
  unsigned char b[4];
  std::memcpy(b, p, 4);
  return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
         std::uint32_t(b[3]) << 24;
}

inline void StoreU32(char* p, std::uint32_t v) {
  const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                              static_cast<unsigned char>(v >> 16),
                              static_cast<unsigned char>(v >> 24)};
  std::memcpy(p, b, 4);
}

// A record (or any byte range) seen as [data, data + size).
class TByteView {
 public:
  TByteView() = default;
  TByteView(const char* data, std::uint32_t size) : data_(data), size_(size) {}

  std::uint32_t Size() const { return size_; }
  const char* Data() const { return data_; }
  // True when [offset, offset + count) lies inside the view (64-bit sums).
  bool Has(std::uint64_t offset, std::uint64_t count) const {
    return offset <= size_ && count <= size_ - offset;
  }
  std::uint32_t U32(std::uint32_t offset) const {
    return Has(offset, 4) ? LoadU32(data_ + offset) : 0;
  }
  std::int32_t I32(std::uint32_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
  std::uint16_t U16(std::uint32_t offset) const {
    if (!Has(offset, 2)) return 0;
    unsigned char b[2];
    std::memcpy(b, data_ + offset, 2);
    return std::uint16_t(b[0] | b[1] << 8);
  }
  std::int16_t I16(std::uint32_t offset) const { return static_cast<std::int16_t>(U16(offset)); }
  std::uint8_t U8(std::uint32_t offset) const {
    return Has(offset, 1) ? static_cast<std::uint8_t>(data_[offset]) : 0;
  }
  float F32(std::uint32_t offset) const {
    const std::uint32_t bits = U32(offset);
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
  }
  TByteView Sub(std::uint32_t offset, std::uint32_t count) const {
    return Has(offset, count) ? TByteView(data_ + offset, count) : TByteView();
  }

 private:
  const char* data_ = nullptr;
  std::uint32_t size_ = 0;
};

// Appends little-endian values to a growing byte array.
class TByteWriter {
 public:
  explicit TByteWriter(QByteArray& out) : out_(out) {}
  void U32(std::uint32_t v) {
    char b[4];
    StoreU32(b, v);
    out_.append(b, 4);
  }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  void U16(std::uint16_t v) {
    const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    out_.append(b, 2);
  }
  void U8(std::uint8_t v) { out_.append(static_cast<char>(v)); }
  void F32(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, 4);
    U32(bits);
  }
  void Zeros(int count) { out_.append(count, '\0'); }
  void Bytes(const char* data, int count) { out_.append(data, count); }
  void PadTo4() {
    while (out_.size() % 4 != 0) out_.append('\0');
  }
  qsizetype Size() const { return out_.size(); }
  // Overwrites a value already written.
  void PatchU32(qsizetype offset, std::uint32_t v) { StoreU32(out_.data() + offset, v); }

 private:
  QByteArray& out_;
};

}  // namespace emf
