// The PDF a print job is spooled to, read back with poppler's tools: text
// stays text in whole embedded TrueType fonts, drawing lands at the device
// pixels the canvas was given (from the printable area's corner), pages
// have the paper's size, and a picture drawn twice is stored once.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "PdfDocument.h"
#include "PdfPageCanvas.h"

namespace {

QString Tool(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(30000)) {
    process.kill();
    process.waitForFinished();
    ADD_FAILURE() << program.toStdString() << " did not finish";
    return {};
  }
  EXPECT_EQ(process.exitCode(), 0)
      << program.toStdString() << ": " << process.readAllStandardError().toStdString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

// Landscape Letter at 1200 dpi with the printable area 167 pixels in, as
// the CUPS PDF queue reports it.
constexpr int kPpi = 1200;
const QSizeF kLandscapeLetter(792, 612);
const QPointF kOffset(167, 167);

class PdfJob : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    path_ = dir_.filePath(QStringLiteral("job.pdf"));
    file_.setFileName(path_);
    ASSERT_TRUE(file_.open(QIODevice::WriteOnly));
    document_ = std::make_unique<TPdfDocument>(file_);
  }
  TPdfPageCanvas& NewPage() {
    document_->BeginPage(kLandscapeLetter, kPpi, kOffset);
    canvas_ = std::make_unique<TPdfPageCanvas>(*document_, kPpi);
    return *canvas_;
  }
  void Finish() {
    ASSERT_TRUE(document_->Finish(QStringLiteral("Permiso 0007")));
    file_.close();
  }
  // Words with their boxes in points: "word" -> (xMin, yMin).
  std::map<QString, QPointF> Words() {
    const QString html =
        Tool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path_, QStringLiteral("-")});
    std::map<QString, QPointF> words;
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    for (auto m = word.globalMatch(html); m.hasNext();) {
      const auto match = m.next();
      words[match.captured(3)] =
          QPointF(match.captured(1).toDouble(), match.captured(2).toDouble());
    }
    return words;
  }

  QTemporaryDir dir_;
  QString path_;
  QFile file_;
  std::unique_ptr<TPdfDocument> document_;
  std::unique_ptr<TPdfPageCanvas> canvas_;
};

double Points(double devicePixels) { return devicePixels * 72.0 / kPpi; }

TEST_F(PdfJob, TextIsTextAtTheDevicePixelsItWasGiven) {
  TPdfPageCanvas& page = NewPage();
  TFontSpec font;
  font.pointSize = 24;
  page.SelectFont(font);
  page.TextOut(0, 0, TTextAnchor::Left, QStringLiteral("ESQUINA"));
  page.TextOut(6000, 3000, TTextAnchor::Right, QStringLiteral("DERECHA"));
  const int width = page.TextExtent(QStringLiteral("CENTRO")).width();
  page.TextOut(6000, 4500, TTextAnchor::Center, QStringLiteral("CENTRO"));
  font.style.bold = true;
  page.SelectFont(font);
  page.TextOut(600, 1200, TTextAnchor::Left, QStringLiteral("CIRCULACIÓN"));
  Finish();

  const auto words = Words();
  ASSERT_EQ(words.count(QStringLiteral("ESQUINA")), 1u) << "no text found";
  // Device (0, 0) is the printable area's corner, 167 pixels into the paper;
  // the word's box starts a little right and below, where its glyphs begin.
  const QPointF corner = words.at(QStringLiteral("ESQUINA"));
  EXPECT_NEAR(corner.x(), Points(167), 3.0);
  EXPECT_NEAR(corner.y(), Points(167), 3.0);
  EXPECT_LT(words.at(QStringLiteral("DERECHA")).x(), Points(167 + 6000));
  EXPECT_NEAR(words.at(QStringLiteral("CENTRO")).x(), Points(167 + 6000 - width / 2.0), 3.0);
  EXPECT_EQ(words.count(QStringLiteral("CIRCULACIÓN")), 1u);

  const QString fonts = Tool(QStringLiteral("pdffonts"), {path_});
  EXPECT_EQ(fonts.count(QStringLiteral("TrueType")), 2) << fonts.toStdString();
  EXPECT_TRUE(fonts.contains(QStringLiteral("WinAnsi")));
  EXPECT_FALSE(fonts.contains(QStringLiteral("Type 3")));
}

TEST_F(PdfJob, PagesHaveThePapersSizeAndPicturesAreStoredOnce) {
  QImage rgb(16, 8, QImage::Format_RGB888);
  rgb.fill(QColor(200, 30, 30));
  QImage mono(9, 9, QImage::Format_Mono);
  mono.fill(1);
  for (int p = 0; p < 2; ++p) {
    TPdfPageCanvas& page = NewPage();
    page.StretchBitmap(QRect(100, 100, 1600, 800), rgb);
    page.StretchBitmap(QRect(2000, 100, 900, 900), mono);
    page.SetPen(0xFF000000, 3, TPenStyle::psDash);
    page.SetBrush(0xFF00FF00, TBrushStyle::bsSolid);
    page.Rectangle(QRect(100, 1000, 3000, 2000));
    page.Ellipse(QRect(100, 1000, 3000, 2000));
    page.IntersectClipRect(QRect(0, 0, 500, 500));
    page.MoveTo(0, 0);
    page.LineTo(5000, 5000);
    page.RemoveClip();
  }
  Finish();
  const QString info = Tool(QStringLiteral("pdfinfo"), {path_});
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\b"))))
      << info.toStdString();
  EXPECT_TRUE(info.contains(QStringLiteral("792 x 612 pts"))) << info.toStdString();
  const QString images = Tool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path_});
  // Header lines, then one line per use: two pages times two pictures.
  const QStringList uses = images.split('\n', Qt::SkipEmptyParts).mid(2);
  ASSERT_EQ(uses.size(), 4) << images.toStdString();
  // Both pages draw the same two objects.
  const auto objectOf = [](const QString& line) { return line.simplified().split(' ').value(10); };
  EXPECT_EQ(objectOf(uses[0]), objectOf(uses[2]));
  EXPECT_EQ(objectOf(uses[1]), objectOf(uses[3]));
  EXPECT_TRUE(uses[0].contains(QStringLiteral("16     8")) ||
              uses[0].simplified().contains(QStringLiteral("16 8")));
}

// A device that stops taking bytes: the document says so instead of
// pretending the job was written.
class TFullDisk : public QIODevice {
 public:
  TFullDisk() { open(QIODevice::WriteOnly); }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char*, qint64 size) override {
    return written_ += size, written_ > 2000 ? -1 : size;
  }

 private:
  qint64 written_ = 0;
};

TEST(PdfDocumentWrite, FailedWritesAreReported) {
  TFullDisk disk;
  TPdfDocument document(disk);
  document.BeginPage(kLandscapeLetter, kPpi, kOffset);
  TPdfPageCanvas page(document, kPpi);
  QImage noise(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      noise.setPixel(x, y, qRgb((x * 37 + y * 91) % 256, (x * y) % 256, (x ^ y) * 4 % 256));
  page.StretchBitmap(QRect(0, 0, 640, 640), noise);
  EXPECT_FALSE(document.Finish(QStringLiteral("lost")));
}

}  // namespace
