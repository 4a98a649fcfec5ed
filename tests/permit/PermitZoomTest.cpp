// The permit page as the preview paints it at every zoom from 25 % to 100 %
// in 5 % steps: every side of the outlined boxes (the title block, the
// document-control box and the others) and every rule of the document-control
// box stays on the screen, as it is at 100 %. Smaller than recorded, a
// one-pixel line falls between two screen pixels, and the white background of
// a label printed after it must not take the pixel it lands on.

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <memory>

#include "FakeCanvas.h"
#include "Metafile.h"
#include "PermitRunFixture.h"
#include "QRPreview.h"
#include "QRPreviewImage.h"
#include "QRPrinter.h"
#include "QRStandardPreview.h"

namespace {

// One line of the page at 100 %: the pixels it covers, right/bottom excluded.
struct TLine {
  QString what;
  QRect pixels;
};

// The lines the page draws, read from its calls at its own size: the four
// sides of every outlined rectangle, every horizontal or vertical pen line
// and every filled strip one or two pixels thin.
std::vector<TLine> LinesOf(const TMetafile& page) {
  TFakeCanvas canvas;
  page.Draw(canvas, QRect(0, 0, page.Width(), page.Height()));
  static const QRegularExpression rect(
      QStringLiteral("^(FillRect|Rectangle) (-?\\d+),(-?\\d+),(-?\\d+),(-?\\d+)$"));
  static const QRegularExpression point(QStringLiteral("^(MoveTo|LineTo) (-?\\d+),(-?\\d+)$"));
  std::vector<TLine> lines;
  bool pen = true;
  QPoint at;
  for (const QString& call : canvas.DrawingLog()) {
    if (call.startsWith(QLatin1String("SetPen"))) pen = !call.endsWith(QLatin1String("psClear"));
    if (const auto m = point.match(call); m.hasMatch()) {
      const QPoint to(m.captured(2).toInt(), m.captured(3).toInt());
      if (m.captured(1) == QLatin1String("LineTo") && pen && (to.x() == at.x() || to.y() == at.y()))
        lines.push_back({call, QRect(QPoint(std::min(at.x(), to.x()), std::min(at.y(), to.y())),
                                     QPoint(std::max(at.x(), to.x()), std::max(at.y(), to.y())))});
      at = to;
      continue;
    }
    const auto m = rect.match(call);
    if (!m.hasMatch()) continue;
    const QRect r(QPoint(m.captured(2).toInt(), m.captured(3).toInt()),
                  QPoint(m.captured(4).toInt() - 1, m.captured(5).toInt() - 1));
    if (m.captured(1) == QLatin1String("Rectangle") && pen) {
      lines.push_back({call + " top", QRect(r.left(), r.top(), r.width(), 1)});
      lines.push_back({call + " bottom", QRect(r.left(), r.bottom(), r.width(), 1)});
      lines.push_back({call + " left", QRect(r.left(), r.top(), 1, r.height())});
      lines.push_back({call + " right", QRect(r.right(), r.top(), 1, r.height())});
    } else if (m.captured(1) == QLatin1String("FillRect") &&
               std::min(r.width(), r.height()) <= 2 && std::max(r.width(), r.height()) > 8) {
      lines.push_back({call, r});
    }
  }
  return lines;
}

bool Dark(QRgb pixel) { return qGray(pixel) < 96; }

// Positions along `line`, mapped onto the painted image by `sx`, `sy`, where no
// dark pixel lies within one pixel across the line's mapped place. The two
// ends are left out: there the line meets the lines across it.
int GapsAlong(const QImage& image, const TLine& line, double sx, double sy) {
  const QRect& p = line.pixels;
  const bool horizontal = p.width() >= p.height();
  const double alongScale = horizontal ? sx : sy;
  const int from = int(std::ceil((horizontal ? p.left() : p.top()) * alongScale)) + 2;
  const int to = int(std::floor((horizontal ? p.right() + 1 : p.bottom() + 1) * alongScale)) - 2;
  const double across = horizontal ? (p.top() + p.height() / 2.0) * sy
                                   : (p.left() + p.width() / 2.0) * sx;
  int gaps = 0;
  for (int along = from; along < to; ++along) {
    bool found = false;
    for (int d = int(std::floor(across)) - 1; d <= int(std::floor(across)) + 1 && !found; ++d) {
      const QPoint at = horizontal ? QPoint(along, d) : QPoint(d, along);
      found = image.valid(at) && Dark(image.pixel(at));
    }
    gaps += !found;
  }
  return gaps;
}

class PermitZoom : public PermitRun {};

TEST_F(PermitZoom, EveryBoxSideAndRuleStaysVisibleFrom25To100Percent) {
  Fill();
  EXPECT_TRUE(Preliminar([&](TQRStandardPreview& window) {
    TQRPreview& preview = *window.QRPreview;
    const TMetafile* page = preview.PreviewImage()->PageMetafile();
    ASSERT_NE(page, nullptr);
    const std::vector<TLine> lines = LinesOf(*page);
    // The title block, the document-control box and the two other boxes,
    // four sides each, and the rules of the document-control box.
    ASSERT_GE(lines.size(), 16u + 6u);

    for (int zoom = 100; zoom >= 25; zoom -= 5) {
      preview.SetZoom(zoom);
      const TQRPreviewImage& shown = *preview.PreviewImage();
      QImage image(shown.size(), QImage::Format_RGB32);
      image.fill(Qt::lightGray);  // the scroll area's background
      QPainter painter(&image);
      shown.PaintPage(painter);
      painter.end();
      // The page is stretched over the whole image, shadow included.
      const double sx = double(image.width()) / page->Width();
      const double sy = double(image.height()) / page->Height();
      for (const TLine& line : lines)
        EXPECT_EQ(GapsAlong(image, line, sx, sy), 0)
            << "at " << zoom << " %: " << line.what.toStdString();
    }
  }));
}

}  // namespace
