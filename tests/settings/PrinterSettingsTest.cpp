// TPrinterSettings against the scripted driver: what is read in which
// field, the code tables, what each setter accepts, what is written back
// into the device mode, and a system without printers.

#include <gtest/gtest.h>

#include <memory>

#include "PrinterSettings.h"
#include "QRReportPrinterSettings.h"
#include "ScriptedPrinter.h"

namespace {

constexpr std::uint32_t kAllFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH |
                                     DM_PAPERWIDTH | DM_COPIES | DM_DEFAULTSOURCE | DM_DUPLEX;

class PrinterSettingsTest : public ::testing::Test {
 protected:
  // Binds the settings to a printer made from the script as it stands.
  TPrinterSettings& Bind() {
    device = std::make_unique<TScriptedPrinter>(script);
    settings.SetPrinter(device.get());
    return settings;
  }

  std::shared_ptr<TScriptedPrinterScript> script = std::make_shared<TScriptedPrinterScript>();
  std::unique_ptr<TScriptedPrinter> device;
  TPrinterSettings settings;
};

TEST_F(PrinterSettingsTest, ReadsTheSelectedPrinterAtBinding) {
  script->driverPath = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
  script->ppiX = 600;
  script->ppiY = 300;
  script->offsetX = 100;  // round(100 / 600 * 254) = 42 tenths
  script->offsetY = 100;  // round(100 / 300 * 254) = 85 tenths
  script->defaultMode.orientation = DMORIENT_LANDSCAPE;
  script->defaultMode.copies = 3;
  Bind();
  EXPECT_EQ(settings.Device(), QStringLiteral("Scripted"));
  EXPECT_EQ(settings.Driver(), QStringLiteral("CUPS-PDF_opt.ppd"));
  EXPECT_EQ(settings.Port(), QStringLiteral("scripted:/"));
  EXPECT_EQ(settings.PixelsPerX(), 600);
  EXPECT_EQ(settings.PixelsPerY(), 300);
  EXPECT_EQ(settings.LeftOffset(), 42);
  EXPECT_EQ(settings.TopOffset(), 85);
  EXPECT_EQ(settings.Copies(), 3);
  EXPECT_EQ(settings.OutputBin(), TQRBin::Auto);
  EXPECT_FALSE(settings.Duplex());
  EXPECT_EQ(settings.PaperSize(), TQRPaperSize::Letter);
  EXPECT_EQ(settings.PaperWidth(), 2159);
  EXPECT_EQ(settings.PaperLength(), 2794);
  // Orientation is never read: it stays as set.
  EXPECT_EQ(settings.Orientation(), TPrinterOrientation::poPortrait);
}

TEST_F(PrinterSettingsTest, DriverNameIsTheFileNameCutTo63Characters) {
  const QString name = QString(70, QLatin1Char('d')) + QStringLiteral(".ppd");
  script->driverPath = QStringLiteral("/opt/drivers/") + name;
  Bind();
  EXPECT_EQ(settings.Driver(), name.left(63));
}

TEST_F(PrinterSettingsTest, MarksTheDriversPapersAndAlwaysCustom) {
  script->paperCodes = {1, 5, 9, 0, 999};  // Letter, Legal, A4 and two unknown codes
  Bind();
  for (int i = 0; i < kPaperSizeCount; ++i) {
    const auto size = static_cast<TQRPaperSize>(i);
    const bool listed = size == TQRPaperSize::Letter || size == TQRPaperSize::Legal ||
                        size == TQRPaperSize::A4 || size == TQRPaperSize::Custom;
    EXPECT_EQ(settings.PaperSizeSupported(size), listed) << i;
  }
}

struct BinCase {
  const char* name;
  std::uint32_t fields;
  std::int16_t source;
  TQRBin bin;
};

const BinCase kBins[] = {
    {"OneReadsAsFirst", kAllFields, 1, TQRBin::First},  // Upper carries 1 too
    {"TwoIsLower", kAllFields, 2, TQRBin::Lower},
    {"SevenIsAuto", kAllFields, 7, TQRBin::Auto},
    {"FourteenReadsAsCassette", kAllFields, 14, TQRBin::Cassette},  // Last carries 14 too
    {"UnknownCodeLeavesFirst", kAllFields, 13, TQRBin::First},
    {"UserDefinedBinLeavesFirst", kAllFields, 257, TQRBin::First},
    {"NoSourceFieldLeavesFirst", kAllFields & ~DM_DEFAULTSOURCE, 7, TQRBin::First},
};

class BinReading : public PrinterSettingsTest, public ::testing::WithParamInterface<BinCase> {};

TEST_P(BinReading, TakesTheFirstBinWithTheCode) {
  script->defaultMode.fields = GetParam().fields;
  script->defaultMode.defaultSource = GetParam().source;
  EXPECT_EQ(Bind().OutputBin(), GetParam().bin);
}

INSTANTIATE_TEST_SUITE_P(Table, BinReading, ::testing::ValuesIn(kBins),
                         [](const auto& info) { return std::string(info.param.name); });

struct DuplexCase {
  const char* name;
  std::uint32_t fields;
  std::int16_t duplex;
  bool read;
};

const DuplexCase kDuplex[] = {
    {"Simplex", kAllFields, DMDUP_SIMPLEX, false},
    {"LongEdge", kAllFields, DMDUP_VERTICAL, true},
    {"ShortEdge", kAllFields, DMDUP_HORIZONTAL, true},
    {"NoDuplexField", kAllFields & ~DM_DUPLEX, DMDUP_VERTICAL, false},
};

class DuplexReading : public PrinterSettingsTest,
                      public ::testing::WithParamInterface<DuplexCase> {};

TEST_P(DuplexReading, IsTrueForAnyTwoSidedDefault) {
  script->defaultMode.fields = GetParam().fields;
  script->defaultMode.duplex = GetParam().duplex;
  EXPECT_EQ(Bind().Duplex(), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(Table, DuplexReading, ::testing::ValuesIn(kDuplex),
                         [](const auto& info) { return std::string(info.param.name); });

struct PaperCase {
  const char* name;
  std::uint32_t fields;
  std::int16_t code;
  std::int16_t orientation;
  TQRPaperSize paper;
  int width, length;  // tenths of a millimetre
};

const PaperCase kPaperReads[] = {
    {"A4FromTheTable", kAllFields, 9, DMORIENT_PORTRAIT, TQRPaperSize::A4, 2100, 2970},
    {"NoteFromTheTable", kAllFields, 18, DMORIENT_PORTRAIT, TQRPaperSize::Note, 2159, 2790},
    // Default and Custom take the physical paper from the device, which
    // reports it across and down as the paper lies.
    {"UnknownCodeIsDefault", kAllFields, 300, DMORIENT_PORTRAIT, TQRPaperSize::Default, 2159, 2794},
    {"NoPaperFieldIsDefault", kAllFields & ~DM_PAPERSIZE, 9, DMORIENT_LANDSCAPE,
     TQRPaperSize::Default, 2970, 2100},
    {"UserDefinedIsCustom", kAllFields, 256, DMORIENT_PORTRAIT, TQRPaperSize::Custom, 1000, 1500},
};

class PaperReading : public PrinterSettingsTest, public ::testing::WithParamInterface<PaperCase> {};

TEST_P(PaperReading, TakesTheCodeAndTheDimensions) {
  const PaperCase& c = GetParam();
  script->defaultMode.fields = c.fields;
  script->defaultMode.paperSize = c.code;
  script->defaultMode.orientation = c.orientation;
  script->defaultMode.paperWidth = 1000;
  script->defaultMode.paperLength = 1500;
  Bind();
  EXPECT_EQ(settings.PaperSize(), c.paper);
  EXPECT_EQ(settings.PaperWidth(), c.width);
  EXPECT_EQ(settings.PaperLength(), c.length);
}

INSTANTIATE_TEST_SUITE_P(Table, PaperReading, ::testing::ValuesIn(kPaperReads),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrinterSettingsTest, CopiesComeFromTheDriverOnlyWhenItKeepsThem) {
  script->defaultMode.copies = 4;
  EXPECT_EQ(Bind().Copies(), 4);
  script->defaultMode.fields &= ~DM_COPIES;
  EXPECT_EQ(Bind().Copies(), 1);
}

TEST_F(PrinterSettingsTest, SupportedNeedsEveryBitOnABoundPrinter) {
  EXPECT_FALSE(settings.Supported(DM_COPIES)) << "no printer bound";
  script->defaultMode.fields = DM_COPIES | DM_ORIENTATION;
  Bind();
  EXPECT_TRUE(settings.Supported(DM_COPIES));
  EXPECT_TRUE(settings.Supported(DM_COPIES | DM_ORIENTATION));
  EXPECT_FALSE(settings.Supported(DM_COPIES | DM_DUPLEX));
  EXPECT_FALSE(settings.Supported(DM_PAPERSIZE));
}

struct SetterCase {
  const char* name;
  std::uint32_t fields;
  bool copies, orientation, bin;  // accepted?
};

const SetterCase kSetters[] = {
    {"DriverKeepsAll", kAllFields, true, true, true},
    {"NoCopies", kAllFields & ~DM_COPIES, false, true, true},
    {"NoOrientation", kAllFields & ~DM_ORIENTATION, true, false, true},
    {"NoSource", kAllFields & ~DM_DEFAULTSOURCE, true, true, false},
    {"Nothing", 0, false, false, false},
};

class SetterAcceptance : public PrinterSettingsTest,
                         public ::testing::WithParamInterface<SetterCase> {};

TEST_P(SetterAcceptance, FollowsTheDriversFields) {
  const SetterCase& c = GetParam();
  script->defaultMode.fields = c.fields;
  Bind();
  const int copiesBefore = settings.Copies();
  settings.SetCopies(5);
  settings.SetOrientation(TPrinterOrientation::poLandscape);
  settings.SetOutputBin(TQRBin::Tractor);
  EXPECT_EQ(settings.Copies(), c.copies ? 5 : copiesBefore);
  EXPECT_EQ(settings.Orientation(),
            c.orientation ? TPrinterOrientation::poLandscape : TPrinterOrientation::poPortrait);
  // A refused bin is the one read: First where the driver keeps no source.
  EXPECT_EQ(settings.OutputBin(), c.bin ? TQRBin::Tractor : TQRBin::First);
}

INSTANTIATE_TEST_SUITE_P(Table, SetterAcceptance, ::testing::ValuesIn(kSetters),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrinterSettingsTest, PaperSizeNeedsTheDriversListExceptDefault) {
  script->paperCodes = {1, 5, 9};  // no 18
  Bind();
  settings.SetPaperSize(TQRPaperSize::Note);
  EXPECT_EQ(settings.PaperSize(), TQRPaperSize::Letter) << "Note refused, previous size kept";
  settings.SetPaperSize(TQRPaperSize::Legal);
  EXPECT_EQ(settings.PaperSize(), TQRPaperSize::Legal);
  settings.SetPaperSize(TQRPaperSize::Default);
  EXPECT_EQ(settings.PaperSize(), TQRPaperSize::Default);
  settings.SetPaperSize(TQRPaperSize::Custom);
  EXPECT_EQ(settings.PaperSize(), TQRPaperSize::Custom);
}

TEST_F(PrinterSettingsTest, PaperDimensionsAreSetOnlyForCustom) {
  Bind();
  settings.SetPaperWidth(1234);
  settings.SetPaperLength(2345);
  EXPECT_EQ(settings.PaperWidth(), 2159) << "Letter keeps the table's";
  settings.SetPaperSize(TQRPaperSize::Custom);
  settings.SetPaperWidth(1234);
  settings.SetPaperLength(2345);
  EXPECT_EQ(settings.PaperWidth(), 1234);
  EXPECT_EQ(settings.PaperLength(), 2345);
  // Back on a standard size the table's dimensions are read again.
  settings.SetPaperSize(TQRPaperSize::A4);
  EXPECT_EQ(settings.PaperWidth(), 2100);
}

TEST_F(PrinterSettingsTest, WithoutPrintersNothingIsReadAndOnlyDefaultIsTaken) {
  script->printers.clear();
  Bind();
  EXPECT_TRUE(settings.Device().isEmpty());
  EXPECT_EQ(settings.PixelsPerX(), 0);
  EXPECT_EQ(settings.Copies(), 0);
  settings.SetCopies(2);
  settings.SetOrientation(TPrinterOrientation::poLandscape);
  settings.SetOutputBin(TQRBin::Manual);
  settings.SetPaperSize(TQRPaperSize::Letter);
  settings.SetPaperSize(TQRPaperSize::Custom);
  EXPECT_EQ(settings.Copies(), 0);
  EXPECT_EQ(settings.Orientation(), TPrinterOrientation::poPortrait);
  EXPECT_EQ(settings.OutputBin(), TQRBin::First);
  EXPECT_EQ(settings.PaperSize(), TQRPaperSize::A4);
  settings.SetPaperSize(TQRPaperSize::Default);
  EXPECT_EQ(settings.PaperSize(), TQRPaperSize::Default);
  settings.WriteToDriver();  // nothing to write into, nothing breaks
}

// ---- writing ---------------------------------------------------------------

TEST_F(PrinterSettingsTest, WritesPaperCopiesBinAndOrientation) {
  script->printers = QStringList({"First", "Second"});
  Bind();
  device->SetPrinterIndex(1);
  settings.ReadFromDriver();
  settings.SetPaperSize(TQRPaperSize::A4);
  settings.SetCopies(2);
  settings.SetOutputBin(TQRBin::Cassette);
  settings.SetOrientation(TPrinterOrientation::poLandscape);
  settings.WriteToDriver();
  const TDeviceMode mode = *device->DeviceMode();
  EXPECT_EQ(device->Names().device, QStringLiteral("Second")) << "handed back by its names";
  EXPECT_EQ(mode.fields & (DM_PAPERSIZE | DM_COPIES | DM_DEFAULTSOURCE | DM_ORIENTATION),
            DM_PAPERSIZE | DM_COPIES | DM_DEFAULTSOURCE | DM_ORIENTATION);
  EXPECT_EQ(mode.paperSize, 9);
  EXPECT_EQ(mode.copies, 2);
  EXPECT_EQ(mode.defaultSource, 14);
  EXPECT_EQ(mode.orientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(mode.duplex, DMDUP_SIMPLEX) << "duplex False leaves the driver's";
  settings.SetOrientation(TPrinterOrientation::poPortrait);
  settings.SetOutputBin(TQRBin::Auto);
  settings.WriteToDriver();
  EXPECT_EQ(device->DeviceMode()->orientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(device->DeviceMode()->defaultSource, 7);
}

TEST_F(PrinterSettingsTest, LongEdgeDuplexIsWrittenBackAsShortEdge) {
  script->defaultMode.duplex = DMDUP_VERTICAL;
  Bind();
  ASSERT_TRUE(settings.Duplex());
  settings.WriteToDriver();
  EXPECT_EQ(device->DeviceMode()->duplex, DMDUP_HORIZONTAL);
  EXPECT_TRUE(device->DeviceMode()->fields & DM_DUPLEX);
}

TEST_F(PrinterSettingsTest, DuplexNotReadIsNotWritten) {
  script->defaultMode.fields = kAllFields & ~DM_DUPLEX;
  script->defaultMode.duplex = DMDUP_VERTICAL;
  Bind();
  EXPECT_FALSE(settings.Duplex()) << "not read without the field";
  settings.WriteToDriver();
  EXPECT_FALSE(device->DeviceMode()->fields & DM_DUPLEX);
}

TEST_F(PrinterSettingsTest, CustomPaperWritesItsDimensionsWhereTheDriverTakesThem) {
  for (std::uint32_t fields : {kAllFields, kAllFields & ~(DM_PAPERLENGTH | DM_PAPERWIDTH)}) {
    script->defaultMode = TDeviceMode{};
    script->defaultMode.fields = fields;
    script->defaultMode.paperSize = 1;
    Bind();
    settings.SetPaperSize(TQRPaperSize::Custom);
    settings.SetPaperWidth(1000);
    settings.SetPaperLength(2000);
    settings.WriteToDriver();
    const TDeviceMode mode = *device->DeviceMode();
    const bool takesDimensions = fields & DM_PAPERLENGTH;
    EXPECT_EQ(mode.paperSize, 256);
    EXPECT_EQ(mode.paperWidth, takesDimensions ? 1000 : 0);
    EXPECT_EQ(mode.paperLength, takesDimensions ? 2000 : 0);
  }
}

TEST_F(PrinterSettingsTest, DefaultPaperLeavesTheDriversCode) {
  script->defaultMode.paperSize = 5;
  Bind();
  settings.SetPaperSize(TQRPaperSize::Default);
  settings.WriteToDriver();
  EXPECT_EQ(device->DeviceMode()->paperSize, 5);
}

TEST_F(PrinterSettingsTest, UserDefinedBinMarkSurvivesANewBin) {
  script->defaultMode.defaultSource = 256 + 3;
  Bind();
  settings.SetOutputBin(TQRBin::Manual);
  settings.WriteToDriver();
  EXPECT_EQ(device->DeviceMode()->defaultSource, 256 + 4);
}

TEST(QRPrinterSettingsTest, ReportSettingsStartAtTheirDefaults) {
  const TQRReportPrinterSettings settings;
  EXPECT_EQ(settings.Copies, 1);
  EXPECT_FALSE(settings.Duplex);
  EXPECT_EQ(settings.Orientation, TPrinterOrientation::poPortrait);
  EXPECT_EQ(settings.OutputBin, TQRBin::Auto);
  EXPECT_EQ(settings.PaperSize, TQRPaperSize::Letter);
  EXPECT_EQ(settings.PrinterIndex, -1);
  EXPECT_TRUE(settings.Title.isEmpty());
  EXPECT_EQ(settings.FirstPage, 0);
  EXPECT_EQ(settings.LastPage, 0);
}

}  // namespace
