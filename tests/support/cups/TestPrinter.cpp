#include "TestPrinter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QThread>

namespace test_printer {

QString PdfFolder() { return qEnvironmentVariable("PERMISO_TEST_PDF_FOLDER"); }

QString Missing() {
  if (qEnvironmentVariableIsEmpty("CUPS_SERVER") || PdfFolder().isEmpty())
    return QStringLiteral(
        "the printing tests run beside a private CUPS scheduler: "
        "scripts/test-printer.sh ctest --test-dir build -R cups");
  if (!QDir(PdfFolder()).exists())
    return QStringLiteral("the test printer's PDF folder %1 is missing").arg(PdfFolder());
  return {};
}

QStringList Pdfs() {
  return QDir(PdfFolder()).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

QString WaitForPdf(const std::function<bool(const QString& name)>& wanted, int limitMs) {
  QElapsedTimer timer;
  timer.start();
  do {
    for (const QString& name : Pdfs()) {
      if (!wanted(name)) continue;
      const QString path = PdfFolder() + QLatin1Char('/') + name;
      QProcess probe;
      probe.start(QStringLiteral("pdfinfo"), {path});
      if (probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit &&
          probe.exitCode() == 0)
        return path;
    }
    // cups-pdf writes from another process; look again shortly.
    QThread::msleep(100);
  } while (timer.elapsed() < limitMs);
  return {};
}

QString PdfText(const QString& path, TTextLayout layout) {
  QStringList arguments;
  if (layout == TTextLayout::Physical) arguments << QStringLiteral("-layout");
  arguments << path << QStringLiteral("-");
  QProcess text;
  text.start(QStringLiteral("pdftotext"), arguments);
  if (!text.waitForFinished(60000) || text.exitCode() != 0) return {};
  return QString::fromUtf8(text.readAllStandardOutput());
}

}  // namespace test_printer
