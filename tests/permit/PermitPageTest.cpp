// The permit page as the page store holds it, read back from its recorded
// metafile: one landscape Letter page of 1056 x 816 pixels at 96 dpi, the
// header rectangle 10.53 mm from the top edge, the signature captions ending
// 200.24 mm from it, and the validity days centred on the band; the same
// paper when no printer is installed.

#include <QRegularExpression>
#include <memory>

#include "FakeCanvas.h"
#include "Metafile.h"
#include "PermitRunFixture.h"
#include "QRPrinter.h"
#include "QRStandardPreview.h"

namespace {

// The page is replayed ten times enlarged: one unit is 1/960 inch.
constexpr int kScale = 10;
double Mm(int units) { return units * 25.4 / (96.0 * kScale); }

struct TRect {
  QString verb;
  int left, top, right, bottom;
};

std::vector<TRect> Rects(const QStringList& log) {
  static const QRegularExpression re(
      QStringLiteral("^(FillRect|Rectangle) (-?\\d+),(-?\\d+),(-?\\d+),(-?\\d+)$"));
  std::vector<TRect> rects;
  for (const QString& line : log) {
    const auto m = re.match(line);
    if (m.hasMatch())
      rects.push_back({m.captured(1), m.captured(2).toInt(), m.captured(3).toInt(),
                       m.captured(4).toInt(), m.captured(5).toInt()});
  }
  return rects;
}

class PermitPage : public PermitRun {};

TEST_F(PermitPage, GeometryReadBackFromTheMetafile) {
  Fill();
  std::unique_ptr<TMetafile> page;
  int pages = 0;
  EXPECT_TRUE(Preliminar([&](TQRStandardPreview& preview) {
    pages = preview.QRPrinter()->PageCount();
    page = preview.QRPrinter()->FetchPage(1);
  }));
  ASSERT_EQ(pages, 1);
  ASSERT_TRUE(page);
  // Landscape Letter: 11 x 8.5 inches at 96 pixels per inch.
  EXPECT_EQ(page->Width(), 1056);
  EXPECT_EQ(page->Height(), 816);

  TFakeCanvas canvas;
  page->Draw(canvas, QRect(0, 0, 1056 * kScale, 816 * kScale));
  const std::vector<TRect> rects = Rects(canvas.Log());
  ASSERT_FALSE(rects.empty());

  // The header block: the first rectangle outline printed, 969 x 77 pixels.
  const auto header = std::find_if(rects.begin(), rects.end(), [](const TRect& r) {
    return r.verb == QLatin1String("Rectangle") && std::abs(r.right - r.left - 969 * kScale) < 30;
  });
  ASSERT_NE(header, rects.end());
  EXPECT_NEAR(Mm(header->top), 10.53, 0.1);
  EXPECT_NEAR(Mm(header->left), 10 + 1.85, 0.1);

  // The three signature captions: white backgrounds 265 pixels wide whose
  // bottom is the band's 719th pixel row.
  int captions = 0;
  for (const TRect& r : rects)
    if (r.verb == QLatin1String("FillRect") && std::abs(r.right - r.left - 265 * kScale) < 30 &&
        std::abs(Mm(r.top) - (10 + 181.50)) < 0.1) {
      ++captions;
      EXPECT_NEAR(Mm(r.bottom), 200.24, 0.1);
    }
  EXPECT_EQ(captions, 3);

  // The validity days: 911 pixels wide, centred on the 980-pixel band, so
  // 34 pixels in from the band's left edge at 10 mm.
  const auto days = std::find_if(rects.begin(), rects.end(), [](const TRect& r) {
    return r.verb == QLatin1String("FillRect") && std::abs(r.right - r.left - 911 * kScale) < 30;
  });
  ASSERT_NE(days, rects.end());
  EXPECT_NEAR(Mm(days->left), 10 + 34 * 25.4 / 96, 0.1);
  EXPECT_NEAR(Mm(days->top), 10 + 38.10, 0.1);
}

// Without any printer installed the preview still shows the design's paper,
// and the whole permit lies on it; a file saved from it loads as that paper.
TEST_F(PermitPage, WithoutPrintersThePreviewShowsTheDesignsPaper) {
  script_->printers.clear();
  ASSERT_FALSE(TQRPrinter().HasPrinters());
  Fill();
  ExpectLandscapeLetterPreviewedSavedAndLoaded();
}

}  // namespace
