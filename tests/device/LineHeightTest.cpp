// A font's line height is the same on every canvas a page goes to: the
// screen's reference device, a metafile page and the PDF page canvas of a
// print job at any resolution. For Liberation Sans, which "Arial" resolves
// to, it is ascent 1854 plus descent 434 of 2048 units per em, so the
// permit's design gets the lines it was drawn for.
#include <gtest/gtest.h>

#include <QBuffer>
#include <cmath>
#include <functional>
#include <memory>

#include "FontHeight.h"
#include "Metafile.h"
#include "PdfDocument.h"
#include "PdfPageCanvas.h"
#include "ReferenceCanvas.h"

namespace {

TFontSpec Arial(double points, bool bold = false) {
  TFontSpec font;
  font.pointSize = points;
  font.style.bold = bold;
  return font;
}

// One of each surface, with the font selected: its line height in points,
// and the extent height of "W" in its pixels.
struct TMeasured {
  const char* surface;
  int ppi;
  double points;
  int extentHeight;
};

std::vector<TMeasured> MeasureEverywhere(const TFontSpec& font) {
  std::vector<TMeasured> out;
  auto measure = [&](const char* surface, TCanvas& canvas) {
    canvas.SelectFont(font);
    out.push_back({surface, canvas.PixelsPerInchY(), canvas.LineHeightPoints(),
                   canvas.TextExtent(QStringLiteral("W")).height()});
  };
  measure("reference device", *CreateReferenceCanvas());
  TMetafileCanvas page(1056, 816);
  measure("metafile page", page);
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  TPdfDocument document(pdf);
  for (int ppi : {300, 600, 1200}) {
    document.BeginPage(QSizeF(792, 612), ppi, QPointF(0, 0));
    TPdfPageCanvas canvas(document, ppi);
    measure("PDF page", canvas);
    document.EndPage();
  }
  return out;
}

struct TDesignCase {
  const char* name;
  double points;
  bool bold;
  double lineHeightPoints;  // the font's own: 2288 / 2048 of the size
  double heightMm;          // the element's height in the design
  int lines;                // the lines the design was drawn for
};

const TDesignCase kDesignCases[] = {
    {"QRComision", 16, false, 17.875, 12.96, 2},
    {"QRVehiculo", 16, false, 17.875, 18.79, 2},
    {"QRDias", 80, false, 89.375, 63.24, 2},
    {"SignatureName", 8, false, 8.9375, 8.47, 2},
    {"SignatureCaption", 10, false, 11.171875, 8.73, 2},
    {"QRDependencia", 18, true, 20.109375, 7.94, 1},
};

class DesignLineHeight : public testing::TestWithParam<TDesignCase> {};

TEST_P(DesignLineHeight, IsTheFontsOwnOnEverySurfaceAndGivesTheDesignsLines) {
  const TDesignCase& c = GetParam();
  const TFontSpec font = Arial(c.points, c.bold);
  EXPECT_DOUBLE_EQ(FontLineHeightPoints(font), c.lineHeightPoints);
  for (const TMeasured& m : MeasureEverywhere(font)) {
    SCOPED_TRACE(std::string(m.surface) + " at " + std::to_string(m.ppi) + " dpi");
    EXPECT_DOUBLE_EQ(m.points, c.lineHeightPoints);
    // The extent is the line in whole pixels, rounded up.
    EXPECT_EQ(m.extentHeight, int(std::ceil(c.lineHeightPoints * m.ppi / 72 - 1e-9)));
  }
  // The lines that fit an element: those ending within its height and a
  // tenth of a millimetre.
  const double lineTenths = c.lineHeightPoints * 254 / 72;
  EXPECT_EQ(int(std::floor((c.heightMm * 10 + 1) / lineTenths)), c.lines);
}

INSTANTIATE_TEST_SUITE_P(Permit, DesignLineHeight, testing::ValuesIn(kDesignCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LineHeightPixels, RoundsUpButNotForTheLastBitsOfAWholeNumber) {
  EXPECT_EQ(LineHeightPixels(17.875, 96), 24);  // 23.83 pixels
  EXPECT_EQ(LineHeightPixels(12, 96), 16);      // exactly 16
  EXPECT_EQ(LineHeightPixels(16 * 72.0 / 600, 600), 16);
  EXPECT_EQ(LineHeightPixels(0, 96), 0);
}

}  // namespace
