// Measuring rules and the word cache of the text measurer.

#include <gtest/gtest.h>

#include <memory>

#include "LineLayout.h"
#include "MeasuringCanvas.h"
#include "ReferenceCanvas.h"
#include "TextMeasurer.h"

namespace {

struct ZoomCase {
  const char* text;
  int zoom;
  int layoutWidth;
};

// MeasureWidth is 10 n + 1; × zoom / 100 with halves away from zero.
const ZoomCase kZoomCases[] = {
    {"AB", 100, 21},  {"AB", 50, 11},  // 10.5 goes up, not to the even 10
    {"ABC", 150, 47},                  // 46.5 goes up, not to the even 46
    {"ABC", 33, 10},                   // 10.23
    {"", 300, 3},                      // an empty text still measures 1
};

class MeasurerZoom : public testing::TestWithParam<ZoomCase> {};

TEST_P(MeasurerZoom, RoundsHalvesAwayFromZero) {
  TMeasuringCanvas canvas;
  TTextMeasurer measurer(canvas);
  const ZoomCase& c = GetParam();
  EXPECT_EQ(measurer.LayoutWidth({}, c.zoom, QString::fromLatin1(c.text)), c.layoutWidth);
}

INSTANTIATE_TEST_SUITE_P(TenPixelCanvas, MeasurerZoom, testing::ValuesIn(kZoomCases));

TEST(TextMeasurer, WidthIsExtentPlusOneAndZeroOnFailure) {
  TMeasuringCanvas canvas;
  TTextMeasurer measurer(canvas);
  EXPECT_EQ(measurer.MeasureWidth({}, u"XXX YYY"), 71);
  EXPECT_EQ(measurer.MeasureWidth({}, u""), 1);
  canvas.failing = true;
  EXPECT_EQ(measurer.MeasureWidth({}, u"NEW WORD"), 0);
  EXPECT_EQ(measurer.MeasureHeight({}), 0);
  EXPECT_EQ(measurer.LineHeight({}, 100), 1);
  // A failure is not remembered: the next measurement asks the canvas again.
  canvas.failing = false;
  EXPECT_EQ(measurer.MeasureWidth({}, u"NEW WORD"), 81);
  EXPECT_EQ(measurer.MeasureHeight({}), 16);
}

TEST(TextMeasurer, HeightIsThatOfAWithIntegerZoom) {
  TMeasuringCanvas canvas;
  canvas.textHeight = 19;
  TTextMeasurer measurer(canvas);
  EXPECT_EQ(measurer.MeasureHeight({}), 19);
  EXPECT_EQ(canvas.measured.last(), QStringLiteral("A"));
  EXPECT_EQ(measurer.LineHeight({}, 100), 20);
  EXPECT_EQ(measurer.LineHeight({}, 75), 15);  // 14.25 truncated, + 1
  EXPECT_EQ(measurer.LineHeight({}, 33), 7);   // 6.27 truncated, + 1
  EXPECT_EQ(canvas.measured.size(), 1);        // once per font
}

TEST(TextMeasurer, EachWordIsMeasuredOncePerFontWhateverTheZoom) {
  TMeasuringCanvas canvas;
  TTextMeasurer measurer(canvas);
  TFontSpec arial;
  TFontSpec red = arial;
  red.color = 0xFFFF0000;
  TFontSpec bold = arial;
  bold.style.bold = true;
  TFontSpec courier = arial;
  courier.face = QStringLiteral("Courier New");

  const QString text = QStringLiteral("UNIDAD MOVIL DE LA SECRETARIA DE LA DEFENSA");
  for (int page = 0; page < 10000; ++page) {
    const int zoom = page % 2 ? 100 : 150;
    const TTextWidth width = [&](QStringView s) { return measurer.LayoutWidth(arial, zoom, s); };
    LayoutCaption(text, {.width = 200, .autoSize = false}, width);
  }
  // Six distinct words ("DE " and "LA " repeat), the four pairs where words meet
  // (" M", " D", " L", " S") and their five characters; every word fits the width
  // alone, so no prefix of a cut word is measured.
  const qsizetype once = 6 + 4 + 5;
  EXPECT_EQ(canvas.measured.size(), once);

  measurer.MeasureWidth(red, text);  // colour does not change an extent
  EXPECT_EQ(canvas.measured.size(), once);
  measurer.MeasureWidth(bold, u"MOVIL ");
  measurer.MeasureWidth(courier, u"MOVIL ");
  EXPECT_EQ(canvas.measured.size(), once + 2);
  // Each measurement is made in its own font, not the one last selected.
  EXPECT_EQ(canvas.measuredFaces.last(), QStringLiteral("Courier New"));
  EXPECT_EQ(measurer.MeasureWidth(arial, u"MOVIL "), 61);
  EXPECT_EQ(canvas.measuredFaces.size(), once + 2);
}

TEST(TextMeasurer, ForgetsWhenTheResolutionChanges) {
  TMeasuringCanvas canvas;
  TTextMeasurer measurer(canvas);
  measurer.MeasureWidth({}, u"AB");
  canvas.ppi = 120;
  measurer.MeasureWidth({}, u"AB");
  EXPECT_EQ(canvas.measured.size(), 2);
  measurer.Clear();
  measurer.MeasureWidth({}, u"AB");
  EXPECT_EQ(canvas.measured.size(), 3);
}

TEST(TextMeasurer, StaysWithinItsLimits) {
  TMeasuringCanvas canvas;
  TTextMeasurer measurer(canvas, {.maxWords = 3, .maxChars = 100});
  for (int i = 0; i < 1000; ++i) {
    const QString word = QString::number(i) + u' ';
    EXPECT_EQ(measurer.MeasureWidth({}, word), 10 * word.size() + 1);
    EXPECT_LE(measurer.Stats().cachedWords, 3);
  }
  EXPECT_GT(measurer.Stats().clears, 0);
  // A word longer than the whole cache is measured but not kept.
  const QString huge(500, u'Z');
  measurer.MeasureWidth({}, huge);
  measurer.MeasureWidth({}, huge);
  EXPECT_EQ(canvas.measured.count(huge), 2);

  // No cache at all still measures right.
  TTextMeasurer uncached(canvas, {.maxWords = 0});
  EXPECT_EQ(uncached.MeasureWidth({}, u"AB AB"), 51);
  EXPECT_EQ(uncached.Stats().cachedWords, 0);
}

TEST(TextMeasurer, KerningWhereWordsMeetCounts) {
  TMeasuringCanvas canvas;
  canvas.kernedPairs = {QStringLiteral("Y "), QStringLiteral(" T"), QStringLiteral("AV")};
  TTextMeasurer measurer(canvas);
  const QString text = QStringLiteral("Y TOYOTA AVA Y TAXI");
  // The whole text: 19 characters, "Y " twice, " T" twice, "AV" once.
  EXPECT_EQ(measurer.MeasureWidth({}, text), 190 - 3 * 5 + 1);
  EXPECT_EQ(measurer.MeasureWidth({}, u"AVA"), 30 - 3 + 1);  // inside a word
}

// On the screen's own reference device, with a real font that kerns across
// the space ("Y T", "A A"), the cached words and join pairs add up to the
// width of the whole text, so line breaks are those of the whole text.
TEST(TextMeasurer, WordsAndJoinsAddUpToTheWholeTextOnTheScreen) {
  std::unique_ptr<TCanvas> screen = CreateReferenceCanvas();
  TTextMeasurer measurer(*screen);
  const QString texts[] = {QStringLiteral("NOMBRE Y FIRMA DEL TITULAR DE LA DEPENDENCIA O ENTIDAD"),
                           QStringLiteral("AUTO-MOVIL TOYOTA YARIS AZUL"),
                           QStringLiteral("Wave AVA Tokyo LTA"),
                           QStringLiteral("Titular de la Depepndencia o Entidad")};
  for (const double points : {8.0, 10.0, 16.0, 80.0}) {
    for (const bool bold : {false, true}) {
      TFontSpec font;
      font.pointSize = points;
      font.style.bold = bold;
      for (const QString& text : texts) {
        const int measured = measurer.MeasureWidth(font, text);
        screen->SelectFont(font);
        EXPECT_EQ(measured, screen->TextExtent(text).width() + 1)
            << points << "pt " << bold << " " << text.toStdString();
      }
    }
  }
}

}  // namespace
