// Fuzzes the metafile loader and everything that interprets a loaded page:
// any bytes either load (and then play onto a small image, through a logging
// canvas and into a PDF page, and give up their text with every character's
// place, without reading outside the record, looping or allocating without
// bound) or are refused with "Metafile is not valid".
//
//   emf_fuzz -max_total_time=300 -timeout=10 -rss_limit_mb=2048 CORPUS \
//       fuzz/emf/seeds tests/graphics/fixtures/emf tests/graphics/fixtures/emf/corrupted
//
// The seeds are our own test page and hand-written paths (rings and discs of
// Bézier figures, from `emf_render --path-fixtures`); the fixtures are files
// written by Windows programs and damaged ones.
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdlib>

#include "Errors.h"
#include "FakeCanvas.h"
#include "Metafile.h"
#include "MetafilePdfPage.h"
#include "PageText.h"
#include "PdfDocument.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  try {
    const TMetafile metafile = TMetafile::FromBytes(bytes);
    QImage image(96, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    metafile.Play(painter, QRectF(0, 0, 96, 64));
    painter.end();
    TFakeCanvas canvas;
    metafile.Draw(canvas, QRect(0, 0, 960, 640));
    const TPageText text = ReadPageText(metafile, TPageTextDetail::WithPositions);
    for (qsizetype at = 0; at < text.Text().size(); at += 7) (void)text.Outlines(at, 7);
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    TPdfDocument document(pdf);
    AddMetafilePage(document, metafile);
    document.Finish(QString());
  } catch (const EInvalidGraphic& e) {
    if (e.Message() != MetafileNotValidMessage()) std::abort();
  }
  return 0;
}
