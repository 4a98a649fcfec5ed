#include "Windows1252.h"

#include <array>

namespace platform {
namespace {

// Bytes 0x80..0x9F; 0 marks the five the code page leaves undefined.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
};

std::optional<char> ByteOf(QChar c) {
  const char16_t u = c.unicode();
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
  for (std::size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] != 0 && kHighControls[i] == u) return static_cast<char>(0x80 + i);
  return std::nullopt;
}

}  // namespace

bool IsWindows1252(QChar c) { return ByteOf(c).has_value(); }

QString KeepWindows1252(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (QChar c : text)
    if (IsWindows1252(c)) out += c;
  return out;
}

std::optional<QByteArray> EncodeWindows1252(const QString& text) {
  QByteArray out;
  out.reserve(text.size());
  for (QChar c : text) {
    const auto byte = ByteOf(c);
    if (!byte) return std::nullopt;
    out += *byte;
  }
  return out;
}

QByteArray EncodeWindows1252(const QString& text, char replacement) {
  QByteArray out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
    out += ByteOf(c).value_or(replacement);
  }
  return out;
}

QString DecodeWindows1252(const QByteArray& bytes) {
  QString out;
  out.reserve(bytes.size());
  for (char b : bytes) {
    const auto u = static_cast<unsigned char>(b);
    const bool high = u >= 0x80 && u <= 0x9F;
    out += (high && kHighControls[u - 0x80] != 0) ? QChar(kHighControls[u - 0x80]) : QChar(u);
  }
  return out;
}

}  // namespace platform
