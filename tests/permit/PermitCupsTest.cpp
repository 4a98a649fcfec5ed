// A real print of the permit through CUPS to the cups-pdf queue "PDF"
// (scripts/cups-up.sh adds it), from the preview's Print button: the PDF
// holds the permit's texts and the record is written after the print.

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include "DateTimeTexts.h"
#include "PermitRunFixture.h"
#include "PrinterDevice.h"
#include "QRStandardPreview.h"

namespace {

// cups-pdf's output folder for this user's jobs, from its own settings.
QString CupsPdfFolder() {
  QString out = QStringLiteral("${HOME}/PDF");
  QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
  if (conf.open(QIODevice::ReadOnly))
    for (const QByteArray& line : conf.readAll().split('\n'))
      if (line.trimmed().startsWith("Out "))
        out = QString::fromUtf8(line.trimmed().mid(4).trimmed());
  const passwd* pw = getpwuid(getuid());
  out.replace(QStringLiteral("${HOME}"),
              pw ? QString::fromLocal8Bit(pw->pw_dir) : QDir::homePath());
  return out;
}

QStringList Pdfs(const QString& folder) {
  return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
}

// The text of the first readable PDF that was not in `before`.
QString WaitForNewPdfText(const QString& folder, const QStringList& before, QString* path) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < 60000) {
    for (const QString& name : Pdfs(folder)) {
      if (before.contains(name)) continue;
      QProcess text;
      text.start(QStringLiteral("pdftotext"), {folder + u'/' + name, QStringLiteral("-")});
      if (text.waitForFinished(20000) && text.exitCode() == 0) {
        *path = folder + u'/' + name;
        return QString::fromUtf8(text.readAllStandardOutput());
      }
    }
    QThread::msleep(200);
  }
  return {};
}

class PermitCups : public PermitRun {
 protected:
  void SetUp() override {
    scriptedPrinter_ = false;
    PermitRun::SetUp();
  }
};

TEST_F(PermitCups, PrintFromThePreviewReachesThePdfQueue) {
  ASSERT_TRUE(CreatePrinterDevice()->Printers().contains(QStringLiteral("PDF")))
      << "no CUPS queue \"PDF\": scripts/cups-up.sh adds it";
  const QString folder = CupsPdfFolder();
  const QStringList before = Pdfs(folder);
  Fill();
  EXPECT_TRUE(Preliminar([&](TQRStandardPreview& preview) { Print(preview); }));
  // The record, once the job was handed to CUPS.
  EXPECT_EQ(dialogs_.Log().last(),
            QStringLiteral("Information: Archivo Generado con Exito !!! en C:\\Permiso"));
  EXPECT_TRUE(QFile::exists(Record()));

  QString pdf;
  const QString text = WaitForNewPdfText(folder, before, &pdf);
  ASSERT_FALSE(text.isEmpty()) << "no new PDF in " << folder.toStdString();
  const permit::DateTimeTexts t;
  EXPECT_TRUE(text.contains(QStringLiteral("PERMISO DE CIRCULACIÓN"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("0007")));
  EXPECT_TRUE(text.contains(t.DateText(QDateTime(QDate(2026, 12, 10), QTime()))));
  EXPECT_TRUE(text.contains(t.DateText(QDateTime(QDate(2026, 12, 11), QTime()))));
  EXPECT_TRUE(text.contains(QStringLiteral("PLACA: ABC123")));
  if (!qEnvironmentVariableIsSet("PERMISO_KEEP_PDF")) QFile::remove(pdf);
}

}  // namespace
