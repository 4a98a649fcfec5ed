// Device modes in and out of a QPrinter, and the driver paper codes of the
// page sizes a CUPS printer offers.
#include <gtest/gtest.h>

#include <QPrinter>

#include "DeviceMode.h"
#include "QtDeviceMode.h"
#include "QtPaperCodes.h"

namespace {

struct PaperCase {
  std::int16_t code;
  double widthMm, lengthMm;  // portrait
};

// Codes 1 to 26 as drivers number them. 11x17 (17) is the Tabloid sheet,
// which reads back as Tabloid's own code 3.
const PaperCase kPapers[] = {
    {1, 215.9, 279.4},  {3, 279.4, 431.8},  {5, 215.9, 355.6},  {6, 139.7, 215.9},
    {8, 297.0, 420.0},  {9, 210.0, 297.0},  {11, 148.0, 210.0}, {13, 182.0, 257.0},
    {14, 215.9, 330.0}, {16, 254.0, 355.6}, {20, 104.8, 241.3}, {23, 127.0, 292.1},
};

class PaperCode : public ::testing::TestWithParam<PaperCase> {};

TEST_P(PaperCode, NamesAPageSizeThatReadsBackAsTheSameCode) {
  const PaperCase& c = GetParam();
  const auto size = PageSizeForPaperCode(c.code, 0, 0);
  ASSERT_TRUE(size.has_value());
  const QSizeF mm = size->size(QPageSize::Millimeter);
  EXPECT_NEAR(mm.width(), c.widthMm, 0.6);
  EXPECT_NEAR(mm.height(), c.lengthMm, 0.6);
  EXPECT_EQ(PaperCodeForPageSize(*size), c.code);
}

INSTANTIATE_TEST_SUITE_P(Device, PaperCode, ::testing::ValuesIn(kPapers),
                         [](const auto& info) { return "Code" + std::to_string(info.param.code); });

TEST(PaperCodes, UserDefinedAndUnknownCodes) {
  const auto custom = PageSizeForPaperCode(256, 1000, 1500);
  ASSERT_TRUE(custom.has_value());
  EXPECT_NEAR(custom->size(QPageSize::Millimeter).width(), 100.0, 0.01);
  EXPECT_EQ(PaperCodeForPageSize(*custom), 0);  // a size without a code of its own
  EXPECT_FALSE(PageSizeForPaperCode(256, 0, 1500).has_value());
  EXPECT_FALSE(PageSizeForPaperCode(0, 0, 0).has_value());
  EXPECT_FALSE(PageSizeForPaperCode(-3, 0, 0).has_value());
  EXPECT_EQ(PaperCodeForPageSize(QPageSize(QPageSize::B10)), 0);
}

QPrinter* PdfPrinter() {
  auto* printer = new QPrinter(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setPageSize(QPageSize(QPageSize::A4));
  printer->setPageOrientation(QPageLayout::Portrait);
  return printer;
}

constexpr std::uint32_t kAll = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH |
                               DM_COPIES | DM_DEFAULTSOURCE | DM_DUPLEX;

TEST(DeviceMode, ReadsWhatThePrinterHolds) {
  std::unique_ptr<QPrinter> printer(PdfPrinter());
  printer->setCopyCount(3);
  printer->setPaperSource(QPrinter::Cassette);
  const TDeviceMode mode = ReadDeviceMode(*printer, kAll);
  EXPECT_EQ(mode.fields, kAll);
  EXPECT_EQ(mode.paperSize, 9);
  EXPECT_EQ(mode.paperWidth, 2100);
  EXPECT_EQ(mode.paperLength, 2970);
  EXPECT_EQ(mode.orientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(mode.copies, 3);
  EXPECT_EQ(mode.defaultSource, 14);
}

struct ApplyCase {
  const char* name;
  TDeviceMode mode;
  std::uint32_t supported;
  QSizeF expectMm;  // portrait
  QPageLayout::Orientation expectOrientation;
  int expectCopies;
};

TDeviceMode Mode(std::uint32_t fields, std::int16_t paper, std::int16_t width, std::int16_t length,
                 std::int16_t orientation, std::int16_t copies) {
  TDeviceMode m;
  m.fields = fields;
  m.paperSize = paper;
  m.paperWidth = width;
  m.paperLength = length;
  m.orientation = orientation;
  m.copies = copies;
  return m;
}

const ApplyCase kApplies[] = {
    {"LetterLandscapeTwoCopies",
     Mode(DM_PAPERSIZE | DM_ORIENTATION | DM_COPIES, 1, 0, 0, DMORIENT_LANDSCAPE, 2), kAll,
     QSizeF(215.9, 279.4), QPageLayout::Landscape, 2},
    // User-defined paper from its width and length in tenths of a millimetre.
    {"UserDefinedPaper", Mode(DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH, 256, 1000, 1500, 1, 1),
     kAll, QSizeF(100, 150), QPageLayout::Portrait, 1},
    // Fields the driver does not support are left alone.
    {"UnsupportedFieldsIgnored",
     Mode(DM_PAPERSIZE | DM_ORIENTATION | DM_COPIES, 1, 0, 0, DMORIENT_LANDSCAPE, 5), DM_COPIES,
     QSizeF(210, 297), QPageLayout::Portrait, 5},
    // A code with no size keeps the paper the printer has.
    {"UnknownCodeKeepsThePaper", Mode(DM_PAPERSIZE, 999, 0, 0, 1, 1), kAll, QSizeF(210, 297),
     QPageLayout::Portrait, 1},
};

class ApplyDeviceModeTest : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyDeviceModeTest, ChangesOnlyTheFieldsItCarries) {
  const ApplyCase& c = GetParam();
  std::unique_ptr<QPrinter> printer(PdfPrinter());
  ApplyDeviceMode(*printer, c.mode, c.supported);
  const QSizeF mm = printer->pageLayout().pageSize().size(QPageSize::Millimeter);
  EXPECT_NEAR(mm.width(), c.expectMm.width(), 0.1);
  EXPECT_NEAR(mm.height(), c.expectMm.height(), 0.1);
  EXPECT_EQ(printer->pageLayout().orientation(), c.expectOrientation);
  EXPECT_EQ(printer->copyCount(), c.expectCopies);
}

INSTANTIATE_TEST_SUITE_P(Device, ApplyDeviceModeTest, ::testing::ValuesIn(kApplies),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
