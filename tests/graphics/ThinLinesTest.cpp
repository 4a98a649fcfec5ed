// A page replayed smaller than recorded keeps its one-pixel lines: frame
// strips filled one pixel thin, with white label backgrounds filled after
// them right beside each side, inside and outside. At every zoom from 25 %
// to 95 % each strip must still show along its whole length; at 100 % and
// above the replay is what it always was.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "Metafile.h"
#include "QPainterCanvas.h"

namespace {

struct TStrip {
  QRect pixels;  // at 100 %
};

// Boxes framed as the engine frames elements (a strip per side), each with
// a white background filled afterwards against the inside of the frame and
// one against the outside, at odd offsets so that every zoom rounds some
// side onto a background's pixel.
std::vector<TStrip> DrawFramedBoxes(TCanvas& c) {
  std::vector<TStrip> strips;
  for (int i = 0; i < 6; ++i) {
    const QRect box(17 + 61 * i + i % 3, 23 + 37 * i, 45 + 3 * i, 21 + i);
    const QRect sides[] = {QRect(box.left(), box.top(), box.width(), 1),
                           QRect(box.left(), box.bottom(), box.width(), 1),
                           QRect(box.left(), box.top(), 1, box.height()),
                           QRect(box.right(), box.top(), 1, box.height())};
    c.SetBrush(0xFF000000, TBrushStyle::bsSolid);
    for (const QRect& side : sides) {
      c.FillRect(side);
      strips.push_back({side});
    }
    c.SetBrush(0xFFFFFFFF, TBrushStyle::bsSolid);
    c.FillRect(box.adjusted(1, 1, -1, -1));                                   // inside
    c.FillRect(QRect(box.left(), box.bottom() + 1, box.width(), 9));          // below
    c.FillRect(QRect(box.right() + 1, box.top(), 7, box.height()));           // right
    c.FillRect(QRect(box.left(), box.top() - 6, box.width(), 6));             // above
  }
  return strips;
}

int GapsAlong(const QImage& image, const QRect& strip, double scale) {
  const bool horizontal = strip.width() >= strip.height();
  const int from = int(std::ceil((horizontal ? strip.left() : strip.top()) * scale)) + 1;
  const int to = int(std::floor((horizontal ? strip.right() + 1 : strip.bottom() + 1) * scale)) - 1;
  const double across = (horizontal ? strip.top() + 0.5 : strip.left() + 0.5) * scale;
  int gaps = 0;
  for (int along = from; along < to; ++along) {
    bool found = false;
    for (int d = int(std::floor(across)) - 1; d <= int(std::floor(across)) + 1 && !found; ++d) {
      const QPoint at = horizontal ? QPoint(along, d) : QPoint(d, along);
      found = image.valid(at) && qGray(image.pixel(at)) < 96;
    }
    gaps += !found;
  }
  return gaps;
}

TEST(ThinLines, FrameStripsStayVisibleBelowTheRecordedSize) {
  TMetafileCanvas recording(420, 260);
  const std::vector<TStrip> strips = DrawFramedBoxes(recording);
  const TMetafile page = recording.Close();
  for (int zoom = 25; zoom <= 100; zoom += 5) {
    const double scale = zoom / 100.0;
    QImage image(int(420 * scale), int(260 * scale), QImage::Format_RGB32);
    image.fill(Qt::lightGray);
    QPainter painter(&image);
    page.Play(painter, QRectF(0, 0, 420 * scale, 260 * scale));
    painter.end();
    for (const TStrip& strip : strips)
      EXPECT_EQ(GapsAlong(image, strip.pixels, scale), 0)
          << "at " << zoom << " %: strip " << strip.pixels.x() << "," << strip.pixels.y() << " "
          << strip.pixels.width() << "x" << strip.pixels.height();
  }
}

// At the recorded size and larger nothing is moved: the page replays as
// Qt's own aliased fills draw it.
TEST(ThinLines, RecordedSizeAndLargerAreLeftAlone) {
  TMetafileCanvas recording(420, 260);
  DrawFramedBoxes(recording);
  const TMetafile page = recording.Close();
  for (const double scale : {1.0, 1.5, 2.0}) {
    QImage played(int(420 * scale), int(260 * scale), QImage::Format_RGB32);
    played.fill(Qt::lightGray);
    QPainter painter(&played);
    page.Play(painter, QRectF(0, 0, 420 * scale, 260 * scale));
    painter.end();
    QImage direct(played.size(), QImage::Format_RGB32);
    direct.fill(Qt::lightGray);
    QPainter qt(&direct);
    qt.scale(scale, scale);
    TQPainterCanvas canvas(qt, 96);
    DrawFramedBoxes(canvas);
    qt.end();
    EXPECT_EQ(played, direct) << "at " << scale * 100 << " %";
  }
}

}  // namespace
