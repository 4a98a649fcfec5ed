// The code page at the file boundary and at the entry window's boxes.

#include <gtest/gtest.h>

#include "QtPrintTo.h"
#include "Windows1252.h"

namespace {

using platform::DecodeWindows1252;
using platform::EncodeWindows1252;
using platform::IsWindows1252;
using platform::KeepWindows1252;

TEST(Windows1252, HeldCharacters) {
  const struct {
    char16_t c;
    bool held;
  } cases[] = {
      {u'A', true},       {u'\r', true},      {u'ñ', true},
      {u'Ñ', true},       {u'ó', true},       {u'º', true},
      {u'€', true},       {u'\u2019', true},   // right single quote, byte 92
      {u'Ÿ', true},       {u'\u0081', false},  // undefined byte 81
      {u'\u009D', false}, {u'ā', false},      {u'Ω', false},
      {u'\u2028', false}, {0xD83D, false},  // half of a surrogate pair
  };
  for (const auto& c : cases) EXPECT_EQ(IsWindows1252(QChar(c.c)), c.held) << int(c.c);
}

TEST(Windows1252, EveryDefinedByteRoundTrips) {
  QByteArray all;
  for (int b = 0; b < 256; ++b)
    if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) all += char(b);
  const QString text = DecodeWindows1252(all);
  ASSERT_EQ(text.size(), all.size());
  EXPECT_EQ(EncodeWindows1252(text), all);
  EXPECT_EQ(EncodeWindows1252(QStringLiteral("Comisión: ")), QByteArray("Comisi\xF3n: "));
  EXPECT_EQ(EncodeWindows1252(QStringLiteral("€")), QByteArray("\x80"));
}

TEST(Windows1252, UnheldCharacters) {
  const QString mixed = QStringLiteral("añ") + QChar(0x0101) +
                        QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("z");
  EXPECT_FALSE(EncodeWindows1252(mixed).has_value());
  // A surrogate pair is one character: one replacement byte.
  EXPECT_EQ(EncodeWindows1252(mixed, '?'), QByteArray("a\xF1??z"));
  EXPECT_EQ(KeepWindows1252(mixed), QStringLiteral("añz"));
  // An undefined byte decodes to the control character of its number.
  EXPECT_EQ(DecodeWindows1252(QByteArray("\x81")), QString(QChar(0x81)));
}

}  // namespace
