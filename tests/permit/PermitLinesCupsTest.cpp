// The lines of the permit's two wrapping texts, QRComision and QRDias, read
// where a person reads them: on the page the preview stores (its EMF
// records replayed), on paper printed from the preview through the CUPS
// queue "PDF", and on paper printed from a saved file loaded again. All
// three must show the same lines. CTest runs this in the C and the es_MX
// locales (the date texts of QRDias differ).
//
// A line on paper is what pdftotext finds inside the element's rectangle;
// pdftotext keeps a character whose baseline lies in the area it is asked
// for, and at 254 "pixels" per inch one unit of that area is a tenth of a
// millimetre on the paper.

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <memory>

#include "DateTimeTexts.h"
#include "Metafile.h"
#include "PermitRunFixture.h"
#include "PrinterDevice.h"
#include "QRLabel.h"
#include "QRPrinter.h"
#include "QRStandardPreview.h"
#include "TMemo.h"
#include "TestPrinter.h"

namespace {

// A job title no other print on this machine uses, so that its PDF is found
// by name while other jobs go through the same queue.
QString UniqueTitle(const char* what) {
  return QStringLiteral("permiso-lines-%1-%2-%3")
      .arg(QString::fromLatin1(what))
      .arg(QCoreApplication::applicationPid())
      .arg(QDateTime::currentMSecsSinceEpoch());
}

QStringList Cleaned(const QStringList& lines) {
  QStringList out;
  for (const QString& line : lines)
    if (const QString s = line.simplified(); !s.isEmpty()) out << s;
  return out;
}

// The lines pdftotext reads on page 1 inside `area` (tenths of a millimetre
// on the paper).
QStringList PdfLines(const QString& pdf, const QRectF& area) {
  const QRect a = area.toAlignedRect();
  QProcess text;
  text.start(QStringLiteral("pdftotext"),
             {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
              QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-x"),
              QString::number(a.x()), QStringLiteral("-y"), QString::number(a.y()),
              QStringLiteral("-W"), QString::number(a.width()), QStringLiteral("-H"),
              QString::number(a.height()), pdf, QStringLiteral("-")});
  if (!text.waitForFinished(20000) || text.exitCode() != 0)
    return {QStringLiteral("<pdftotext failed>")};
  return Cleaned(
      QString::fromUtf8(text.readAllStandardOutput()).split(QRegularExpression("[\n\f]")));
}

class PermitLines : public PermitRun {
 protected:
  void SetUp() override {
    const QString missing = test_printer::Missing();
    ASSERT_TRUE(missing.isEmpty()) << missing.toStdString();
    scriptedPrinter_ = false;
    PermitRun::SetUp();
  }
};

TEST_F(PermitLines, WrappingTextsReadTheSameInTheStoreOnPaperAndFromASavedFile) {
  ASSERT_TRUE(CreatePrinterDevice()->Printers().contains(QStringLiteral("PDF")))
      << "the test scheduler has no queue \"PDF\"";
  // CTest runs this in C ("10 Dec 2026") and in es_MX ("10/12/2026"); Qt
  // takes the regional formats from the environment, without the system's
  // locale files.
  if (const QString asked = qEnvironmentVariable("LC_ALL").section(u'.', 0, 0); !asked.isEmpty()) {
    ASSERT_EQ(QLocale::system().name(), asked) << "the run's regional formats are not those asked for";
  }
  const QString saved = home_.path() + QStringLiteral("/permiso.QRP");
  Fill();  // valid from 10 to 11 December: two different days
  const QString first = QStringLiteral("SUPERVISIÓN DE LA OBRA DEL PUENTE EN EL KM 12");
  const QString second = QStringLiteral("Y REVISIÓN DEL CAMINO DE ACCESO");
  form_->Comision->SetText(first + u'\n' + second);
  const QString directTitle = UniqueTitle("direct");
  document_->SetReportTitle(directTitle);

  const TQRLabel& commission = *document_->QRComision;
  const TQRLabel& days = *document_->QRDias;
  QSizeF paper;
  QStringList storedCommission, storedDays;
  EXPECT_TRUE(Preliminar([&](TQRStandardPreview& preview) {
    TQRPrinter& printer = *preview.QRPrinter();
    paper = QSizeF(printer.OrientedPaperWidth(), printer.OrientedPaperLength());
    const std::unique_ptr<TMetafile> page = printer.FetchPage(1);
    ASSERT_TRUE(page);
    storedCommission = StoredLines(*page, paper, commission);
    storedDays = StoredLines(*page, paper, days);
    printer.SavePrepared(saved);
    Print(preview);
  }));

  // What the permit must show: the commission's two lines, and both days
  // whole on the two lines that 80 points leave room for.
  const permit::DateTimeTexts t;
  const QString from = t.DateText(QDateTime(QDate(2026, 12, 10), QTime()));
  const QString to = t.DateText(QDateTime(QDate(2026, 12, 11), QTime()));
  EXPECT_EQ(storedCommission, QStringList({first, second}));
  EXPECT_EQ(storedDays.size(), 2);
  EXPECT_EQ(storedDays.join(u' '), from + QStringLiteral(" al ") + to);

  const QString direct = test_printer::WaitForPdf(
      [&](const QString& name) { return name.contains(directTitle); });
  ASSERT_FALSE(direct.isEmpty()) << "no PDF for " << directTitle.toStdString();
  EXPECT_EQ(PdfLines(direct, PageRect(commission)), storedCommission);
  EXPECT_EQ(PdfLines(direct, PageRect(days)), storedDays);

  // The saved file, loaded and printed later: its page is the stored page,
  // drawn over the printer's printable area.
  TQRPrinter loaded;
  loaded.LoadPrepared(saved);
  {
    const std::unique_ptr<TMetafile> page = loaded.FetchPage(1);
    ASSERT_TRUE(page);
    EXPECT_EQ(StoredLines(*page, paper, commission), storedCommission);
    EXPECT_EQ(StoredLines(*page, paper, days), storedDays);
  }
  const QString loadedTitle = UniqueTitle("loaded");
  loaded.SetJobTitle(loadedTitle);
  loaded.PrintPages();
  const TPrinterDevice& device = loaded.PrinterDevice();
  // Page tenths to paper tenths: from the printable area's corner, scaled
  // to its size.
  const double ppi = device.LogPixelsX();
  const QPointF corner(device.PhysicalOffsetX() * 254 / ppi, device.PhysicalOffsetY() * 254 / ppi);
  const double sx = device.PageWidth() * 254 / ppi / paper.width();
  const double sy = device.PageHeight() * 254 / device.LogPixelsY() / paper.height();
  auto onPaper = [&](const QRectF& r) {
    return QRectF(corner.x() + r.left() * sx, corner.y() + r.top() * sy, r.width() * sx,
                  r.height() * sy);
  };
  const QString fromFile = test_printer::WaitForPdf(
      [&](const QString& name) { return name.contains(loadedTitle); });
  ASSERT_FALSE(fromFile.isEmpty()) << "no PDF for " << loadedTitle.toStdString();
  EXPECT_EQ(PdfLines(fromFile, onPaper(PageRect(commission))), storedCommission);
  EXPECT_EQ(PdfLines(fromFile, onPaper(PageRect(days))), storedDays);

  if (!qEnvironmentVariableIsSet("PERMISO_KEEP_PDF")) {
    QFile::remove(direct);
    QFile::remove(fromFile);
  }
}

}  // namespace
