// Stored pages written into a PDF: paper of each page's own size, text that
// poppler reads back (accents included) where the page's text records put
// it, and the drawing where the preview draws it, for our pages and for a
// page made by a Windows program.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "EmfInterpreter.h"
#include "Metafile.h"
#include "MetafilePdfPage.h"
#include "PageText.h"
#include "PdfDocument.h"

namespace {

QByteArray Tool(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(60000)) {
    process.kill();
    process.waitForFinished();
    ADD_FAILURE() << program.toStdString() << " did not finish";
    return {};
  }
  EXPECT_EQ(process.exitCode(), 0)
      << program.toStdString() << ": " << process.readAllStandardError().toStdString();
  return process.readAllStandardOutput();
}

struct TWord {
  QString text;
  QRectF box;  // points, from the top-left corner
};

class MetafilePdf : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

  QString Write(const std::vector<TMetafile>& pages) {
    const QString path = dir_.filePath(QStringLiteral("pages.pdf"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    TPdfDocument document(file);
    for (const TMetafile& page : pages) AddMetafilePage(document, page);
    EXPECT_TRUE(document.Finish(QStringLiteral("Páginas")));
    return path;
  }

  static std::vector<TWord> Words(const QString& path) {
    const QString html = QString::fromUtf8(
        Tool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")}));
    std::vector<TWord> words;
    const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)"
        "</word>"));
    for (auto m = word.globalMatch(html); m.hasNext();) {
      const auto match = m.next();
      words.push_back(
          {match.captured(5),
           QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                  QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()))});
    }
    return words;
  }

  // "Page size: w x h pts" of each page.
  static QStringList PageSizes(const QString& path) {
    const QString info = QString::fromUtf8(
        Tool(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                         QStringLiteral("-l"), QStringLiteral("999"), path}));
    QStringList sizes;
    const QRegularExpression size(QStringLiteral("Page +\\d+ size: +([0-9.]+ x [0-9.]+) pts"));
    for (auto m = size.globalMatch(info); m.hasNext();) sizes << m.next().captured(1);
    return sizes;
  }

  QTemporaryDir dir_;
};

// A landscape Letter page as the store records one: 1056 x 816 pixels.
TMetafile PermitLikePage(const QString& title) {
  TMetafileCanvas canvas(1056, 816);
  canvas.SetPen(qRgb(0, 0, 0), 2, TPenStyle::psSolid);
  canvas.SetBrush(qRgb(220, 230, 255), TBrushStyle::bsSolid);
  canvas.Rectangle(QRect(38, 38, 980, 740));
  canvas.SetBrush(qRgb(0, 0, 0), TBrushStyle::bsSolid);
  canvas.FillRect(QRect(96, 600, 192, 96));
  canvas.SetPen(qRgb(200, 0, 0), 1, TPenStyle::psSolid);
  canvas.SetBrush(qRgb(255, 255, 0), TBrushStyle::bsSolid);
  canvas.Ellipse(QRect(700, 500, 200, 120));
  canvas.MoveTo(100, 720);
  canvas.LineTo(900, 720);
  TFontSpec font;
  font.pointSize = 24;
  font.style.bold = true;
  canvas.SelectFont(font);
  canvas.TextOut(528, 60, TTextAnchor::Center, title);
  font.pointSize = 12;
  font.style.bold = false;
  canvas.SelectFont(font);
  canvas.TextOut(96, 200, TTextAnchor::Left, QStringLiteral("Comisión: revisión de obra pública"));
  canvas.TextOut(960, 240, TTextAnchor::Right, QStringLiteral("Vehículo oficial ABC-123"));
  return canvas.Close();
}

const TWord* Find(const std::vector<TWord>& words, const QString& text) {
  for (const TWord& w : words)
    if (w.text == text) return &w;
  QStringList all;
  for (const TWord& w : words) all << w.text;
  ADD_FAILURE() << text.toStdString() << " not found among: " << all.join(u' ').toStdString();
  return nullptr;
}

TEST_F(MetafilePdf, TextReadsBackWithItsAccentsWhereThePageHasIt) {
  const TMetafile page = PermitLikePage(QStringLiteral("PERMISO DE CIRCULACIÓN"));
  const QString path = Write({page});
  const std::vector<TWord> words = Words(path);
  const TPageText text = ReadPageText(page, TPageTextDetail::WithPositions);
  // Points are three quarters of a 96-dpi pixel.
  for (const QString& word : {QStringLiteral("CIRCULACIÓN"), QStringLiteral("Comisión:"),
                              QStringLiteral("pública"), QStringLiteral("Vehículo")}) {
    SCOPED_TRACE(word.toStdString());
    const TWord* found = Find(words, word);
    if (!found) continue;
    const qsizetype at = text.Text().indexOf(word);
    const QRectF where = text.Outlines(at, word.size()).front().boundingRect();
    EXPECT_NEAR(found->box.left(), where.left() * 0.75, 1.5);
    EXPECT_NEAR(found->box.right(), where.right() * 0.75, 1.5);
    EXPECT_GT(found->box.bottom(), where.top() * 0.75);
    EXPECT_LT(found->box.top(), where.bottom() * 0.75);
  }
  // pdffonts: name, type, encoding, then "emb sub uni object ID".
  const QStringList fonts =
      QString::fromUtf8(Tool(QStringLiteral("pdffonts"), {path})).split(u'\n', Qt::SkipEmptyParts);
  ASSERT_GT(fonts.size(), 2);
  for (qsizetype i = 2; i < fonts.size(); ++i) {
    const QStringList fields = fonts[i].split(u' ', Qt::SkipEmptyParts);
    ASSERT_GE(fields.size(), 7) << fonts[i].toStdString();
    EXPECT_EQ(fields[1], QStringLiteral("TrueType")) << fonts[i].toStdString();
    EXPECT_EQ(fields[fields.size() - 5], QStringLiteral("yes"))
        << "embedded: " << fonts[i].toStdString();
  }
}

// Drawn by poppler at the screen's resolution, the PDF page is the page the
// preview paints, but for the edges that antialiasing softens.
TEST_F(MetafilePdf, DrawsWhatThePreviewDraws) {
  const TMetafile page = PermitLikePage(QStringLiteral("PERMISO"));
  const QString path = Write({page});
  Tool(QStringLiteral("pdftoppm"),
       {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
        QStringLiteral("-singlefile"), path, dir_.filePath(QStringLiteral("poppler"))});
  const QImage pdf(dir_.filePath(QStringLiteral("poppler.png")));
  ASSERT_EQ(pdf.size(), QSize(1056, 816));
  QImage preview(pdf.size(), QImage::Format_RGB32);
  preview.fill(Qt::white);
  {
    QPainter painter(&preview);
    page.Play(painter, QRectF(0, 0, 1056, 816));
  }
  int differing = 0;
  for (int y = 0; y < 816; ++y)
    for (int x = 0; x < 1056; ++x) {
      const QRgb a = pdf.pixel(x, y), b = preview.pixel(x, y);
      if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
              std::abs(qBlue(a) - qBlue(b)) >
          200)
        ++differing;
    }
  EXPECT_LT(differing, 1056 * 816 / 200) << "more than half a percent of the page differs";
  // Spot checks: the black block, the yellow ellipse, the tinted frame.
  EXPECT_LT(qGray(pdf.pixel(190, 650)), 40);
  EXPECT_GT(qRed(pdf.pixel(800, 560)), 200);
  EXPECT_LT(qBlue(pdf.pixel(800, 560)), 60);
  EXPECT_GT(qBlue(pdf.pixel(400, 400)), 240);
  EXPECT_LT(qRed(pdf.pixel(400, 400)), 235);
}

TEST_F(MetafilePdf, EachPageOnPaperOfItsOwnSize) {
  TMetafileCanvas portrait(816, 1056);
  portrait.TextOut(100, 100, TTextAnchor::Left, QStringLiteral("portrait"));
  const QString path = Write({PermitLikePage(QStringLiteral("uno")), portrait.Close(),
                              PermitLikePage(QStringLiteral("tres"))});
  EXPECT_EQ(PageSizes(path), QStringList({QStringLiteral("792 x 612"), QStringLiteral("612 x 792"),
                                          QStringLiteral("792 x 612")}));
  const QString text =
      QString::fromUtf8(Tool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}));
  EXPECT_LT(text.indexOf(QStringLiteral("uno")), text.indexOf(QStringLiteral("portrait")));
  EXPECT_LT(text.indexOf(QStringLiteral("portrait")), text.indexOf(QStringLiteral("tres")));
}

// A Windows program's page: an anisotropic mapping, y up, text with its
// advances; poppler finds its accented words where our reading of the
// records puts them.
TEST_F(MetafilePdf, WindowsMadePage) {
  QFile file(QStringLiteral(PERMISO_GRAPHICS_FIXTURES "/emf/test-001.emf"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const TMetafile page = TMetafile::FromBytes(file.readAll());
  const QString path = Write({page});
  const QStringList sizes = PageSizes(path);
  ASSERT_EQ(sizes.size(), 1);
  // The paper is the picture frame at the screen's resolution.
  const QStringList size = sizes.front().split(QStringLiteral(" x "));
  ASSERT_EQ(size.size(), 2);
  EXPECT_NEAR(size[0].toDouble(), page.Width() * 0.75, 0.01);
  EXPECT_NEAR(size[1].toDouble(), page.Height() * 0.75, 0.01);

  const TPageText text = ReadPageText(page, TPageTextDetail::WithPositions);
  const QRectF dest(0, 0, page.Width(), page.Height());
  const QTransform fit = emf::TEmfInterpreter::FitTransform(page.Layout(), dest);
  const std::vector<TWord> words = Words(path);
  for (const QString& word : {QStringLiteral("Tracé"), QStringLiteral("Chi²")}) {
    SCOPED_TRACE(word.toStdString());
    const TWord* found = Find(words, word);
    if (!found) continue;
    const qsizetype at = text.Text().indexOf(word);
    ASSERT_GE(at, 0);
    const QRectF where = fit.map(text.Outlines(at, word.size()).front()).boundingRect();
    EXPECT_NEAR(found->box.left(), where.left() * 0.75, 1.0);
    EXPECT_NEAR(found->box.right(), where.right() * 0.75, 1.0);
  }
}

}  // namespace
