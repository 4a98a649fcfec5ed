// A real print of the permit through CUPS to the cups-pdf queue "PDF" of the
// private scheduler that scripts/test-printer.sh runs, from the preview's
// Print button: the PDF holds the permit's texts and the record is written
// after the print.

#include <QFile>

#include "DateTimeTexts.h"
#include "PermitRunFixture.h"
#include "PrinterDevice.h"
#include "QRStandardPreview.h"
#include "TestPrinter.h"

namespace {

class PermitCups : public PermitRun {
 protected:
  void SetUp() override {
    const QString missing = test_printer::Missing();
    ASSERT_TRUE(missing.isEmpty()) << missing.toStdString();
    scriptedPrinter_ = false;
    PermitRun::SetUp();
  }
};

TEST_F(PermitCups, PrintFromThePreviewReachesThePdfQueue) {
  ASSERT_TRUE(CreatePrinterDevice()->Printers().contains(QStringLiteral("PDF")))
      << "the test scheduler has no queue \"PDF\"";
  const QStringList before = test_printer::Pdfs();
  Fill();
  EXPECT_TRUE(Preliminar([&](TQRStandardPreview& preview) { Print(preview); }));
  // The record, once the job was handed to CUPS.
  EXPECT_EQ(dialogs_.Log().last(),
            QStringLiteral("Information: Archivo Generado con Exito !!! en C:\\Permiso"));
  EXPECT_TRUE(QFile::exists(Record()));

  const QString pdf =
      test_printer::WaitForPdf([&](const QString& name) { return !before.contains(name); });
  ASSERT_FALSE(pdf.isEmpty()) << "no new PDF in " << test_printer::PdfFolder().toStdString();
  const QString text = test_printer::PdfText(pdf);
  const permit::DateTimeTexts t;
  EXPECT_TRUE(text.contains(QStringLiteral("PERMISO DE CIRCULACIÓN"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("0007")));
  EXPECT_TRUE(text.contains(t.DateText(QDateTime(QDate(2026, 12, 10), QTime()))));
  EXPECT_TRUE(text.contains(t.DateText(QDateTime(QDate(2026, 12, 11), QTime()))));
  EXPECT_TRUE(text.contains(QStringLiteral("PLACA: ABC123")));
  if (!qEnvironmentVariableIsSet("PERMISO_KEEP_PDF")) QFile::remove(pdf);
}

}  // namespace
