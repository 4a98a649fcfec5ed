#include "QRPdfFilter.h"

#include <QFileInfo>
#include <QSaveFile>

#include "Metafile.h"
#include "MetafilePdfPage.h"
#include "PdfDocument.h"
#include "QRPrinter.h"
#include "TQRStream.h"

void TQRPdfFilter::WritePages(TQRPrinter& printer, const QString& fileName) {
  // Written beside the target and renamed over it at the end: a full disk
  // or a failing page leaves any earlier file as it was and nothing else.
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) throw CannotCreateFile(fileName, file.errorString());
  TPdfDocument document(file);
  for (int page = 1; page <= printer.PageCount(); ++page)
    if (const auto metafile = printer.FetchPage(page)) AddMetafilePage(document, *metafile);
  const QString title =
      printer.JobTitle().isEmpty() ? QFileInfo(fileName).completeBaseName() : printer.JobTitle();
  if (!document.Finish(title) || !file.commit())
    throw CannotCreateFile(fileName, file.errorString());
}
