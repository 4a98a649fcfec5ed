#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include <vector>

#include "Errors.h"
#include "StoreTestData.h"
#include "TQRCompress.h"

namespace {

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray b;
  for (int v : values) b.append(static_cast<char>(v));
  return b;
}

struct CoderCase {
  const char* name;
  QByteArray plain;
  QByteArray packed;
};

class CoderValues : public testing::TestWithParam<CoderCase> {};

TEST_P(CoderValues, EncodeGivesTheBytesAndDecodeConsumesThemAll) {
  const CoderCase& c = GetParam();
  EXPECT_EQ(CompressBytes(c.plain), c.packed);
  std::size_t consumed = 0;
  EXPECT_EQ(ExpandBytes(c.packed, static_cast<std::size_t>(c.plain.size()), &consumed), c.plain);
  EXPECT_EQ(consumed, static_cast<std::size_t>(c.packed.size()));
}

const CoderCase kCoderCases[] = {
    // Seven left turns, then leaf 256 as the right child of node 127; the
    // eight bits end on a byte boundary, so no extra byte follows.
    {"SingleZero", Bytes({0}), Bytes({128})},
    // After the first splay byte 0 has the 4-bit code 1111.
    {"TwoZeros", Bytes({0, 0}), Bytes({128, 15})},
    {"Abc", QByteArray("abc"), Bytes({70, 61, 1})},
    // Nothing in, nothing out: no partial byte.
    {"Empty", QByteArray(), QByteArray()},
};

INSTANTIATE_TEST_SUITE_P(TQRCompress, CoderValues, testing::ValuesIn(kCoderCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TQRCompress, ByteValue255StartsWithNineBits) {
  // 9 bits: the encoder writes one full byte and one partial byte.
  EXPECT_EQ(CompressBytes(Bytes({255})).size(), 2);
}

struct RoundTripCase {
  const char* name;
  QByteArray plain;
};

class CoderRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(CoderRoundTrip, ExpandRestoresEveryByteAndConsumesExactlyTheOutput) {
  const QByteArray& plain = GetParam().plain;
  const QByteArray packed = CompressBytes(plain);
  std::size_t consumed = 0;
  EXPECT_EQ(ExpandBytes(packed, static_cast<std::size_t>(plain.size()), &consumed), plain);
  EXPECT_EQ(consumed, static_cast<std::size_t>(packed.size()));

  // The same bits handed over by a source in ragged pieces, as a page is
  // read from its file a block at a time.
  const std::size_t pieces[] = {1, 7, 3, 70000, 2};
  std::size_t given = 0, turn = 0;
  TQRCompress coder([&](unsigned char* buffer, std::size_t capacity) {
    const std::size_t n = std::min({pieces[turn++ % 5], capacity,
                                    static_cast<std::size_t>(packed.size()) - given});
    std::memcpy(buffer, packed.constData() + given, n);
    given += n;
    return n;
  });
  QByteArray out(plain.size(), Qt::Uninitialized);
  coder.Decode(reinterpret_cast<unsigned char*>(out.data()), static_cast<std::size_t>(out.size()));
  EXPECT_EQ(out, plain);
  EXPECT_EQ(coder.BytesConsumed(), static_cast<std::size_t>(packed.size()));
}

QByteArray AllByteValuesRepeated() {
  QByteArray b;
  for (int r = 0; r < 40; ++r)
    for (int v = 0; v < 256; ++v) b.append(static_cast<char>((v * 37 + r) & 0xFF));
  return b;
}

// Alternating rare bytes after long runs drives leaves far below the root,
// past the one-word code path.
QByteArray DeepTreeData() {
  QByteArray b;
  for (int v = 0; v < 256; ++v) {
    b.append(500, static_cast<char>(v));
    b.append(static_cast<char>(255 - v));
  }
  for (int v = 255; v >= 0; --v) b.append(static_cast<char>(v));
  return b;
}

const RoundTripCase kRoundTrips[] = {
    {"RandomSmall", storetest::RandomBytes(1, 1000)},
    // Larger than any buffer block, incompressible.
    {"RandomLarge", storetest::RandomBytes(2, 300000)},
    {"EmfLikePage", storetest::EmfLikePage(3, 60000)},
    {"AllByteValues", AllByteValuesRepeated()},
    {"LongRun", QByteArray(100000, 'x')},
    {"DeepTree", DeepTreeData()},
};

INSTANTIATE_TEST_SUITE_P(TQRCompress, CoderRoundTrip, testing::ValuesIn(kRoundTrips),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TQRCompress, MetafileLikePagesShrink) {
  const QByteArray page = storetest::EmfLikePage(4, 50000);
  EXPECT_LT(CompressBytes(page).size(), page.size() * 3 / 4);
}

TEST(TQRCompress, ExpandingPastTheInputIsAReadError) {
  const QByteArray packed = CompressBytes(QByteArray("permiso"));
  try {
    ExpandBytes(packed, 100);
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Stream read error"));
  }
}

TEST(TQRCompress, EncoderDestructionWritesThePartialByte) {
  QByteArray out;
  {
    TQRCompress coder(out);
    coder.EncodeByte(0);
    coder.EncodeByte(0);
  }
  EXPECT_EQ(out, Bytes({128, 15}));
}

TEST(TQRCompress, EachPageStartsFromTheInitialTree) {
  const QByteArray page("abc");
  const QByteArray first = CompressBytes(page);
  CompressBytes(storetest::RandomBytes(5, 5000));
  EXPECT_EQ(CompressBytes(page), first);
}

}  // namespace
