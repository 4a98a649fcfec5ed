#include "MetafilePdfPage.h"

#include <algorithm>

#include "EmfPdfPlayer.h"
#include "Metafile.h"
#include "PdfDocument.h"
#include "ReferenceCanvas.h"

namespace {

// A PDF page measures at least a point and at most 200 inches a side; a
// damaged frame asking for more is drawn scaled into that.
constexpr double kSmallestSide = 1;
constexpr double kLargestSide = 14400;

}  // namespace

void AddMetafilePage(TPdfDocument& document, const TMetafile& page) {
  const int ppi = ScreenPixelsPerInch();
  const double toPoints = 72.0 / ppi;
  const QSizeF paper(std::clamp(page.Width() * toPoints, kSmallestSide, kLargestSide),
                     std::clamp(page.Height() * toPoints, kSmallestSide, kLargestSide));
  document.BeginPage(paper, ppi, QPointF());
  if (!page.Empty()) {
    const QRectF dest(0, 0, paper.width() / toPoints, paper.height() / toPoints);
    emf::TEmfPdfPlayer(page.ToBytes(), page.Layout(), document, dest).Play();
  }
  document.EndPage();
}
