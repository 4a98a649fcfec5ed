// Painting one page: the white sheet, the page's metafile stretched over the
// control, the black outline and the shadow along the right and bottom
// edges; nothing at all without a page.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "QRPreview.h"
#include "QRPreviewImage.h"
#include "QRPrinter.h"
#include "preview_fixture.h"

namespace {

using TImageTest = PreviewFixture;

QImage Render(const TQRPreviewImage& image) {
  QImage target(image.size(), QImage::Format_ARGB32);
  target.fill(Qt::transparent);
  QPainter painter(&target);
  image.PaintPage(painter);
  return target;
}

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kNothing = qRgba(0, 0, 0, 0);

TEST_F(TImageTest, PaintsTheSheetOutlineAndShadow) {
  auto printer = MakePrinter();
  RunPages(*printer, 1);
  TQRPreview preview;
  preview.SetQRPrinter(printer.get());
  preview.SetZoom(50);
  const TQRPreviewImage& image = *preview.PreviewImage();
  ASSERT_EQ(image.size(), QSize(532, 412));
  const QImage shown = Render(image);
  const int w = shown.width();
  const int h = shown.height();
  struct Pixel {
    const char* name;
    QPoint at;
    QRgb colour;
  };
  const Pixel pixels[] = {
      {"outline top left", {0, 0}, kBlack},
      {"outline left", {0, h / 2}, kBlack},
      {"outline bottom", {w / 2, h - 3}, kBlack},
      {"outline right", {w - 3, h / 2}, kBlack},
      {"outline top", {w / 2, 0}, kBlack},
      {"sheet first pixel", {1, 1}, kWhite},
      {"sheet last pixel", {w - 4, h - 4}, kWhite},
      {"sheet right", {w - 4, h / 2}, kWhite},
      {"right shadow", {w - 1, h / 2}, kBlack},
      {"right shadow inner", {w - 2, h / 2}, kBlack},
      {"right shadow starts 2 down", {w - 1, 1}, kNothing},
      {"right shadow at 2", {w - 1, 2}, kBlack},
      {"bottom shadow", {w / 2, h - 1}, kBlack},
      {"bottom shadow starts 2 in", {1, h - 1}, kNothing},
      {"bottom shadow at 2", {2, h - 1}, kBlack},
      {"between outline and shadow at the corner", {w - 2, 1}, kNothing},
  };
  for (const Pixel& p : pixels) {
    EXPECT_EQ(shown.pixel(p.at), p.colour) << p.name << " at " << p.at.x() << "," << p.at.y();
  }
}

// The block is 1 inch from the left and top edges, 2 inches by 1 inch: at
// 96 dpi the page's pixels 96..287 across and 96..191 down, stretched from
// 1056 x 816 over the whole control.
TEST_F(TImageTest, PlaysThePageStretchedAtEveryZoom) {
  auto printer = MakePrinter();
  RunPages(*printer, 1);
  for (int zoom : {50, 100, 400}) {
    SCOPED_TRACE(zoom);
    TQRPreview preview;
    preview.SetQRPrinter(printer.get());
    preview.SetZoom(zoom);
    const QImage shown = Render(*preview.PreviewImage());
    const double sx = shown.width() / 1056.0;
    const double sy = shown.height() / 816.0;
    auto at = [&](double x, double y) { return shown.pixel(int(x * sx), int(y * sy)); };
    EXPECT_EQ(at(192, 144), kBlack) << "inside the block";
    EXPECT_EQ(at(97, 97), kBlack);
    EXPECT_EQ(at(286, 190), kBlack);
    EXPECT_EQ(at(90, 144), kWhite) << "left of the block";
    EXPECT_EQ(at(294, 144), kWhite) << "right of the block";
    EXPECT_EQ(at(192, 198), kWhite) << "below the block";
  }
}

TEST_F(TImageTest, PaintsNothingWithoutAPage) {
  TQRPreview preview;
  preview.SetZoom(50);
  EXPECT_FALSE(preview.PreviewImage()->HoldsPage());
  const QImage shown = Render(*preview.PreviewImage());
  for (QPoint p : {QPoint(0, 0), QPoint(5, 5), QPoint(shown.width() - 1, shown.height() - 1)})
    EXPECT_EQ(shown.pixel(p), kNothing);
}

TEST_F(TImageTest, TheControlPaintsWhatPaintPageDraws) {
  auto printer = MakePrinter();
  RunPages(*printer, 1);
  TQRPreview preview;
  preview.SetQRPrinter(printer.get());
  preview.SetZoom(25);
  const QImage grabbed =
      preview.PreviewImage()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
  QImage drawn = Render(*preview.PreviewImage());
  ASSERT_EQ(grabbed.size(), drawn.size());
  // The grab has the window background where PaintPage leaves nothing.
  int differing = 0;
  for (int y = 0; y < drawn.height(); ++y)
    for (int x = 0; x < drawn.width(); ++x)
      if (qAlpha(drawn.pixel(x, y)) == 255 && drawn.pixel(x, y) != grabbed.pixel(x, y)) ++differing;
  EXPECT_EQ(differing, 0);
}

}  // namespace
