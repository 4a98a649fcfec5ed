// Page setup: the paper size table in both orientations, Default and
// Custom, the setters and what each ignores, and what a new report starts
// with in each measurement system and with each kind of current printer.

#include "ReportFixture.h"

namespace {

struct PaperCase {
  TQRPaperSize size;
  const char* name;
  double widthMm;  // portrait
  double lengthMm;
};

// The table as the paper sizes are published, written out again here so
// that a slip in the engine's copy shows.
const PaperCase kPapers[] = {
    {TQRPaperSize::Letter, "Letter", 215.9, 279.4},
    {TQRPaperSize::LetterSmall, "LetterSmall", 215.9, 279.4},
    {TQRPaperSize::Tabloid, "Tabloid", 279.4, 431.8},
    {TQRPaperSize::Ledger, "Ledger", 431.8, 279.4},  // wider than long in portrait
    {TQRPaperSize::Legal, "Legal", 215.9, 355.6},
    {TQRPaperSize::Statement, "Statement", 139.7, 215.9},
    {TQRPaperSize::Executive, "Executive", 190.5, 254.0},
    {TQRPaperSize::A3, "A3", 297.0, 420.0},
    {TQRPaperSize::A4, "A4", 210.0, 297.0},
    {TQRPaperSize::A4Small, "A4Small", 210.0, 297.0},
    {TQRPaperSize::A5, "A5", 148.0, 210.0},
    {TQRPaperSize::B4, "B4", 250.0, 354.0},
    {TQRPaperSize::B5, "B5", 182.0, 257.0},
    {TQRPaperSize::Folio, "Folio", 215.9, 330.2},
    {TQRPaperSize::Quarto, "Quarto", 215.0, 275.0},
    {TQRPaperSize::qr10X14, "qr10X14", 254.0, 355.6},
    {TQRPaperSize::qr11X17, "qr11X17", 279.4, 431.8},
    {TQRPaperSize::Note, "Note", 215.9, 279.0},  // 279.0, not Letter's 279.4
    {TQRPaperSize::Env9, "Env9", 98.43, 225.4},
    {TQRPaperSize::Env10, "Env10", 104.8, 241.3},
    {TQRPaperSize::Env11, "Env11", 114.3, 263.5},
    {TQRPaperSize::Env12, "Env12", 101.6, 279.4},
    {TQRPaperSize::Env14, "Env14", 127.0, 292.1},
    {TQRPaperSize::CSheet, "CSheet", 100.0, 100.0},  // the sheets carry 100 by 100
    {TQRPaperSize::DSheet, "DSheet", 100.0, 100.0},
    {TQRPaperSize::ESheet, "ESheet", 100.0, 100.0},
};

class PaperSizeTable : public ReportTest, public ::testing::WithParamInterface<PaperCase> {};

TEST_P(PaperSizeTable, SetsWidthAndLengthInEitherOrientation) {
  const PaperCase& c = GetParam();
  TQRPage& page = NewReport().Page();
  page.SetUnits(TQRUnit::Inches);  // the table is applied in MM whatever the unit
  page.SetOrientation(TPrinterOrientation::poPortrait);
  page.SetPaperSize(c.size);
  EXPECT_EQ(page.PaperSize(), c.size);
  EXPECT_EQ(page.Units(), TQRUnit::Inches);
  TUnitsScope mm(page, TQRUnit::MM);
  EXPECT_DOUBLE_EQ(double(page.Width()), c.widthMm);
  EXPECT_DOUBLE_EQ(double(page.Length()), c.lengthMm);
  page.SetOrientation(TPrinterOrientation::poLandscape);
  EXPECT_EQ(page.PaperSize(), c.size);
  EXPECT_DOUBLE_EQ(double(page.Width()), c.lengthMm);
  EXPECT_DOUBLE_EQ(double(page.Length()), c.widthMm);
}

INSTANTIATE_TEST_SUITE_P(Table, PaperSizeTable, ::testing::ValuesIn(kPapers),
                         [](const auto& info) { return std::string(info.param.name); });

using PageSetupTest = ReportTest;

// Default and Custom have no row: they keep the dimensions there are, also
// when the orientation changes.
TEST_F(PageSetupTest, DefaultAndCustomKeepTheirDimensions) {
  for (TQRPaperSize kept : {TQRPaperSize::Default, TQRPaperSize::Custom}) {
    TQRPage& page = NewReport().Page();
    page.SetUnits(TQRUnit::MM);
    page.SetPaperSize(TQRPaperSize::Legal);
    page.SetPaperSize(kept);
    EXPECT_EQ(page.PaperSize(), kept);
    EXPECT_DOUBLE_EQ(double(page.Width()), 215.9);
    EXPECT_DOUBLE_EQ(double(page.Length()), 355.6);
    page.SetOrientation(TPrinterOrientation::poLandscape);
    EXPECT_DOUBLE_EQ(double(page.Width()), 215.9);
    EXPECT_DOUBLE_EQ(double(page.Length()), 355.6);
  }
}

TEST_F(PageSetupTest, WidthAndLengthAreTakenOnlyForCustomPaper) {
  TQRReport& report = NewReport();
  TQRPage& page = report.Page();
  page.SetUnits(TQRUnit::MM);
  page.SetPaperSize(TQRPaperSize::Letter);
  page.SetWidth(100);
  page.SetLength(100);
  EXPECT_DOUBLE_EQ(double(page.Width()), 215.9);
  EXPECT_DOUBLE_EQ(double(page.Length()), 279.4);
  page.SetPaperSize(TQRPaperSize::Custom);
  page.SetWidth(100);
  page.SetLength(50.8);
  EXPECT_EQ(page.StoredValue(TQRPage::kWidth), 1000.0L);
  EXPECT_DOUBLE_EQ(double(page.Length()), 50.8);
  // The report's on-screen image follows: 100 mm and 2 inches at 96 dpi.
  EXPECT_EQ(report.Width(), 378);
  EXPECT_EQ(report.Height(), 192);
}

TEST_F(PageSetupTest, MarginsAndGapAreStoredWhateverThePaper) {
  TQRPage& page = NewReport().Page();
  page.SetUnits(TQRUnit::Inches);
  page.SetTopMargin(1);
  page.SetBottomMargin(0.5L);
  page.SetLeftMargin(0.25L);
  page.SetRightMargin(2);
  page.SetColumnSpace(0.1L);
  EXPECT_EQ(page.WriteValues(),
            (std::vector<long double>{127, page.StoredValue(TQRPage::kLength), 254,
                                      page.StoredValue(TQRPage::kWidth), 63.5L, 508, 25.4L}));
}

TEST_F(PageSetupTest, ColumnsIgnoreValuesNotAboveZero) {
  TQRReport& report = NewReport();
  TQRPage& page = report.Page();
  for (int ignored : {0, -1}) {
    page.SetColumns(ignored);
    EXPECT_EQ(page.Columns(), 1);
  }
  page.SetColumns(3);
  EXPECT_EQ(page.Columns(), 3);
  report.ClearNeedsRepaint();
  page.SetColumns(3);  // the same count changes nothing, not even the image
  EXPECT_FALSE(report.NeedsRepaint());
}

struct NewReportCase {
  const char* name;
  QLocale locale;
  QStringList printers;
  std::uint32_t modeFields;
  std::int16_t paperCode;
  TQRUnit units;
  TQRPaperSize paper;
  double margin;  // in `units`, all four sides
  double widthMm, lengthMm;
};

constexpr std::uint32_t kWithPaper = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
constexpr std::uint32_t kWithoutPaper = DM_ORIENTATION | DM_COPIES;

const NewReportCase kNewReports[] = {
    {"MetricWithLetterPrinter",
     MetricLocale(),
     {"P"},
     kWithPaper,
     1,
     TQRUnit::MM,
     TQRPaperSize::Letter,
     10,
     215.9,
     279.4},
    {"MetricWithA4Printer",
     MetricLocale(),
     {"P"},
     kWithPaper,
     9,
     TQRUnit::MM,
     TQRPaperSize::A4,
     10,
     210,
     297},
    {"UsWithLegalPrinter",
     UsLocale(),
     {"P"},
     kWithPaper,
     5,
     TQRUnit::Inches,
     TQRPaperSize::Legal,
     0.5,
     215.9,
     355.6},
    // A printer's settings start at A4 and are only read when printers exist.
    {"MetricWithoutPrinters",
     MetricLocale(),
     {},
     kWithPaper,
     1,
     TQRUnit::MM,
     TQRPaperSize::A4,
     10,
     210,
     297},
    {"UsWithoutPrinters",
     UsLocale(),
     {},
     kWithPaper,
     1,
     TQRUnit::Inches,
     TQRPaperSize::A4,
     0.5,
     210,
     297},
    // A driver without the paper field reads Default: the locale's paper stays.
    {"UsDriverWithoutPaperField",
     UsLocale(),
     {"P"},
     kWithoutPaper,
     1,
     TQRUnit::Inches,
     TQRPaperSize::Default,
     0.5,
     215.9,
     279.4},
    {"MetricDriverWithUnknownCode",
     MetricLocale(),
     {"P"},
     kWithPaper,
     300,
     TQRUnit::MM,
     TQRPaperSize::Default,
     10,
     210,
     297},
};

class NewReportDefaults : public ReportTest, public ::testing::WithParamInterface<NewReportCase> {};

TEST_P(NewReportDefaults, FollowTheLocaleAndTheCurrentPrinter) {
  const NewReportCase& c = GetParam();
  TLocaleScope caseLocale(c.locale);
  script->printers = c.printers;
  script->defaultMode.fields = c.modeFields;
  script->defaultMode.paperSize = c.paperCode;
  const int devicesBefore = script->devicesMade;
  TQRReport& report = NewReport();
  EXPECT_EQ(script->devicesMade, devicesBefore + 1) << "one printer made for the moment";
  TQRPage& page = report.Page();
  EXPECT_EQ(report.Units(), c.units);
  EXPECT_EQ(page.Units(), c.units);
  EXPECT_EQ(page.PaperSize(), c.paper);
  EXPECT_EQ(page.Orientation(), TPrinterOrientation::poPortrait);
  for (long double margin :
       {page.TopMargin(), page.BottomMargin(), page.LeftMargin(), page.RightMargin()})
    EXPECT_DOUBLE_EQ(double(margin), c.margin);
  EXPECT_EQ(page.ColumnSpace(), 0);
  TUnitsScope mm(page, TQRUnit::MM);
  EXPECT_DOUBLE_EQ(double(page.Width()), c.widthMm);
  EXPECT_DOUBLE_EQ(double(page.Length()), c.lengthMm);
}

INSTANTIATE_TEST_SUITE_P(Table, NewReportDefaults, ::testing::ValuesIn(kNewReports),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageSetupTest, NewReportStartsWithItsDocumentedState) {
  TQRReport& report = NewReport();
  EXPECT_EQ(report.Page().Columns(), 1);
  EXPECT_TRUE(report.Page().Ruler());
  EXPECT_EQ(report.Zoom(), 100);
  EXPECT_EQ(report.RulerFontSize(), 12);
  EXPECT_EQ(report.Color(), 0xFFFFFFFFu);
  EXPECT_EQ(report.Left(), 0);
  EXPECT_EQ(report.Top(), 0);
  EXPECT_EQ(report.Font().face, QStringLiteral("Arial"));
  EXPECT_EQ(report.Font().pointSize, 10);
  EXPECT_TRUE(report.SnapToGrid());
  EXPECT_TRUE(report.ShowProgress());
  EXPECT_TRUE(report.PrintIfEmpty());
  EXPECT_TRUE(report.ReportTitle().isEmpty());
  EXPECT_TRUE(report.Description().isEmpty());
  EXPECT_EQ(report.Options(),
            (TQRReportOptions{TQRReportOption::FirstPageHeader, TQRReportOption::LastPageFooter}));
  EXPECT_FALSE(report.Frame().HasLines());
  EXPECT_TRUE(report.BandList().empty());

  const TQRReportPrinterSettings& settings = report.PrinterSettings();
  EXPECT_EQ(settings.Copies, 1);
  EXPECT_FALSE(settings.Duplex);
  EXPECT_EQ(settings.FirstPage, 0);
  EXPECT_EQ(settings.LastPage, 0);
  EXPECT_EQ(settings.OutputBin, TQRBin::Auto);
  EXPECT_EQ(settings.PrinterIndex, -1);

  QStringList named;
  for (const TQRNamedValue& v : report.Functions().Values()) named << v.name + '=' + v.value;
  EXPECT_EQ(named, QStringList({"PAGENUMBER=0", "COLUMNNUMBER=0", "REPORTTITLE=''"}));
  ASSERT_NE(report.PageNumber, nullptr);
  EXPECT_EQ(report.PageNumber->name, QStringLiteral("PAGENUMBER"));
  ASSERT_NE(report.ColumnNumber, nullptr);
  ASSERT_NE(report.ReportTitleValue, nullptr);
  EXPECT_EQ(report.ReportTitleValue->name, QStringLiteral("REPORTTITLE"));

  // Run state between runs.
  EXPECT_EQ(report.QRPrinter, nullptr);
  EXPECT_TRUE(report.Available);
  EXPECT_TRUE(report.FinalPass);
  EXPECT_FALSE(report.Cancelled);
  EXPECT_EQ(report.CurrentY, -1);
  EXPECT_EQ(report.PageCount, 0);
}

TEST_F(PageSetupTest, ReportControlIsThePagesPixelImage) {
  TQRReport& report = NewReport();
  SetPermitPage(report);
  EXPECT_EQ(report.Width(), 1056);
  EXPECT_EQ(report.Height(), 816);
  report.SetZoom(50);
  EXPECT_EQ(report.Width(), 528);
  EXPECT_EQ(report.Height(), 408);
}

}  // namespace
