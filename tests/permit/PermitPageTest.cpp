// The permit page as the page store holds it, read back from its recorded
// metafile: one landscape Letter page of 1056 x 816 pixels at 96 dpi, the
// header rectangle 10.53 mm from the top edge, the signature captions ending
// 200.24 mm from it, and the validity days centred on the band; texts
// longer than their elements print the lines the design has room for; the
// same paper when no printer is installed.

#include <QRegularExpression>
#include <memory>

#include "FakeCanvas.h"
#include "Metafile.h"
#include "PermitRunFixture.h"
#include "QRLabel.h"
#include "QRMemo.h"
#include "QRPrinter.h"
#include "QRStandardPreview.h"
#include "TMemo.h"

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

// Each wrapping element prints the lines its design height was drawn for,
// by the font's own line height: two lines of 16 points in the commission's
// 12.96 mm and in the vehicle's 18.79 mm, two of 8 points in a signature
// name's 8.47 mm. What is laid out beyond them is missing, as on paper. A
// line height a pixel too tall loses the commission's second line; one
// taken from a 21-pixel font, a little short, gives the vehicle a third.
TEST_F(PermitPage, LongTextsPrintTheLinesTheDesignHasRoomFor) {
  Fill();
  const QStringList commission = {QStringLiteral("SUPERVISIÓN DE LA OBRA DEL PUENTE EN EL KM 12"),
                                  QStringLiteral("Y REVISIÓN DEL CAMINO DE ACCESO"),
                                  QStringLiteral("CON ENTREGA DE MATERIALES")};
  form_->Comision->SetText(commission.join(u'\n'));
  form_->Tipo->setText(QStringLiteral(
      "PICK UP DOBLE CABINA CON CAMPER DE ALUMINIO, REDILAS, RACK PARA ESCALERAS Y CAJA DE "
      "HERRAMIENTAS DE ACERO INOXIDABLE EN AMBOS COSTADOS"));
  form_->Admon->setText(QStringLiteral(
      "LIC. MARÍA DE LOS ÁNGELES LÓPEZ HERNÁNDEZ DE LA CRUZ VIUDA DE GUTIÉRREZ Y SANTOS"));
  QStringList storedCommission, storedVehicle, storedAdmon;
  EXPECT_TRUE(Preliminar([&](TQRStandardPreview& preview) {
    TQRPrinter& printer = *preview.QRPrinter();
    const QSizeF paper(printer.OrientedPaperWidth(), printer.OrientedPaperLength());
    const std::unique_ptr<TMetafile> page = printer.FetchPage(1);
    ASSERT_TRUE(page);
    storedCommission = StoredLines(*page, paper, *document_->QRComision);
    storedVehicle = StoredLines(*page, paper, *document_->QRVehiculo);
    storedAdmon = StoredLines(*page, paper, *document_->QRAdmon);
  }));

  EXPECT_EQ(storedCommission, commission.mid(0, 2));
  // Each of the others was laid out in three lines or more, and prints the
  // first two of them.
  for (const auto& [element, stored] :
       {std::pair<const TQRCustomLabel*, QStringList>{document_->QRVehiculo, storedVehicle},
        {document_->QRAdmon, storedAdmon}}) {
    SCOPED_TRACE(element->Name().toStdString());
    QStringList laidOut;
    for (const QString& line : element->OutputLines()) laidOut << line.simplified();
    ASSERT_GE(laidOut.size(), 3);
    EXPECT_EQ(stored, laidOut.mid(0, 2));
  }
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
