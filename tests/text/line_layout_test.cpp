// Line breaking on a canvas where every character measures 10 pixels, so a
// text of n characters has the layout width 10 n + 1 at zoom 100.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LineLayout.h"
#include "MeasuringCanvas.h"
#include "TextMeasurer.h"

namespace {

struct LayoutCase {
  const char* name;
  const char* text;
  int width;  // W
  bool autoSize;
  bool wordWrap;
  std::vector<std::string> lines;
};

// Widths: "XXX " 41, "XXX YYY" 71, "YYY" 31, "" 1.
const LayoutCase kCases[] = {
    // The break falls after the space, which stays on the first line.
    {"BreakAfterSpace", "XXX YYY", 45, false, true, {"XXX ", "YYY"}},
    // A word too wide for a line of its own loses its tail (71 -> "YYYY" 41), and the
    // emptied current line still ends the text as an empty line.
    {"TooWideAfterBreakLosesTail", "XXX YYYYYYY", 45, false, true, {"XXX ", "YYYY", ""}},
    // A single too-wide word keeps the characters staying strictly below W (41 < 45).
    {"TooWideAloneCropped", "ZZZZZZZZ", 45, false, true, {"ZZZZ", ""}},
    // Cropping is strict where fitting is not: "XXXX" is 41, which fits W 41 but is not
    // below it, so the cropped line keeps three characters.
    {"ExactFitFits", "XXXX", 41, false, true, {"XXXX"}},
    {"CropIsStrict", "XXXXX", 41, false, true, {"XXX", ""}},
    // The trailing space counts: "ABCD " is 51 > 50, so the word is cropped and its
    // space lost, and "EF" starts the next line.
    {"TrailingSpaceCounts", "ABCD EF", 50, false, true, {"ABCD", "EF"}},
    // A hyphen ends a word and stays with it: "AUTO-" 51 fits 61, "AUTO-MOVIL" 101 does not.
    {"BreakAfterHyphen", "AUTO-MOVIL", 61, false, true, {"AUTO-", "MOVIL"}},
    // Leading and trailing spaces are kept.
    {"SpacesKept", "  A ", 100, false, true, {"  A "}},
    // Carriage return + line feed ends a line.
    {"CrLfBreaks", "X\r\nY", 100, false, true, {"X", "Y"}},
    // A line feed alone is deleted without a break.
    {"LfDeleted", "X\nY", 100, false, true, {"XY"}},
    // A trailing carriage return gives a final empty line.
    {"TrailingCr", "X\r", 100, false, true, {"X", ""}},
    // An empty text is one empty line.
    {"Empty", "", 100, false, true, {""}},
    // WordWrap off: the first word that does not fit ends the source text.
    {"NoWrapDropsRest", "XXX YYY ZZZ WWW", 45, false, false, {"XXX "}},
    // ... and a too-wide word there is still cut and emitted before the rest is dropped.
    {"NoWrapTooWideWord", "XXX YYYYYYY ZZ", 45, false, false, {"XXX ", "YYYY"}},
    // ... a too-wide first word is cropped and nothing follows it, not even the empty line.
    {"NoWrapCroppedFirstWord", "ZZZZZZZZ YY", 45, false, false, {"ZZZZ"}},
    // ... each source text between carriage returns gets its own words.
    {"NoWrapPerSourceText", "XXX YYY\r\nAB", 45, false, false, {"XXX ", "AB"}},
    // AutoSize never wraps, however narrow the element.
    {"AutoSizeOneLine", "LONG TEXT HERE", 10, true, true, {"LONG TEXT HERE"}},
    // ... but carriage returns still break and line feeds are still deleted.
    {"AutoSizeCrBreaks", "AB\r\nC\nD", 10, true, true, {"AB", "CD"}},
    // W 0: nothing fits, not even the empty text (1 > 0): the word gives the empty cropped
    // line, the emptied word as a line, and the final empty current line.
    {"ZeroWidth", "AB", 0, false, true, {"", "", ""}},
    // A negative width counts as 0 instead of cutting a word forever.
    {"NegativeWidth", "AB", -5, false, true, {"", "", ""}},
    // Several lines, each filled up to W: "AB CD " is 61 <= 61.
    {"FillsEachLine", "AB CD EF GH IJ", 61, false, true, {"AB CD ", "EF GH ", "IJ"}},
};

std::vector<std::string> ToStd(const QStringList& lines) {
  std::vector<std::string> out;
  for (const QString& line : lines) out.push_back(line.toStdString());
  return out;
}

class LineLayoutTable : public testing::TestWithParam<LayoutCase> {};

TEST_P(LineLayoutTable, GivesTheLines) {
  const LayoutCase& c = GetParam();
  TMeasuringCanvas canvas;
  TTextMeasurer measurer(canvas);
  const TFontSpec font;
  const TTextWidth width = [&](QStringView s) { return measurer.LayoutWidth(font, 100, s); };
  const QStringList lines = LayoutCaption(
      QString::fromLatin1(c.text),
      {.width = c.width, .autoSize = c.autoSize, .wordWrap = c.wordWrap}, width);
  EXPECT_EQ(ToStd(lines), c.lines);
}

INSTANTIATE_TEST_SUITE_P(TenPixelCanvas, LineLayoutTable, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A long unbreakable word in a narrow element is cut with a handful of measurements,
// not one per character it loses.
TEST(LineLayout, LongWordIsCutWithFewMeasurements) {
  int calls = 0;
  const TTextWidth width = [&](QStringView s) {
    ++calls;
    return 10 * static_cast<int>(s.size()) + 1;
  };
  const QString word = QStringLiteral("AB ") + QString(20000, u'Z');
  const QStringList lines = LayoutCaption(word, {.width = 45, .autoSize = false}, width);
  EXPECT_EQ(ToStd(lines), (std::vector<std::string>{"AB ", "ZZZZ", ""}));
  EXPECT_LT(calls, 40);
}

TEST(LineLayout, MemoLinesAreSourceTextsUnlessAutoSized) {
  const TTextWidth width = [](QStringView s) { return 10 * static_cast<int>(s.size()) + 1; };
  const QStringList memo{QStringLiteral("XXX YYY"), QStringLiteral("A\nB"), QString()};
  // Each line is its own source text, an empty one included.
  EXPECT_EQ(ToStd(LayoutMemoLines(memo, {.width = 45, .autoSize = false}, width)),
            (std::vector<std::string>{"XXX ", "YYY", "AB", ""}));
  // AutoSize copies the lines as they are: no line feed is deleted.
  EXPECT_EQ(LayoutMemoLines(memo, {.width = 45, .autoSize = true}, width), memo);
}

}  // namespace
