#pragma once
// Hand-written EMF files for tests: a 108-byte header for a reference device
// of 1000 x 1000 pixels on 100 x 100 mm (a pixel is 0.1 mm), the records a
// test adds, and EOF. Sizes and counts are filled in by Bytes().

#include <QByteArray>
#include <QtEndian>
#include <initializer_list>
#include <vector>

class TEmfBuilder {
 public:
  // A picture frame of width x height reference pixels.
  TEmfBuilder(int width, int height, int handles = 8) : handles_(handles) {
    Record(1, {0,
               0,
               width - 1,
               height - 1,
               0,
               0,
               width * 10,
               height * 10,
               0x464D4520,
               0x10000,
               0,
               0,
               0 /* handles */,
               0,
               0,
               0,
               1000,
               1000,
               100,
               100,
               0,
               0,
               0,
               100000,
               100000});
  }

  // A record of `type` with 32-bit fields.
  TEmfBuilder& Record(std::uint32_t type, std::initializer_list<std::int64_t> fields) {
    return Record(type, std::vector<std::int64_t>(fields));
  }
  TEmfBuilder& Record(std::uint32_t type, const std::vector<std::int64_t>& fields) {
    Put(type);
    Put(8 + 4 * std::uint32_t(fields.size()));
    for (std::int64_t f : fields) Put(std::uint32_t(f));
    ++records_;
    return *this;
  }
  // A record with raw bytes after its header (padded to 4).
  TEmfBuilder& Raw(std::uint32_t type, const QByteArray& payload) {
    QByteArray padded = payload;
    while (padded.size() % 4) padded.append('\0');
    Put(type);
    Put(8 + std::uint32_t(padded.size()));
    bytes_ += padded;
    ++records_;
    return *this;
  }

  QByteArray Bytes() const {
    QByteArray out = bytes_;
    auto put = [&](std::uint32_t v) {
      char b[4];
      qToLittleEndian(v, b);
      out.append(b, 4);
    };
    put(14), put(20), put(0), put(16), put(20);
    qToLittleEndian<std::uint32_t>(std::uint32_t(out.size()), out.data() + 48);
    qToLittleEndian<std::uint32_t>(records_ + 1, out.data() + 52);
    qToLittleEndian<std::uint16_t>(std::uint16_t(handles_), out.data() + 56);
    return out;
  }

 private:
  void Put(std::uint32_t v) {
    char b[4];
    qToLittleEndian(v, b);
    bytes_.append(b, 4);
  }

  QByteArray bytes_;
  std::uint32_t records_ = 0;
  int handles_;
};

// EXTTEXTOUTW payload: reference point, text and its advances; no rectangle
// clip, options 0.
inline QByteArray TextPayload(int x, int y, const QString& text, int advance) {
  QByteArray p;
  auto put = [&](std::uint32_t v) {
    char b[4];
    qToLittleEndian(v, b);
    p.append(b, 4);
  };
  const std::uint32_t n = std::uint32_t(text.size());
  const std::uint32_t stringBytes = (2 * n + 3) & ~3u;
  put(0), put(0), put(std::uint32_t(-1)), put(std::uint32_t(-1));  // bounds
  put(1), put(0), put(0);                                          // mode, scales
  put(std::uint32_t(x)), put(std::uint32_t(y)), put(n), put(76), put(0);
  put(0), put(0), put(std::uint32_t(-1)), put(std::uint32_t(-1));  // rectangle
  put(76 + stringBytes);
  for (QChar c : text) {
    char b[2];
    qToLittleEndian<std::uint16_t>(c.unicode(), b);
    p.append(b, 2);
  }
  while ((p.size() + 8) % 4) p.append('\0');
  for (std::uint32_t i = 0; i < n; ++i) put(std::uint32_t(advance));
  return p;
}
