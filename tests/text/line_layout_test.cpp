// Line breaking on a canvas where every character measures 10 pixels, so a
// text of n characters has the layout width 10 n + 1 at zoom 100.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "LineLayout.h"
#include "MeasuredLine.h"
#include "MeasuringCanvas.h"
#include "ReferenceCanvas.h"
#include "TextMeasurer.h"
#include "TextWords.h"

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
  const TLineLayoutOptions options{
      .width = c.width, .autoSize = c.autoSize, .wordWrap = c.wordWrap};
  EXPECT_EQ(ToStd(LayoutCaption(QString::fromLatin1(c.text), options, width)), c.lines);
  // Lines grown word by word on the measurer break the same way.
  TMeasuredLine line(measurer, font, 100);
  EXPECT_EQ(ToStd(LayoutCaption(QString::fromLatin1(c.text), options, width, &line)), c.lines);
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

// The breaking as it was when every candidate line was measured whole: the
// oracle for lines grown word by word.
QStringList WholeLineLayout(const QString& text, const TLineLayoutOptions& o,
                            const TTextWidth& width) {
  const int W = std::max(o.width, 0);
  QStringList lines;
  QString t = text;
  t.remove(u'\n');
  for (const QString& part : t.split(u'\r')) {
    if (o.autoSize) {
      lines << part;
      continue;
    }
    QString current;
    bool closed = false;
    for (qsizetype at = 0; at < part.size() && !closed;) {
      const qsizetype n = WordLength(part, at);
      QString w = part.mid(at, n);
      at += n;
      if (width(current + w) <= W) {
        current += w;
        continue;
      }
      if (current.isEmpty()) {
        for (QChar c : w) {
          if (width(current + c) >= W) break;
          current += c;
        }
        w.clear();
      }
      lines << current;
      current.clear();
      if (width(w) > W) {
        qsizetype fits = 0, tooWide = w.size();
        while (tooWide - fits > 1) {
          const qsizetype mid = fits + (tooWide - fits) / 2;
          (width(w.left(mid)) <= W ? fits : tooWide) = mid;
        }
        lines << (W == 0 ? QString() : w.left(fits));
        w.clear();
      }
      if (!o.wordWrap) closed = true;
      current += w;
    }
    if (!closed) lines << current;
  }
  return lines;
}

// Random texts of report words in several fonts, zooms and widths: lines
// grown word by word, kerning where words meet included, come out as the
// lines measured whole did. On the real reference device, and on a canvas
// that kerns the pairs where these words meet by whole pixels, so that every
// join counts.
TEST(LineLayout, GrownLinesBreakAsWholeLines) {
  const QStringList vocabulary = QStringLiteral(
      "PERMISO DE CIRCULACIÓN VEHÍCULO OFICIAL Secretaría AV. To Wa LT. Yo "
      "fe ff fi AUTO-MÓVIL P.V. 1,234.50 WAVE Tarjeta\r\n XW-12 \n \r ;:¡! "
      "ZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZ Día-de-la-Semana")
                                    .split(u' ');
  auto kerning = std::make_unique<TMeasuringCanvas>();
  kerning->kernedPairs = {QStringLiteral(" A"), QStringLiteral(" T"), QStringLiteral("-M"),
                          QStringLiteral(" W"), QStringLiteral("-d")};
  std::unique_ptr<TCanvas> canvases[] = {CreateReferenceCanvas(), std::move(kerning)};
  TFontSpec regular;
  TFontSpec bold = regular;
  bold.style.bold = true;
  bold.pointSize = 12;
  TFontSpec italic = regular;
  italic.style.italic = true;
  italic.face = QStringLiteral("Times New Roman");
  const TFontSpec fonts[] = {regular, bold, italic};
  const int zooms[] = {100, 75, 150};

  std::mt19937 rng(20261211);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  for (auto& canvas : canvases) {
    TTextMeasurer measurer(*canvas);
    for (int round = 0; round < 2000; ++round) {
      QString text;
      for (int words = pick(30); words > 0; --words) {
        text += vocabulary[pick(int(vocabulary.size()))];
        text += QStringLiteral(" -").at(pick(4) == 0 ? 1 : 0);
        if (pick(8) == 0) text += u' ';  // runs of spaces
      }
      const TFontSpec& font = fonts[pick(3)];
      const int zoom = zooms[pick(3)];
      const TLineLayoutOptions options{.width = pick(10) == 0 ? pick(20) : pick(500),
                                       .autoSize = false,
                                       .wordWrap = pick(4) != 0};
      const TTextWidth width = [&](QStringView s) { return measurer.LayoutWidth(font, zoom, s); };
      TMeasuredLine line(measurer, font, zoom);
      ASSERT_EQ(LayoutCaption(text, options, width, &line), WholeLineLayout(text, options, width))
          << text.toStdString() << " width " << options.width << " zoom " << zoom;
    }
  }
}

// A failed measurement counts as width 0 on a grown line as on a whole one.
TEST(LineLayout, GrownLineWithFailedMeasurementCountsAsZero) {
  TMeasuringCanvas canvas;
  TTextMeasurer measurer(canvas);
  canvas.failing = true;
  const TTextWidth width = [&](QStringView s) { return measurer.LayoutWidth({}, 100, s); };
  TMeasuredLine line(measurer, {}, 100);
  const QString text = QStringLiteral("XXX YYY ZZZ");
  const TLineLayoutOptions options{.width = 45, .autoSize = false};
  EXPECT_EQ(LayoutCaption(text, options, width, &line), WholeLineLayout(text, options, width));
}

}  // namespace
