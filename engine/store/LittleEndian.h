#pragma once
// Little-endian integers and doubles in byte buffers. Every access goes
// through memcpy so that unaligned offsets and hostile buffers are safe; the
// callers check that the bytes exist before calling.

#include <cstdint>
#include <cstring>

namespace qrstore {

inline std::uint16_t GetU16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::int32_t GetI32(const unsigned char* p) {
  const std::uint32_t v =
      static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
      (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  std::int32_t r;
  std::memcpy(&r, &v, 4);
  return r;
}

inline double GetF64(const unsigned char* p) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
  double d;
  std::memcpy(&d, &v, 8);
  return d;
}

inline void PutU16(unsigned char* p, std::uint16_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
}

inline void PutI32(unsigned char* p, std::int32_t v) {
  std::uint32_t u;
  std::memcpy(&u, &v, 4);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(u >> (8 * i));
}

inline void PutF64(unsigned char* p, double d) {
  std::uint64_t v;
  std::memcpy(&v, &d, 8);
  for (int i = 0; i < 8; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

}  // namespace qrstore
