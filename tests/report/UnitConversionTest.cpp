// Every conversion of the unit table, both ways, on a holder of a report
// whose font size drives Characters; the holder's resolution is the
// screen's (96 pixels per inch offscreen).

#include <cmath>

#include "QRBand.h"
#include "QRPrintable.h"
#include "ReportFixture.h"

namespace {

struct ConversionCase {
  const char* name;
  TQRUnit unit;
  TQRDirection direction;
  int zoom;
  double fontSize;  // the report's
  long double value;
  long double stored;  // tenths of a millimetre
};

constexpr auto H = TQRDirection::Horizontal;
constexpr auto V = TQRDirection::Vertical;

const ConversionCase kConversions[] = {
    {"MillimetresTimesTen", TQRUnit::MM, V, 100, 10, 10, 100},
    {"InchIs254Tenths", TQRUnit::Inches, H, 100, 10, 0.5L, 127},
    {"NativeIsStored", TQRUnit::Native, H, 100, 10, 1955.2708333333333L, 1955.2708333333333L},
    // 11 inches at 96 pixels per inch.
    {"PixelsAtZoom100", TQRUnit::Pixels, H, 100, 10, 1056, 2794},
    {"PixelsAtZoom200", TQRUnit::Pixels, H, 200, 10, 2112, 2794},
    {"PixelsAtZoom50", TQRUnit::Pixels, V, 50, 10, 48, 254},
    // CharWidth(10) = 8 / 2.54: one character across is 800 / 25.4 tenths.
    {"CharacterAcross", TQRUnit::Characters, H, 100, 10, 1, 800 / 25.4L},
    // CharHeight(10) = 14.53 / 2.54.
    {"CharacterDown", TQRUnit::Characters, V, 100, 10, 1, 1453 / 25.4L},
    {"CharactersOfLargerFont", TQRUnit::Characters, H, 100, 20, 3, 3 * 400 / 25.4L},
    // A negative size (a pixel height kept as such) counts by its magnitude.
    {"NegativeFontSize", TQRUnit::Characters, V, 100, -20, 2, 2 * 726.5L / 25.4L},
    // Zoom changes only the on-screen image: other units ignore it.
    {"ZoomLeavesMillimetres", TQRUnit::MM, H, 250, 10, 27.94L, 279.4L},
};

class UnitConversion : public ReportTest, public ::testing::WithParamInterface<ConversionCase> {};

TEST_P(UnitConversion, ConvertsBothWays) {
  const ConversionCase& c = GetParam();
  TQRReport& report = NewReport();
  TFontSpec font = report.Font();
  font.pointSize = c.fontSize;
  report.SetFont(font);
  TQRUnitBase& holder = report.Page();
  ASSERT_EQ(holder.Resolution(), 96);
  holder.SetZoom(c.zoom);
  holder.SetUnits(c.unit);
  const long double tolerance = 1e-9L * std::max(1.0L, std::fabs(c.stored));
  EXPECT_NEAR(double(holder.FromUnits(c.value, c.direction)), double(c.stored), double(tolerance));
  EXPECT_NEAR(double(holder.ToUnits(c.stored, c.direction)), double(c.value),
              1e-9 * std::max(1.0, std::fabs(double(c.value))));
}

INSTANTIATE_TEST_SUITE_P(Table, UnitConversion, ::testing::ValuesIn(kConversions),
                         [](const auto& info) { return std::string(info.param.name); });

using UnitsTest = ReportTest;

TEST_F(UnitsTest, MeasureWrittenInOneUnitReadsInEveryOther) {
  TQRPage& page = NewReport().Page();
  page.SetUnits(TQRUnit::MM);
  page.SetTopMargin(10);
  EXPECT_EQ(page.StoredValue(TQRPage::kTopMargin), 100.0L);
  page.SetUnits(TQRUnit::Inches);
  EXPECT_NEAR(double(page.TopMargin()), 0.393700787, 1e-9);
  page.SetUnits(TQRUnit::Native);
  EXPECT_EQ(page.TopMargin(), 100.0L);
}

TEST_F(UnitsTest, ValuesAreKeptInExtendedPrecision) {
  TQRBand band(&form);
  band.Size().SetUnits(TQRUnit::Native);
  band.Size().SetHeight(1955.2708333333333333L);
  EXPECT_EQ(band.Size().Height(), 1955.2708333333333333L);
  band.Size().SetUnits(TQRUnit::Pixels);
  EXPECT_NEAR(double(band.Size().Height()), 739.0, 1e-12);
}

TEST_F(UnitsTest, SwitchToPixelsRemembersTheUnitForRestoreUnits) {
  TQRPage& page = NewReport().Page();
  page.SetUnits(TQRUnit::Inches);
  page.SwitchToPixels();
  EXPECT_EQ(page.Units(), TQRUnit::Pixels);
  page.SetUnits(TQRUnit::MM);  // a change in between does not matter
  page.RestoreUnits();
  EXPECT_EQ(page.Units(), TQRUnit::Inches);
}

TEST_F(UnitsTest, WithoutReportCharactersCountAtTenPoints) {
  TQRBand band(&form);
  ASSERT_EQ(band.ParentReport(), nullptr);
  EXPECT_NEAR(double(band.Size().FromUnitsAs(TQRUnit::Characters, 1, H)), 800 / 25.4, 1e-12);
}

TEST_F(UnitsTest, ReportUnitsReachPageBandsAndElements) {
  TQRReport& report = NewReport();
  TQRCustomBand* band = report.CreateBandOfType(rbDetail);
  auto* onBand = new TQRPrintable(&form);
  onBand->SetParent(band);
  auto* onReport = new TQRPrintable(&form);
  onReport->SetParent(&report);
  report.SetUnits(TQRUnit::Characters);
  EXPECT_EQ(report.Units(), TQRUnit::Characters);
  EXPECT_EQ(report.Page().Units(), TQRUnit::Characters);
  EXPECT_EQ(band->Size().Units(), TQRUnit::Characters);
  EXPECT_EQ(onBand->Size().Units(), TQRUnit::Characters);
  EXPECT_EQ(onReport->Size().Units(), TQRUnit::Characters);
  // A band joining later takes the report's unit.
  TQRCustomBand* later = report.CreateBandOfType(rbSummary);
  EXPECT_EQ(later->Size().Units(), TQRUnit::Characters);
}

TEST_F(UnitsTest, ChangingThePageUnitMarksTheReportForRepainting) {
  TQRReport& report = NewReport();
  report.ClearNeedsRepaint();
  report.Page().SetUnits(TQRUnit::Inches);
  EXPECT_TRUE(report.NeedsRepaint());
}

}  // namespace
