#include "PageExport.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "MetafilePdfPage.h"
#include "OutputFiles.h"
#include "PdfDocument.h"
#include "PreparedPages.h"
#include "ReferenceCanvas.h"
#include "ToolError.h"

namespace {

// Largest image drawn: a damaged page, or a resolution, asking for more is
// refused rather than allowed to take the memory.
constexpr double kMaxImageSide = 32767;
constexpr double kMaxImagePixels = 1 << 28;

// A page image's extent at `dotsPerInch`; pages are measured at the screen's.
double Scaled(int screenPixels, int dotsPerInch) {
  return std::round(double(screenPixels) * dotsPerInch / ScreenPixelsPerInch());
}

QByteArray RenderPng(const TMetafile& page, int dotsPerInch) {
  const double w = Scaled(page.Width(), dotsPerInch);
  const double h = Scaled(page.Height(), dotsPerInch);
  if (!(w >= 1 && h >= 1 && w <= kMaxImageSide && h <= kMaxImageSide && w * h <= kMaxImagePixels))
    throw EToolError(QStringLiteral("A page of %1 x %2 pixels cannot be drawn")
                         .arg(w, 0, 'f', 0)
                         .arg(h, 0, 'f', 0));
  const int width = static_cast<int>(w);
  const int height = static_cast<int>(h);
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull())
    throw EToolError(
        QStringLiteral("A page of %1 x %2 pixels is too large").arg(width).arg(height));
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    page.Play(painter, QRectF(0, 0, width, height));
  }
  const double dotsPerMetre = dotsPerInch / 0.0254;
  image.setDotsPerMeterX(static_cast<int>(std::lround(dotsPerMetre)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(dotsPerMetre)));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG"))
    throw EToolError(QStringLiteral("The page could not be encoded as PNG"));
  return bytes;
}

}  // namespace

void ExportPng(const QString& fileName, const QString& folder, int dotsPerInch) {
  const TPreparedPages file = ReadPreparedPages(fileName);
  std::vector<TOutputFile> out;
  for (std::size_t i = 0; i < file.pages.size(); ++i)
    out.push_back({QDir(folder).filePath(PageFileName(int(i + 1), "png")),
                   RenderPng(file.pages[i].metafile, dotsPerInch)});
  WriteAllOrNothing(folder, out);
}

void ExportPdf(const QString& fileName, const QString& pdfName) {
  const TPreparedPages file = ReadPreparedPages(fileName);
  if (file.pages.empty()) throw EToolError(QStringLiteral("The file holds no pages"));
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TPdfDocument document(buffer);
    // Each page on paper of its own size, as it was recorded: no margins.
    for (const TPreparedPage& page : file.pages) AddMetafilePage(document, page.metafile);
    if (!document.Finish(QFileInfo(fileName).completeBaseName()))
      throw EToolError(QStringLiteral("The PDF could not be written"));
  }
  WriteAllOrNothing(QString(), {{pdfName, bytes}});
}

void ExportEmf(const QString& fileName, const QString& folder) {
  const TPreparedPages file = ReadPreparedPages(fileName);
  std::vector<TOutputFile> out;
  for (std::size_t i = 0; i < file.pages.size(); ++i)
    out.push_back(
        {QDir(folder).filePath(PageFileName(int(i + 1), "emf")), file.pages[i].metafile.ToBytes()});
  WriteAllOrNothing(folder, out);
}
