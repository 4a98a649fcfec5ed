// A page replayed from its metafile onto a painter looks as the same page
// drawn straight onto the painter: shapes pixel for pixel, text within the
// glyphs' anti-aliasing. And both surfaces measure text alike, so that lines
// laid out on the reference device fit on the recorded page.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>

#include "Metafile.h"
#include "QPainterCanvas.h"
#include "ReferenceCanvas.h"
#include "TestImages.h"

namespace {

QImage Direct(QSize size, const std::function<void(TCanvas&)>& draw) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  TQPainterCanvas canvas(painter, 96);
  draw(canvas);
  painter.end();
  return image;
}

QImage Replayed(QSize size, const std::function<void(TCanvas&)>& draw, double zoom = 1.0) {
  TMetafileCanvas recording(size.width(), size.height());
  draw(recording);
  const TMetafile page = recording.Close();
  QImage image(size * zoom, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  page.Play(painter, QRectF(QPointF(0, 0), QSizeF(size) * zoom));
  painter.end();
  return image;
}

// Pixels whose colours differ by more than `tolerance` on some channel.
int Differing(const QImage& a, const QImage& b, int tolerance = 0) {
  int count = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance ||
          std::abs(qBlue(p) - qBlue(q)) > tolerance)
        ++count;
    }
  return count;
}

void Shapes(TCanvas& c) {
  c.SetPen(0xFF000000, 1, TPenStyle::psSolid);
  c.SetBrush(0xFFCCE0FF, TBrushStyle::bsSolid);
  c.Rectangle(QRect(10, 10, 60, 30));
  c.SetPen(0xFF990000, 3, TPenStyle::psSolid);
  c.Rectangle(QRect(90, 10, 60, 30));
  c.SetPen(0xFF000000, 1, TPenStyle::psClear);
  c.Rectangle(QRect(170, 10, 60, 30));  // no pen: one pixel smaller
  c.SetPen(0xFF006600, 2, TPenStyle::psInsideFrame);
  c.Rectangle(QRect(250, 10, 60, 30));
  c.SetBrush(0xFF000000, TBrushStyle::bsSolid);
  c.FillRect(QRect(10, 50, 300, 4));
  c.SetPen(0xFF000000, 1, TPenStyle::psSolid);
  c.MoveTo(10, 60);
  c.LineTo(310, 60);
  c.MoveTo(10, 62);
  c.LineTo(10, 90);
  c.IntersectClipRect(QRect(20, 70, 50, 20));
  c.SetBrush(0xFF0000FF, TBrushStyle::bsSolid);
  c.FillRect(QRect(0, 0, 320, 200));
  c.RemoveClip();
  c.StretchBitmap(QRect(100, 70, 64, 48),
                  testimages::Quadrants(8, 6).convertToFormat(QImage::Format_RGB888));
}

TEST(RecordedVersusDirect, ShapesArePixelForPixelTheSame) {
  const QSize size(320, 200);
  const QImage direct = Direct(size, Shapes);
  const QImage replayed = Replayed(size, Shapes);
  EXPECT_EQ(Differing(direct, replayed), 0);
  // GDI's lines cover their first pixel and not their last.
  EXPECT_EQ(direct.pixel(10, 60), qRgb(0, 0, 0));
  EXPECT_EQ(direct.pixel(309, 60), qRgb(0, 0, 0));
  EXPECT_EQ(direct.pixel(310, 60), qRgb(255, 255, 255));
  EXPECT_EQ(direct.pixel(10, 89), qRgb(0, 0, 0));
  EXPECT_EQ(direct.pixel(10, 90), qRgb(255, 255, 255));
  // A one-pixel outline covers the rectangle's edge pixels, right/bottom
  // excluded.
  EXPECT_EQ(direct.pixel(10, 10), qRgb(0, 0, 0));
  EXPECT_EQ(direct.pixel(69, 39), qRgb(0, 0, 0));
  EXPECT_EQ(direct.pixel(70, 40), qRgb(255, 255, 255));
}

void Texts(TCanvas& c) {
  TFontSpec font;
  font.pointSize = 10;
  c.SelectFont(font);
  c.TextOut(10, 10, TTextAnchor::Left, QStringLiteral("Comisión oficial a la ciudad de México"));
  font.pointSize = 16;
  font.style.bold = true;
  c.SelectFont(font);
  c.TextOut(310, 40, TTextAnchor::Right, QStringLiteral("PERMISO 0007"));
  c.TextOut(160, 80, TTextAnchor::Center, QStringLiteral("30 DÍAS"));
}

// The box around the dark pixels of a band of rows, and how dark they are.
struct TInk {
  QRect box;
  double darkness = 0;
};

TInk InkIn(const QImage& image, int top, int bottom) {
  TInk ink;
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < image.width(); ++x) {
      const int dark = 255 - qGray(image.pixel(x, y));
      if (dark < 64) continue;
      ink.box = ink.box.united(QRect(x, y, 1, 1));
      ink.darkness += dark;
    }
  return ink;
}

TEST(RecordedVersusDirect, TextLandsWhereItWasDrawn) {
  const QSize size(320, 120);
  const QImage direct = Direct(size, Texts);
  const QImage replayed = Replayed(size, Texts);
  // Recorded advances are whole pixels, so glyphs may sit a fraction of a
  // pixel apart; each line covers the same box with the same ink.
  for (const auto& [top, bottom] : {std::pair{0, 30}, std::pair{30, 70}, std::pair{70, 120}}) {
    const TInk a = InkIn(direct, top, bottom), b = InkIn(replayed, top, bottom);
    ASSERT_FALSE(a.box.isEmpty());
    EXPECT_LE(std::abs(a.box.left() - b.box.left()), 1) << "rows from " << top;
    EXPECT_LE(std::abs(a.box.right() - b.box.right()), 1) << "rows from " << top;
    EXPECT_EQ(a.box.top(), b.box.top()) << "rows from " << top;
    EXPECT_EQ(a.box.bottom(), b.box.bottom()) << "rows from " << top;
    EXPECT_NEAR(a.darkness, b.darkness, a.darkness * 0.04) << "rows from " << top;
  }
}

TEST(RecordedVersusDirect, ReferenceDeviceAndRecordingMeasureTextAlike) {
  const auto reference = CreateReferenceCanvas();
  TMetafileCanvas recording(100, 100);
  const QString texts[] = {QStringLiteral("W"), QStringLiteral("PERMISO DE CIRCULACIÓN"),
                           QStringLiteral("iiiiiiiiiiiiiiiiiiiiiiiiii"),
                           QStringLiteral("Av. Juárez 1200, Col. Centro")};
  for (double points : {8.0, 10.0, 12.0, 16.0, 26.0}) {
    for (bool bold : {false, true}) {
      TFontSpec font;
      font.pointSize = points;
      font.style.bold = bold;
      reference->SelectFont(font);
      recording.SelectFont(font);
      for (const QString& text : texts)
        EXPECT_EQ(reference->TextExtent(text), recording.TextExtent(text))
            << text.toStdString() << " at " << points << " pt" << (bold ? " bold" : "");
    }
  }
}

}  // namespace
