#include "CupsJob.h"

#include <cups/cups.h>

#include <QFileInfo>

#include "PrinterErrors.h"

int SubmitCupsJob(const QString& destination, const QString& pdfPath, const QString& title,
                  const TCupsJobOptions& options) {
  cups_option_t* list = nullptr;
  int count = 0;
  const QByteArray copies = QByteArray::number(options.copies);
  count = cupsAddOption("copies", copies.constData(), count, &list);
  if (!options.media.isEmpty()) count = cupsAddOption("media", options.media.toUtf8().constData(), count, &list);
  if (!options.sides.isEmpty()) count = cupsAddOption("sides", options.sides.toUtf8().constData(), count, &list);
  count = cupsAddOption("document-format", "application/pdf", count, &list);
  const int job = cupsPrintFile(destination.toUtf8().constData(), QFile::encodeName(pdfPath).constData(),
                                title.toUtf8().constData(), count, list);
  cupsFreeOptions(count, list);
  if (job <= 0) {
    throw EPrinter(QStringLiteral("The print job \"%1\" was refused: %2")
                       .arg(title, QString::fromUtf8(cupsLastErrorString())));
  }
  return job;
}

QString CupsDeviceUri(const QString& destination) {
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, destination.toUtf8().constData(), nullptr);
  if (!dest) return {};
  const char* uri = cupsGetOption("device-uri", dest->num_options, dest->options);
  QString result = uri ? QString::fromUtf8(uri) : QString();
  cupsFreeDests(1, dest);
  return result;
}

QString CupsPpdPath(const QString& destination) {
  // The scheduler keeps each queue's PPD under its server root.
  const QByteArray root = qgetenv("CUPS_SERVERROOT");
  const QString path = QStringLiteral("%1/ppd/%2.ppd")
                           .arg(root.isEmpty() ? QStringLiteral("/etc/cups") : QString::fromLocal8Bit(root),
                                destination);
  return QFileInfo::exists(path) ? path : QString();
}
