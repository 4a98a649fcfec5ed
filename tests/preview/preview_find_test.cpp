// The find bar as a person uses it from the keyboard: Ctrl+F, typing, Enter,
// Shift+Enter, F3, Escape (the bar first, then the window); the page of the
// match shown, «n of m», and every match marked over its word where the
// page draws it, at any zoom, on our pages and on a Windows program's.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include "EmfInterpreter.h"
#include "EmfTextRecords.h"
#include "Metafile.h"
#include "PageText.h"
#include "QRFindBar.h"
#include "QRFindHighlight.h"
#include "QRPageSearch.h"
#include "QRPreview.h"
#include "QRPreviewImage.h"
#include "QRPrinter.h"
#include "QRStandardPreview.h"
#include "preview_fixture.h"

namespace {

using PreviewFindTest = PreviewFixture;

// Where keys go: the focus widget, or the active window when none has it.
QWidget* KeyTarget(QWidget* window) {
  QWidget* focus = QApplication::focusWidget();
  return focus ? focus : window;
}

void Press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers shift = Qt::NoModifier) {
  QTest::keyClick(KeyTarget(window), key, shift);
}

// Types text into the focus widget, one key at a time, as a keyboard does
// (QTest's key clicks only know ASCII).
void Type(QWidget* window, const QString& text) {
  for (QChar c : text) {
    const int key =
        c.unicode() < 0x80 && c.isLetterOrNumber() ? c.toUpper().unicode() : int(Qt::Key_unknown);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(KeyTarget(window), &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(KeyTarget(window), &release);
  }
}

void Activate(QWidget* window) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

void WaitForSearch(const TQRStandardPreview& window) {
  QDeadlineTimer deadline(30000);
  while (window.Search().Reading() && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  QCoreApplication::processEvents();
  ASSERT_FALSE(window.Search().Reading());
}

// The current mark on the page image, image pixels.
QRectF CurrentMark(const TQRStandardPreview& window) {
  const TQRFindHighlight& marks = window.Highlight();
  const int current = marks.CurrentOutline();
  if (current < 0) return {};
  return marks.OnImage(marks.Outlines()[size_t(current)]);
}

// The dark pixels of the page image inside `area` grown by a pixel across
// (the letters beside a word are a blank away) and by `margin` up and down.
QRect InkAround(TQRPreviewImage* image, const QRectF& area, int margin) {
  const QImage shot = image->grab().toImage();
  const QRect box = area.toAlignedRect().adjusted(-1, -margin, 1, margin) & shot.rect();
  QRect ink;
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x)
      if (qGray(shot.pixel(x, y)) < 160) ink |= QRect(x, y, 1, 1);
  return ink;
}

const std::vector<QStringList> kPages = {
    {"Dependencia: Obras Públicas", "Vehículo oficial"},  // 1
    {"Destino: Valle Alto"},                              // 2
    {"VEHÍCULO de reemplazo", "otro vehículo más"},       // 3
    {"Sin coincidencias"},                                // 4
    {"vehículo final"},                                   // 5
};

TEST_F(PreviewFindTest, FromTheKeyboard) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenWindow(*printer);
  RunTextPages(*printer, kPages);
  DeliverNotices();
  Activate(window);
  window->QRPreview->SetPageNumber(2);
  EXPECT_TRUE(window->FindBar->isHidden());

  Press(window, Qt::Key_F, Qt::ControlModifier);
  ASSERT_FALSE(window->FindBar->isHidden());
  EXPECT_EQ(QApplication::focusWidget(), window->FindBar->FindText);
  Type(window, QStringLiteral("vehí"));
  WaitForSearch(*window);
  EXPECT_EQ(window->FindBar->FindText->text(), QStringLiteral("vehí"));
  // From page 2 on, in any case: page 3 first.
  EXPECT_EQ(window->QRPreview->PageNumber(), 3);
  EXPECT_EQ(window->PanelText(1), QStringLiteral("Page 3 of 5"));
  EXPECT_EQ(window->FindBar->CountText(), QStringLiteral("2 of 4"));
  EXPECT_EQ(window->Highlight().Outlines().size(), 2u) << "both matches on the page are marked";

  struct Step {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers shift;
    int page;
    const char* count;
  };
  const Step steps[] = {
      {"enter: on the same page", Qt::Key_Return, Qt::NoModifier, 3, "3 of 4"},
      {"enter", Qt::Key_Return, Qt::NoModifier, 5, "4 of 4"},
      {"F3: round to the first", Qt::Key_F3, Qt::NoModifier, 1, "1 of 4"},
      {"shift+enter: round to the last", Qt::Key_Return, Qt::ShiftModifier, 5, "4 of 4"},
      {"shift+F3", Qt::Key_F3, Qt::ShiftModifier, 3, "3 of 4"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    Press(window, s.key, s.shift);
    EXPECT_EQ(window->QRPreview->PageNumber(), s.page);
    EXPECT_EQ(window->FindBar->CountText(), QString::fromUtf8(s.count));
  }

  // Match case: only the capitals of page 3 are left.
  window->FindBar->MatchCase->click();
  WaitForSearch(*window);
  window->FindBar->FindText->setText(QStringLiteral("VEHÍ"));
  WaitForSearch(*window);
  EXPECT_EQ(window->FindBar->CountText(), QStringLiteral("1 of 1"));
  EXPECT_EQ(window->QRPreview->PageNumber(), 3);

  // Escape closes the bar and its marks first, the window next.
  QPointer<TQRStandardPreview> alive(window);
  Press(window, Qt::Key_Escape);
  ASSERT_TRUE(alive);
  EXPECT_TRUE(window->FindBar->isHidden());
  EXPECT_TRUE(window->Highlight().Outlines().empty());
  EXPECT_TRUE(window->isVisible());
  Press(window, Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(alive) << "the second Escape closes the window";
}

// The mark over a word covers the word's ink, at page width and zoomed in,
// and stands where the page's text record puts the word.
TEST_F(PreviewFindTest, MarksCoverTheWordAtEveryZoom) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenWindow(*printer);
  RunTextPages(*printer, kPages);
  DeliverNotices();
  window->FindClick();
  window->FindBar->FindText->setText(QStringLiteral("oficial"));
  WaitForSearch(*window);
  ASSERT_EQ(window->QRPreview->PageNumber(), 1);
  for (int zoom : {100, 250}) {
    SCOPED_TRACE(zoom);
    window->QRPreview->SetZoom(zoom);
    QCoreApplication::processEvents();
    TQRPreviewImage* image = window->QRPreview->PreviewImage();
    const QRectF mark = CurrentMark(*window);
    ASSERT_FALSE(mark.isEmpty());

    // Against the record: reference point plus the advances before the word.
    const TMetafile& page = *image->PageMetafile();
    const std::vector<TTextRecord> records = TextRecords(page.ToBytes());
    ASSERT_EQ(records.size(), 2u);
    const TTextRecord& line = records[1];
    const int at = int(line.text.indexOf(QStringLiteral("oficial")));
    const QTransform fit = emf::TEmfInterpreter::FitTransform(
        page.Layout(), QRectF(0, 0, image->width(), image->height()));
    const QPointF start = fit.map(line.reference + QPointF(line.Advance(0, at), 0));
    const QPointF end = fit.map(line.reference + QPointF(line.Advance(0, at + 7), 0));
    EXPECT_NEAR(mark.left(), start.x(), 1e-6);
    EXPECT_NEAR(mark.right(), end.x(), 1e-6);
    EXPECT_NEAR(mark.top(), start.y(), 1e-6);

    // Against the pixels: the word's ink fills the mark across and lies
    // within it up and down.
    const QRect ink = InkAround(image, mark, 4);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GT(ink.width(), mark.width() * 0.8);
    EXPECT_GE(ink.top(), mark.top() - 1);
    EXPECT_LE(ink.bottom(), mark.bottom() + 1);
    EXPECT_GT(ink.height(), mark.height() * 0.5);
  }
}

// A page written by a Windows program, loaded from a file: the word found
// in its ExtTextOutW records is marked where the records and the file's
// mapping put it.
TEST_F(PreviewFindTest, OnAWindowsMadePage) {
  auto maker = MakePrinter();
  RunTextPages(*maker, {{"Portada"}});
  const QString file = TempPath(QStringLiteral("mixed.QRP"));
  WriteStoreFile(file, {maker->FetchPage(1)->ToBytes(), WindowsMadePage()});
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenWindow(*printer);
  files.Answer(file);
  window->LoadClick();
  window->FindClick();
  window->FindBar->FindText->setText(QStringLiteral("coordonnées"));
  WaitForSearch(*window);
  ASSERT_EQ(window->QRPreview->PageNumber(), 2);
  EXPECT_EQ(window->FindBar->CountText(), QStringLiteral("1 of 2"));

  TQRPreviewImage* image = window->QRPreview->PreviewImage();
  const TMetafile& page = *image->PageMetafile();
  const std::vector<TTextRecord> records = TextRecords(page.ToBytes());
  ASSERT_FALSE(records.empty());
  const TTextRecord& title = records.front();
  ASSERT_TRUE(title.text.startsWith(QStringLiteral("Tracé 1D des Coordonnées")));
  const int at = int(title.text.indexOf(QStringLiteral("Coordonnées")));
  // The file's anisotropic mapping: window origin (0, 7020), window extent
  // (9360, -7020), viewport extent (564, 423); then the frame onto the image.
  auto device = [](double x, double y) {
    return QPointF(x * 564.0 / 9360, (y - 7020) * 423.0 / -7020);
  };
  const QTransform fit = emf::TEmfInterpreter::FitTransform(
      page.Layout(), QRectF(0, 0, image->width(), image->height()));
  const QPointF start =
      fit.map(device(title.reference.x() + title.Advance(0, at), title.reference.y()));
  const QPointF end =
      fit.map(device(title.reference.x() + title.Advance(0, at + 11), title.reference.y()));
  const QRectF mark = CurrentMark(*window);
  EXPECT_NEAR(mark.left(), start.x(), 1e-6);
  EXPECT_NEAR(mark.right(), end.x(), 1e-6);
  EXPECT_LT(mark.top(), start.y()) << "the baseline lies inside the mark";
  EXPECT_GT(mark.bottom(), start.y());
}

}  // namespace
