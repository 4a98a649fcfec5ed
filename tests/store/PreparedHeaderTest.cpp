#include <gtest/gtest.h>

#include <cstring>

#include "PreparedHeader.h"

using namespace qrstore;

namespace {

TEST(PreparedHeader, WritesOnlyItsFieldsAtTheirOffsets) {
  TPreparedHeader h;
  h.pageCount = 0x01020304;
  h.date = 46366.5;  // 10 December 2026, noon
  h.compressed = true;
  const THeaderBytes b = EncodeHeader(h);
  static_assert(sizeof(b) == 128);
  EXPECT_EQ(b[0], 3);
  EXPECT_EQ(b[1], 0);
  EXPECT_EQ(b[2], 309 & 0xFF);
  EXPECT_EQ(b[3], 309 >> 8);
  EXPECT_EQ(b[8], 0x04);
  EXPECT_EQ(b[11], 0x01);
  double date;
  std::memcpy(&date, &b[16], 8);  // little-endian host
  EXPECT_EQ(date, 46366.5);
  EXPECT_EQ(b[25], 1);
  for (int i : {4, 5, 6, 7, 12, 13, 14, 15, 24, 26, 100, 127}) EXPECT_EQ(b[i], 0) << i;
  const TPreparedHeader back = DecodeHeader(b.data(), kHeaderSize);
  EXPECT_EQ(back.pageCount, h.pageCount);
  EXPECT_EQ(back.date, h.date);
  EXPECT_TRUE(back.compressed);
}

TEST(PreparedHeader, OlderHeaderIsMovedToTheCurrentOffsets) {
  unsigned char old[kOldHeaderSize] = {};
  old[0] = 3;
  old[2] = 0x35;
  old[3] = 0x01;
  old[8] = 7;  // page count
  const double date = 36526.25;
  std::memcpy(&old[12], &date, 8);
  old[21] = 1;  // compression
  old[22] = 0xAA;
  const THeaderBytes b = ConvertOldHeader(old);
  EXPECT_EQ(b[25], 1);
  EXPECT_EQ(b[26], 0xAA);
  const TPreparedHeader h = DecodeHeader(old, kOldHeaderSize);
  EXPECT_EQ(h.formatVersion, 3);
  EXPECT_EQ(h.writerVersion, 309);
  EXPECT_EQ(h.pageCount, 7);
  EXPECT_EQ(h.date, date);
  EXPECT_TRUE(h.compressed);
}

struct ProbeCase {
  const char* name;
  unsigned char bytes[4];
  int headerSize;
};

class HeaderProbe : public testing::TestWithParam<ProbeCase> {};

TEST_P(HeaderProbe, OnlyTheTextEmfMeansTheOlderHeader) {
  EXPECT_EQ(HeaderSizeFromProbe(GetParam().bytes), GetParam().headerSize);
}

const ProbeCase kProbes[] = {
    // "EMF" then the zero first byte of the metafile's version field.
    {"EmfThenZero", {'E', 'M', 'F', 0}, kOldHeaderSize},
    // With a 128-byte header the probe sees the metafile's size field.
    {"SizeField", {0x10, 0x27, 0, 0}, kHeaderSize},
    {"EmfWithoutZero", {'E', 'M', 'F', 'X'}, kHeaderSize},
    {"ShorterText", {'E', 'M', 0, 0}, kHeaderSize},
    {"SpaceEmf", {' ', 'E', 'M', 'F'}, kHeaderSize},
};

INSTANTIATE_TEST_SUITE_P(PreparedHeader, HeaderProbe, testing::ValuesIn(kProbes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PreparedHeader, DateCountsDaysSince30December1899) {
  EXPECT_EQ(DaysSince1899(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
  EXPECT_EQ(DaysSince1899(QDateTime(QDate(1900, 1, 1), QTime(18, 0))), 2.75);
  EXPECT_EQ(DaysSince1899(QDateTime(QDate(2026, 12, 10), QTime(12, 0))), 46366.5);
  EXPECT_EQ(DateTimeFromDays(46366.5), QDateTime(QDate(2026, 12, 10), QTime(12, 0)));
}

}  // namespace
