// The element-level layout: output lines plus the height raise and the
// automatic size, on a canvas where every character measures 10 pixels.

#include <gtest/gtest.h>

#include <string>

#include "TextElementLayout.h"

namespace {

int TenPixels(QStringView s) { return 10 * static_cast<int>(s.size()) + 1; }
constexpr int kLineHeight = 17;  // 16 × 100 div 100 + 1

struct SizeCase {
  const char* name;
  TAlignment alignment;
  bool rightToLeft;
  TFrameSides frame;
  TPixelBounds before;
  TPixelBounds after;
};

// «LONG TEXT HERE» is 141 pixels wide.
const SizeCase kSizeCases[] = {
    // The left edge stays.
    {"Left", TAlignment::taLeftJustify, false, {}, {100, 50, 5}, {100, 141, 17}},
    // The right edge (150) stays: 100 + 50 - 141.
    {"RightKeepsRightEdge", TAlignment::taRightJustify, false, {}, {100, 50, 5}, {9, 141, 17}},
    // The centre stays; (50 - 141) div 2 is -45 toward zero, not -46.
    {"CentreRoundsTowardZero", TAlignment::taCenter, false, {}, {100, 50, 5}, {55, 141, 17}},
    // Shrinking to the text: (150 - 141) div 2 = 4.
    {"CentreShrinks", TAlignment::taCenter, false, {}, {100, 150, 30}, {104, 141, 30}},
    // Right-to-left alignment mirrors left into right.
    {"RightToLeftMirrorsLeft", TAlignment::taLeftJustify, true, {}, {100, 50, 5}, {9, 141, 17}},
    {"RightToLeftMirrorsRight", TAlignment::taRightJustify, true, {}, {100, 50, 5},
     {100, 141, 17}},
    // The left and right frame lines add their width once each: 141 + 2 + 2.
    {"FrameSides", TAlignment::taLeftJustify, false, {2, true, true}, {100, 50, 5},
     {100, 145, 17}},
    {"FrameLeftOnly", TAlignment::taRightJustify, false, {2, true, false}, {100, 50, 5},
     {7, 143, 17}},
    // A hairline frame (negative Width) takes no room instead of narrowing the element.
    {"HairlineFrame", TAlignment::taLeftJustify, false, {-1, true, true}, {100, 50, 5},
     {100, 141, 17}},
};

class AutoSizeTable : public testing::TestWithParam<SizeCase> {};

TEST_P(AutoSizeTable, LabelFollowsItsText) {
  const SizeCase& c = GetParam();
  TTextLayoutRequest request{.source = TTextSource::Caption,
                             .outputText = QStringLiteral("LONG TEXT HERE"),
                             .autoSize = true,
                             .bounds = c.before,
                             .alignment = c.alignment,
                             .rightToLeftAlignment = c.rightToLeft,
                             .frame = c.frame,
                             .resize = true};
  const TTextLayout layout = LayoutTextElement(request, TenPixels, kLineHeight);
  EXPECT_EQ(layout.outputLines, QStringList{QStringLiteral("LONG TEXT HERE")});
  EXPECT_EQ(layout.bounds.left, c.after.left);
  EXPECT_EQ(layout.bounds.width, c.after.width);
  EXPECT_EQ(layout.bounds.height, c.after.height);
}

INSTANTIATE_TEST_SUITE_P(TenPixelCanvas, AutoSizeTable, testing::ValuesIn(kSizeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextElementLayout, WidestLineSetsTheWidth) {
  TTextLayoutRequest request{.outputText = QStringLiteral("AB\r\nABCD\r\nA"),
                             .bounds = {0, 10, 40},
                             .resize = true};
  const TTextLayout layout = LayoutTextElement(request, TenPixels, kLineHeight);
  EXPECT_EQ(layout.outputLines.size(), 3);
  EXPECT_EQ(layout.bounds, (TPixelBounds{0, 41, 40}));  // the height never shrinks
}

TEST(TextElementLayout, LabelHeightIsRaisedToOneLineEvenWithoutAutoSize) {
  TTextLayoutRequest request{.outputText = QStringLiteral("XXX YYY"),
                             .autoSize = false,
                             .bounds = {3, 45, 5},
                             .resize = true};
  TTextLayout layout = LayoutTextElement(request, TenPixels, kLineHeight);
  EXPECT_EQ(layout.outputLines, (QStringList{QStringLiteral("XXX "), QStringLiteral("YYY")}));
  EXPECT_EQ(layout.bounds, (TPixelBounds{3, 45, 17}));  // one line, though two are laid out

  request.bounds.height = 30;  // already taller: kept
  EXPECT_EQ(LayoutTextElement(request, TenPixels, kLineHeight).bounds, request.bounds);
}

TEST(TextElementLayout, NoResizeWhileUnmeasuredOrUpdating) {
  for (const bool autoSize : {false, true}) {
    TTextLayoutRequest request{.outputText = QStringLiteral("LONG TEXT HERE"),
                               .autoSize = autoSize,
                               .bounds = {100, 50, 5},
                               .alignment = TAlignment::taRightJustify,
                               .resize = false};
    EXPECT_EQ(LayoutTextElement(request, TenPixels, kLineHeight).bounds, request.bounds);
  }
}

TEST(TextElementLayout, MemoHasNoHeightRuleOfItsOwn) {
  // Without AutoSize a memo keeps its height; with it the automatic size raises it.
  TTextLayoutRequest request{.source = TTextSource::MemoLines,
                             .memoLines = {QStringLiteral("XXX YYY")},
                             .autoSize = false,
                             .bounds = {0, 45, 5},
                             .resize = true};
  TTextLayout layout = LayoutTextElement(request, TenPixels, kLineHeight);
  EXPECT_EQ(layout.outputLines, (QStringList{QStringLiteral("XXX "), QStringLiteral("YYY")}));
  EXPECT_EQ(layout.bounds, request.bounds);

  request.autoSize = true;
  layout = LayoutTextElement(request, TenPixels, kLineHeight);
  EXPECT_EQ(layout.outputLines, request.memoLines);
  EXPECT_EQ(layout.bounds, (TPixelBounds{0, 71, 17}));
}

}  // namespace
