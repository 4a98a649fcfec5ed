// The on-screen layout: the ruler grid by unit and zoom, band borders and
// captions, the margin rectangle and column boundaries, logged on the fake
// canvas; and a whole test design drawn through the painter canvas into
// report_layout.png (millimetre ruler, zoom 100), checked pixel by pixel.

#include <QImage>
#include <QPainter>
#include <set>

#include "DesignLoader.h"
#include "FakeCanvas.h"
#include "QPainterCanvas.h"
#include "QRBand.h"
#include "QRRuler.h"
#include "ReportFixture.h"

namespace {

struct GridLines {
  std::set<int> solid, dotted;  // x of the vertical lines by pen style
  QStringList numbers;          // "x:text" of the numbers written
};

// Reads the vertical lines and numbers of a ruler from the canvas log.
GridLines VerticalLines(const QStringList& log) {
  GridLines grid;
  QString pen;
  int moveX = -1;
  for (const QString& line : log) {
    const QStringList words = line.split(QLatin1Char(' '));
    if (words[0] == QLatin1String("SetPen")) pen = words.value(3);
    if (words[0] == QLatin1String("MoveTo"))
      moveX = words[1].section(QLatin1Char(','), 0, 0).toInt();
    if (words[0] == QLatin1String("LineTo") &&
        words[1].section(QLatin1Char(','), 0, 0).toInt() == moveX) {
      (pen == QLatin1String("psDot") ? grid.dotted : grid.solid).insert(moveX);
    }
    if (words[0] == QLatin1String("TextOut"))
      grid.numbers << words[1].section(QLatin1Char(','), 0, 0) + ':' + words[3].mid(1).chopped(1);
  }
  return grid;
}

struct RulerCase {
  const char* name;
  TQRUnit unit;
  int zoom;
  bool numbers;
  std::set<int> solid, dotted;
  QStringList numbersWritten;
};

// On an area 120 by 20 pixels (too low for a numbered line across); 96
// pixels per inch.
const RulerCase kRulers[] = {
    // A centimetre is 37.8 pixels, 5 mm 18.9.
    {"MillimetresAtZoom100",
     TQRUnit::MM,
     100,
     true,
     {38, 76, 113},
     {19, 38, 57, 76, 94, 113},
     {"40:1", "78:2", "115:3"}},
    {"MillimetresAtZoom60",
     TQRUnit::MM,
     60,
     true,
     {23, 45, 68, 91, 113},
     {11, 23, 34, 45, 57, 68, 79, 91, 102, 113},
     {"25:1", "47:2", "70:3", "93:4", "115:5"}},
    // Below 60 only the centimetre lines, without numbers.
    {"MillimetresAtZoom59", TQRUnit::MM, 59, true, {22, 45, 67, 89, 111}, {}, {}},
    {"MillimetresOnABand", TQRUnit::MM, 100, false, {38, 76, 113}, {19, 38, 57, 76, 94, 113}, {}},
    {"NativeDrawsMillimetres",
     TQRUnit::Native,
     100,
     false,
     {38, 76, 113},
     {19, 38, 57, 76, 94, 113},
     {}},
    // An inch is 96 pixels: its line and number; quarters from zoom 50.
    {"InchesAtZoom100", TQRUnit::Inches, 100, true, {96}, {24, 48, 72, 96}, {"98:1"}},
    {"InchesAtZoom50",
     TQRUnit::Inches,
     50,
     true,
     {48, 96},
     {12, 24, 36, 48, 60, 72, 84, 96, 108},
     {"50:1", "98:2"}},
    {"InchesAtZoom49", TQRUnit::Inches, 49, true, {47, 94}, {}, {"49:1", "96:2"}},
    // One dotted line per character cell: 8 / 2.54 mm across at 10 points.
    {"Characters",
     TQRUnit::Characters,
     100,
     true,
     {},
     {12, 24, 36, 48, 60, 71, 83, 95, 107, 119},
     {}},
};

class RulerGrid : public ReportTest, public ::testing::WithParamInterface<RulerCase> {};

TEST_P(RulerGrid, DrawsLinesAndNumbersForTheUnitAndZoom) {
  const RulerCase& c = GetParam();
  TQRReport& report = NewReport();
  report.Page().SetZoom(c.zoom);
  TFakeCanvas canvas;
  PaintRulerGrid(canvas, QRect(0, 0, 120, 20), report.Page(), c.unit, TRulerStyle{c.numbers, 12});
  const GridLines grid = VerticalLines(canvas.Log());
  EXPECT_EQ(grid.solid, c.solid);
  EXPECT_EQ(grid.dotted, c.dotted);
  EXPECT_EQ(grid.numbers, c.numbersWritten);
}

INSTANTIATE_TEST_SUITE_P(Table, RulerGrid, ::testing::ValuesIn(kRulers),
                         [](const auto& info) { return std::string(info.param.name); });

class LayoutDrawingTest : public ReportTest {
 protected:
  LayoutDrawingTest() { SetPermitPage(report); }
  TQRReport& report = NewReport();
};

TEST_F(LayoutDrawingTest, BandDrawsFillGridBorderAndCaptionWithoutNumbers) {
  TQRCustomBand* band = report.CreateBandOfType(rbSummary);
  band->SetColor(qRgb(255, 255, 192));
  TFakeCanvas canvas;  // text 16 pixels high
  band->Paint(canvas, QPoint(band->Left(), band->Top()));
  const QStringList log = canvas.DrawingLog();
  ASSERT_GE(log.size(), 2);
  EXPECT_EQ(log[0], QStringLiteral("SetBrush #FFFFC0 bsSolid"));
  EXPECT_EQ(log[1], QStringLiteral("FillRect 38,38,1018,78"));
  EXPECT_TRUE(log.contains(QStringLiteral("Rectangle 38,38,1018,78")));
  // The caption at the lower left: 3 pixels in, 2 above the bottom.
  EXPECT_EQ(canvas.Calls(QStringLiteral("TextOut")),
            QStringList({QStringLiteral("TextOut 41,60 Left \"Summary\"")}));
  EXPECT_FALSE(VerticalLines(log).dotted.empty()) << "the band has its grid";

  band->SetEnabled(false);
  canvas.ClearLog();
  band->Paint(canvas, QPoint(band->Left(), band->Top()));
  EXPECT_EQ(canvas.DrawingLog().value(0), QStringLiteral("SetBrush #C0C0C0 bsSolid"));
}

TEST_F(LayoutDrawingTest, ReportDrawsMarginsFrameAndColumns) {
  report.Page().SetColumns(2);
  {
    TUnitsScope native(report.Page(), TQRUnit::Native);
    report.Page().SetColumnSpace(52.9166666666L);  // 20 pixels
  }
  report.Frame().SetDrawLeft(true);
  report.Page().SetRuler(false);
  TFakeCanvas canvas;
  report.Paint(canvas, QPoint(0, 0));
  const QStringList log = canvas.DrawingLog();
  EXPECT_EQ(log.mid(0, 2), QStringList({"SetBrush #FFFFFF bsSolid", "FillRect 0,0,1056,816"}));
  // One pixel outside the printable area.
  EXPECT_TRUE(log.contains(QStringLiteral("Rectangle 37,37,1019,779")));
  // A frame line of one point is one pixel at zoom 100, from top to bottom margin.
  EXPECT_TRUE(log.contains(QStringLiteral("FillRect 38,38,39,778")));
  // Columns of 480 pixels with a 20 pixel gap between them.
  EXPECT_EQ(VerticalLines(log).dotted, (std::set<int>{518, 538}));
  EXPECT_TRUE(canvas.Calls(QStringLiteral("TextOut")).isEmpty()) << "no ruler, no bands";
}

const char* const kLayoutDesign = R"(object Layout: TQRReport
  Units = MM
  Page.Columns = 2
  Page.Orientation = poLandscape
  Page.PaperSize = Letter
  Page.Values = (100.0 2159.0 100.0 2794.0 100.0 100.0 52.916666666666667)
  Frame.DrawTop = True
  Frame.DrawBottom = True
  Frame.DrawLeft = True
  Frame.DrawRight = True
  Frame.Color = clNavy
  object PageHeaderBand1: TQRBand
    BandType = rbPageHeader
    Color = $00F0E0D0
    Size.Values = (158.75 2592.9166666666667)
  end
  object DetailBand1: TQRBand
    BandType = rbDetail
    Color = $00D0F0D0
    Size.Values = (211.66666666666667 1270.0)
  end
  object DetailChild: TQRChildBand
    ParentBand = DetailBand1
    Color = $00C0FFFF
  end
  object SummaryBand1: TQRBand
    BandType = rbSummary
    Size.Values = (740.83333333333333 2592.9166666666667)
    Frame.DrawBottom = True
    Frame.Width = 2
  end
  object PageFooterBand1: TQRBand
    BandType = rbPageFooter
    Enabled = False
    Size.Values = (105.83333333333333 2592.9166666666667)
  end
end
)";

// Draws the test design as a design surface shows it and keeps the image.
TEST_F(LayoutDrawingTest, TestDesignDrawnIntoAnImage) {
  TQRReport& layout = NewReport();
  LoadDesign(layout, QString::fromUtf8(kLayoutDesign));
  QImage image(layout.Width(), layout.Height(), QImage::Format_RGB32);
  image.fill(Qt::black);
  {
    QPainter painter(&image);
    TQPainterCanvas canvas(painter, 96);
    layout.Paint(canvas, QPoint(0, 0));
  }
  ASSERT_TRUE(image.save(QStringLiteral("report_layout.png")));

  ASSERT_EQ(image.size(), QSize(1056, 816));
  auto colour = [&image](int x, int y) { return image.pixel(x, y) & 0xFFFFFF; };
  // The grid of the report: the 3 cm line in the top margin, mid-grey.
  EXPECT_EQ(colour(113, 20), 0xB4B4B4u);
  EXPECT_EQ(colour(120, 20), 0xFFFFFFu) << "white page between the lines";
  // The bands: header, the detail column and its child, summary, footer.
  EXPECT_EQ(colour(300, 50), 0xD0E0F0u);   // header, 38..98
  EXPECT_EQ(colour(300, 120), 0xD0F0D0u);  // detail, 98..178, 480 wide
  EXPECT_EQ(colour(600, 120), 0xFFFFFFu) << "right of the detail column";
  EXPECT_EQ(colour(300, 190), 0xFFFFC0u);  // child, 178..218
  EXPECT_EQ(colour(300, 400), 0xFFFFFFu);  // summary, 218..498
  EXPECT_EQ(colour(300, 520), 0xC0C0C0u);  // the footer, disabled: light grey
  // The band border and the navy report frame along the left margin.
  EXPECT_EQ(colour(38, 400), 0x000080u);
  EXPECT_EQ(colour(1017, 400), 0x000080u);
}

}  // namespace
