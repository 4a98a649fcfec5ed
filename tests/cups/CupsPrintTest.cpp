// Prints through the printer layer to the cups-pdf queue "PDF" of the private
// scheduler that scripts/test-printer.sh runs, and reads back what arrived.
#include <cups/cups.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>

#include "PrinterErrors.h"
#include "QtPrinterDevice.h"
#include "TestPrinter.h"

namespace {

using test_printer::PdfText;
using test_printer::TTextLayout;

QString UniqueTitle(const char* what) {
  return QStringLiteral("permiso-%1-%2-%3")
      .arg(QString::fromLatin1(what))
      .arg(QCoreApplication::applicationPid())
      .arg(QDateTime::currentMSecsSinceEpoch());
}

// The PDF of the job titled `title`; empty when it did not arrive.
QString WaitForPdf(const QString& title) {
  return test_printer::WaitForPdf([&](const QString& name) { return name.contains(title); });
}

class CupsPrint : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString missing = test_printer::Missing();
    ASSERT_TRUE(missing.isEmpty()) << missing.toStdString();
    const int index = device_.Printers().indexOf(QStringLiteral("PDF"));
    ASSERT_GE(index, 0) << "the test scheduler has no queue \"PDF\"";
    device_.SetPrinterIndex(index);
    folder_ = test_printer::PdfFolder();
  }
  void TearDown() override {
    if (qEnvironmentVariableIsSet("PERMISO_KEEP_PDF")) return;
    for (const QString& f : made_) QFile::remove(f);
  }

  void PrintText(const QString& title, const QString& text) {
    device_.SetTitle(title);
    device_.BeginDoc();
    TFontSpec font;
    font.pointSize = 24;
    device_.Canvas().SelectFont(font);
    device_.Canvas().TextOut(600, 600, TTextAnchor::Left, text);
    device_.EndDoc();
  }

  TQtPrinterDevice device_;
  QString folder_;
  QStringList made_;
};

TEST_F(CupsPrint, OnePageJobArrivesAsPdfWithItsText) {
  const QString title = UniqueTitle("page");
  PrintText(title, QStringLiteral("PERMISO DE CIRCULACION 4711"));
  EXPECT_FALSE(device_.Printing());
  const QString pdf = WaitForPdf(title);
  ASSERT_FALSE(pdf.isEmpty()) << "no PDF for " << title.toStdString() << " in "
                              << folder_.toStdString();
  made_ << pdf;
  EXPECT_TRUE(PdfText(pdf, TTextLayout::Physical).contains(QStringLiteral("PERMISO DE CIRCULACION 4711")));
}

TEST_F(CupsPrint, AbortedJobNeverReachesTheQueue) {
  const QString aborted = UniqueTitle("aborted");
  device_.SetTitle(aborted);
  device_.BeginDoc();
  device_.Canvas().TextOut(600, 600, TTextAnchor::Left, QStringLiteral("never printed"));
  device_.Abort();
  EXPECT_FALSE(device_.Printing());
  // A job sent afterwards arrives after the aborted one would have.
  const QString later = UniqueTitle("after-abort");
  PrintText(later, QStringLiteral("second"));
  const QString pdf = WaitForPdf(later);
  ASSERT_FALSE(pdf.isEmpty());
  made_ << pdf;
  EXPECT_TRUE(
      QDir(folder_).entryList({QStringLiteral("*%1*").arg(aborted)}, QDir::Files).isEmpty());
}

TEST_F(CupsPrint, DeviceModeChangesThePage) {
  auto mode = device_.DeviceMode();
  ASSERT_TRUE(mode.has_value());
  EXPECT_EQ(mode->fields & DM_PAPERSIZE, DM_PAPERSIZE);
  mode->paperSize = 1;  // Letter
  mode->orientation = DMORIENT_LANDSCAPE;
  mode->copies = 2;
  device_.SetPrinter(device_.Names(), mode);
  EXPECT_EQ(device_.LogPixelsX(), 1200);
  EXPECT_EQ(device_.PhysicalWidth(), 13200);  // 11 in across
  EXPECT_EQ(device_.PhysicalHeight(), 10200);
  EXPECT_GT(device_.PhysicalOffsetX(), 0);
  EXPECT_LT(device_.PageWidth(), device_.PhysicalWidth());
  auto back = device_.DeviceMode();
  EXPECT_EQ(back->paperSize, 1);
  EXPECT_EQ(back->orientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(back->copies, 2);
  // Without a device mode the driver's defaults return.
  device_.SetPrinter(device_.Names(), std::nullopt);
  EXPECT_EQ(device_.DeviceMode()->copies, 1);
  EXPECT_TRUE(device_.PaperCodes().contains(9));  // A4
}

TEST_F(CupsPrint, JobCallsOutOfTurnAreRefused) {
  EXPECT_THROW(device_.NewPage(), EPrinter);
  EXPECT_THROW(device_.EndDoc(), EPrinter);
  device_.SetTitle(UniqueTitle("refused"));
  device_.BeginDoc();
  EXPECT_THROW(device_.BeginDoc(), EPrinter);
  EXPECT_THROW(device_.SetPrinterIndex(0), EPrinter);
  device_.Abort();
}

TEST_F(CupsPrint, SelectedPrinterIsKnownByItsQueue) {
  // "PDF" is the test scheduler's default destination: it is listed first.
  EXPECT_EQ(device_.Printers().value(0), QStringLiteral("PDF"));
  const TPrinterNames names = device_.Names();
  EXPECT_EQ(names.device, QStringLiteral("PDF"));
  EXPECT_TRUE(names.port.startsWith(QStringLiteral("cups-pdf:"))) << names.port.toStdString();
  EXPECT_FALSE(names.driver.isEmpty());
  EXPECT_TRUE(device_.DriverPath().endsWith(QStringLiteral("PDF.ppd")));
  const std::uint32_t fields = device_.SupportedFields();
  EXPECT_EQ(fields & (DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES),
            DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES);
  const QVector<std::int16_t> codes = device_.PaperCodes();
  EXPECT_TRUE(codes.contains(1) && codes.contains(9)) << "Letter and A4";
  EXPECT_FALSE(codes.contains(0));
}

TEST_F(CupsPrint, TwoPageJobArrivesWithBothPages) {
  const QString title = UniqueTitle("two-pages");
  device_.SetTitle(title);
  device_.BeginDoc();
  TFontSpec font;
  font.pointSize = 20;
  device_.Canvas().SelectFont(font);
  device_.Canvas().TextOut(300, 300, TTextAnchor::Left, QStringLiteral("PRIMERA HOJA"));
  device_.NewPage();
  EXPECT_TRUE(device_.Printing());
  device_.Canvas().SelectFont(font);
  device_.Canvas().TextOut(300, 300, TTextAnchor::Left, QStringLiteral("SEGUNDA HOJA"));
  device_.EndDoc();
  const QString pdf = WaitForPdf(title);
  ASSERT_FALSE(pdf.isEmpty());
  made_ << pdf;
  const QString text = PdfText(pdf, TTextLayout::Physical);
  EXPECT_TRUE(text.contains(QStringLiteral("PRIMERA HOJA")));
  EXPECT_TRUE(text.contains(QStringLiteral("SEGUNDA HOJA")));
  EXPECT_EQ(text.count(QChar(0x0C)), 2) << "one form feed per page";
}

// With no scheduler to ask, there are no printers, and nothing can be begun.
TEST(CupsWithoutDestinations, PrinterListIsEmpty) {
  cupsSetServer("/nonexistent/permiso-no-cups.sock");
  TQtPrinterDevice device;
  const QStringList printers = device.Printers();
  const int index = device.PrinterIndex();
  const auto mode = device.DeviceMode();
  bool refused = false;
  try {
    device.BeginDoc();
  } catch (const EPrinter&) {
    refused = true;
  }
  cupsSetServer(nullptr);
  EXPECT_TRUE(printers.isEmpty()) << printers.join(',').toStdString();
  EXPECT_EQ(index, -1);
  EXPECT_FALSE(mode.has_value());
  EXPECT_EQ(device.SupportedFields(), 0u);
  EXPECT_TRUE(refused);
  EXPECT_FALSE(device.Printing());
}

}  // namespace
