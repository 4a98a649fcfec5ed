// The text of a page: what a search reads, and where each found word stands,
// checked against the text records themselves (reference point, advances,
// mapping) and against the ink the player draws.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <vector>

#include "EmfBuilder.h"
#include "EmfInterpreter.h"
#include "EmfTextRecords.h"
#include "Metafile.h"
#include "PageText.h"

namespace {

// The one outline of `word` on the page, as a rectangle.
QRectF OutlineOf(const TPageText& text, const QString& word) {
  const qsizetype at = text.Text().indexOf(word);
  EXPECT_GE(at, 0) << word.toStdString() << " not in " << text.Text().toStdString();
  const std::vector<QPolygonF> outlines = text.Outlines(at, word.size());
  EXPECT_EQ(outlines.size(), 1u);
  return outlines.empty() ? QRectF() : outlines.front().boundingRect();
}

TMetafile OwnPage() {
  TMetafileCanvas canvas(400, 300);
  TFontSpec font;
  font.pointSize = 12;
  canvas.SelectFont(font);
  canvas.TextOut(20, 30, TTextAnchor::Left, QStringLiteral("PERMISO DE CIRCULACIÓN"));
  canvas.TextOut(380, 60, TTextAnchor::Right, QStringLiteral("Comisión"));
  // Three runs on one line: two touching, the third a word apart.
  const int abc = canvas.TextExtent(QStringLiteral("ABC")).width();
  const int def = canvas.TextExtent(QStringLiteral("DEF")).width();
  canvas.TextOut(20, 100, TTextAnchor::Left, QStringLiteral("ABC"));
  canvas.TextOut(20 + abc, 100, TTextAnchor::Left, QStringLiteral("DEF"));
  canvas.TextOut(20 + abc + def + 12, 100, TTextAnchor::Left, QStringLiteral("GHI"));
  return canvas.Close();
}

TEST(PageText, OwnPageReadsRunByRunAndLineByLine) {
  const TMetafile page = OwnPage();
  const QString expected = QStringLiteral("PERMISO DE CIRCULACIÓN\nComisión\nABCDEF GHI");
  EXPECT_EQ(ReadPageText(page, TPageTextDetail::TextOnly).Text(), expected);
  const TPageText measured = ReadPageText(page, TPageTextDetail::WithPositions);
  EXPECT_EQ(measured.Text(), expected) << "the string never depends on measuring";
  EXPECT_TRUE(ReadPageText(page, TPageTextDetail::TextOnly).Outlines(0, 3).empty());
}

TEST(PageText, FoundWordsStandWhereTheRecordsPutThem) {
  const TMetafile page = OwnPage();
  const std::vector<TTextRecord> records = TextRecords(page.ToBytes());
  ASSERT_EQ(records.size(), 5u);
  const TPageText text = ReadPageText(page, TPageTextDetail::WithPositions);

  // Left-anchored: from the reference point plus the advances before it.
  const TTextRecord& title = records[0];
  const int at = int(title.text.indexOf(QStringLiteral("CIRCULACIÓN")));
  const QRectF word = OutlineOf(text, QStringLiteral("CIRCULACIÓN"));
  EXPECT_NEAR(word.left(), title.reference.x() + title.Advance(0, at), 1e-6);
  EXPECT_NEAR(word.width(), title.Advance(at, at + 11), 1e-6);
  EXPECT_NEAR(word.top(), title.reference.y(), 1e-6) << "our text is anchored at its top";
  EXPECT_GT(word.height(), 12) << "a 12 pt line is 16 pixels high";
  EXPECT_LT(word.height(), 22);

  // Right-anchored: the whole run ends at the reference point.
  const TTextRecord& right = records[1];
  const QRectF comision = OutlineOf(text, QStringLiteral("Comisión"));
  EXPECT_NEAR(comision.right(), right.reference.x(), 1e-6);
  EXPECT_NEAR(comision.width(), right.Advance(0, 8), 1e-6);

  // A match across two touching runs has one outline in each.
  const qsizetype cd = text.Text().indexOf(QStringLiteral("CDE"));
  const std::vector<QPolygonF> parts = text.Outlines(cd, 3);
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_NEAR(parts[0].boundingRect().right(), parts[1].boundingRect().left(), 1e-6);
}

// What the player paints: the ink of a word lies inside its outline mapped
// onto the same rectangle, at any zoom.
TEST(PageText, OutlinesCoverTheInkAtEveryZoom) {
  const TMetafile page = OwnPage();
  const TPageText text = ReadPageText(page, TPageTextDetail::WithPositions);
  const QString word = QStringLiteral("Comisión");
  const qsizetype at = text.Text().indexOf(word);
  for (double zoom : {0.5, 1.0, 2.0, 3.5}) {
    SCOPED_TRACE(zoom);
    const QRectF dest(0, 0, page.Width() * zoom, page.Height() * zoom);
    QImage image(dest.size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      page.Play(painter, dest);
    }
    const QTransform fit = emf::TEmfInterpreter::FitTransform(page.Layout(), dest);
    const QRectF box = fit.map(text.Outlines(at, word.size()).front()).boundingRect();
    // Ink on the word's line (between the outline's top and bottom) within
    // its columns belongs to the word; none of it lies outside, with a
    // pixel's allowance for antialiased edges.
    QRect ink;
    const int top = int(box.top()), bottom = int(std::ceil(box.bottom()));
    for (int y = std::max(0, top - 3); y < std::min(image.height(), bottom + 3); ++y)
      for (int x = int(box.left()) - 20; x < image.width(); ++x)
        if (x >= 0 && qGray(image.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), box.left() - 1.5);
    EXPECT_LE(ink.right(), box.right() + 1.5);
    EXPECT_GE(ink.top(), box.top() - 1.5);
    EXPECT_LE(ink.bottom(), box.bottom() + 1.5);
    // Side bearings: ink starts and ends a little inside the advances, and
    // pale antialiased edge pixels are not counted.
    const double bearing = 1.5 + 3 * zoom;
    EXPECT_LT(ink.left(), box.left() + bearing) << "the word starts at the outline's start";
    EXPECT_GT(ink.right(), box.right() - bearing) << "and ends at its end";
  }
}

// EXTTEXTOUTA payload: reference point, single-byte text and its advances.
QByteArray AnsiTextPayload(int x, int y, const QByteArray& text, int advance) {
  QByteArray p;
  auto put = [&](std::uint32_t v) {
    char b[4];
    qToLittleEndian(v, b);
    p.append(b, 4);
  };
  const std::uint32_t n = std::uint32_t(text.size());
  const std::uint32_t stringBytes = (n + 3) & ~3u;
  put(0), put(0), put(std::uint32_t(-1)), put(std::uint32_t(-1));
  put(1), put(0), put(0);
  put(std::uint32_t(x)), put(std::uint32_t(y)), put(n), put(76), put(0);
  put(0), put(0), put(std::uint32_t(-1)), put(std::uint32_t(-1));
  put(76 + stringBytes);
  p += text;
  while (p.size() % 4) p.append('\0');
  for (std::uint32_t i = 0; i < n; ++i) put(std::uint32_t(advance));
  return p;
}

QByteArray FontRecordPayload(int index, int height) {
  QByteArray p(360, '\0');
  qToLittleEndian<std::uint32_t>(std::uint32_t(index), p.data());
  qToLittleEndian<std::int32_t>(height, p.data() + 4);
  qToLittleEndian<std::int32_t>(400, p.data() + 20);
  const QString face = QStringLiteral("Arial");
  for (int i = 0; i < face.size(); ++i)
    qToLittleEndian<std::uint16_t>(face[i].unicode(), p.data() + 32 + 2 * i);
  return p;
}

// A page as a Windows program writes one: an anisotropic mapping with a
// window origin, y up, a world transform, a wide and a single-byte text
// record. The expected places are worked out by hand from those records.
TEST(PageText, WindowsMappingAndSingleByteText) {
  TEmfBuilder b(1000, 1000);
  b.Record(17, {8});           // SETMAPMODE anisotropic
  b.Record(9, {2000, -2000});  // window extent: y up
  b.Record(10, {-100, 2000});  // window origin
  b.Record(11, {1000, 1000});  // viewport extent: half a pixel per unit
  b.Record(35, {0x3F800000, 0, 0, 0x3F800000, 0x42C80000, 0});  // world: x + 100
  b.Raw(82, FontRecordPayload(1, -60));
  b.Record(37, {1});
  b.Record(22, {24});  // baseline
  b.Raw(84, TextPayload(300, 1200, QStringLiteral("Coordonnées"), 40));
  b.Raw(83, AnsiTextPayload(300, 1000,
                            QByteArray("Entr\xE9"
                                       "e 8 x 9"),
                            40));
  const TMetafile page = TMetafile::FromBytes(b.Bytes());
  const TPageText text = ReadPageText(page, TPageTextDetail::WithPositions);
  EXPECT_EQ(text.Text(), QStringLiteral("Coordonnées\nEntrée 8 x 9"));

  // x: world +100, then (x - (-100)) / 2; y: (y - 2000) / -2.
  auto device = [](double x, double y) { return QPointF((x + 100 + 100) / 2, (y - 2000) / -2); };
  const QRectF nees = OutlineOf(text, QStringLiteral("nées"));
  EXPECT_NEAR(nees.left(), device(300 + 7 * 40, 0).x(), 1e-6);
  EXPECT_NEAR(nees.width(), 4 * 40 / 2.0, 1e-6);
  const double baseline = device(0, 1200).y();
  EXPECT_LT(nees.top(), baseline);
  EXPECT_GT(nees.bottom(), baseline);
  EXPECT_NEAR(baseline - nees.top(), 0.9 * 30, 0.2 * 30) << "an ascent of a 30-pixel font";

  const QRectF eight = OutlineOf(text, QStringLiteral("8 x 9"));
  EXPECT_NEAR(eight.left(), device(300 + 7 * 40, 0).x(), 1e-6);
  EXPECT_NEAR(eight.right(), device(300 + 12 * 40, 0).x(), 1e-6);
  EXPECT_LT(eight.top(), device(0, 1000).y());
}

// A page written by a Windows program: the words of its text records, and
// their places from the records' reference points and advances under the
// file's own anisotropic mapping.
TEST(PageText, WindowsMadeFile) {
  QFile file(QStringLiteral(PERMISO_GRAPHICS_FIXTURES "/emf/test-001.emf"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  const TMetafile page = TMetafile::FromBytes(bytes);
  const TPageText text = ReadPageText(page, TPageTextDetail::WithPositions);
  const std::vector<TTextRecord> records = TextRecords(bytes);
  ASSERT_FALSE(records.empty());
  for (const TTextRecord& r : records)
    EXPECT_TRUE(text.Text().contains(r.text)) << r.text.toStdString();

  // The file maps with window origin (0, 7020), window extent (9360, -7020)
  // and viewport extent (564, 423).
  const double sx = 564.0 / 9360, sy = 423.0 / -7020;
  const TTextRecord& title = records[0];
  ASSERT_TRUE(title.text.startsWith(QStringLiteral("Tracé 1D des Coordonnées")));
  const int at = int(title.text.indexOf(QStringLiteral("Coordonnées")));
  const QRectF word = OutlineOf(text, QStringLiteral("Coordonnées"));
  EXPECT_NEAR(word.left(), (title.reference.x() + title.Advance(0, at)) * sx, 1e-6);
  EXPECT_NEAR(word.width(), title.Advance(at, at + 11) * sx, 1e-6);
  const double baseline = (title.reference.y() - 7020) * sy;
  EXPECT_LT(word.top(), baseline);
  EXPECT_GT(word.bottom(), baseline);
}

}  // namespace
