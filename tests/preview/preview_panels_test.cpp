// The controls that follow the designed ones: the page pictures beside the
// page (shown for more than one page, F4, a click shows that page, drawn
// only as they come into view), zoom steps by Ctrl+wheel and Ctrl+plus and
// minus, the zoom box, and scrolling by wheel, arrows and Space that goes
// on to the next page.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "QRPreview.h"
#include "QRPrinter.h"
#include "QRStandardPreview.h"
#include "QRThumbnailModel.h"
#include "QRThumbnailPanel.h"
#include "preview_fixture.h"

namespace {

using PreviewPanelsTest = PreviewFixture;

QWidget* KeyTarget(QWidget* window) {
  QWidget* focus = QApplication::focusWidget();
  return focus ? focus : window;
}

void Press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers shift = Qt::NoModifier) {
  QTest::keyClick(KeyTarget(window), key, shift);
}

void Activate(QWidget* window) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// One notch of the wheel (up when `notches` is positive) over the page.
void Wheel(TQRPreview* preview, int notches, Qt::KeyboardModifiers shift = Qt::NoModifier) {
  QWidget* target = preview->viewport();
  const QPointF at(target->width() / 2.0, target->height() / 2.0);
  QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                    shift, Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &wheel);
}

void DrawAll(TQRStandardPreview* window) {
  for (int round = 0; round < 50; ++round) QCoreApplication::processEvents();
  (void)window;
}

TEST_F(PreviewPanelsTest, PicturesShowForMoreThanOnePageAndF4TogglesThem) {
  auto one = MakePrinter();
  TQRStandardPreview* single = OpenOnPages(*one, 1);
  EXPECT_TRUE(single->ThumbnailPanel->isHidden());
  EXPECT_FALSE(single->Thumbnails->isChecked());

  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenOnPages(*printer, 5);
  Activate(window);
  EXPECT_FALSE(window->ThumbnailPanel->isHidden());
  EXPECT_TRUE(window->Thumbnails->isChecked());
  EXPECT_EQ(window->ThumbnailPanel->model()->rowCount(), 5);
  Press(window, Qt::Key_F4);
  EXPECT_TRUE(window->ThumbnailPanel->isHidden());
  EXPECT_FALSE(window->Thumbnails->isChecked());
  // The user's choice stays, also for other pages loaded later.
  const QString file = TempPath(QStringLiteral("three.QRP"));
  auto other = MakePrinter();
  RunPages(*other, 3);
  other->SavePrepared(file);
  files.Answer(file);
  Press(window, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(window->PanelText(1), QStringLiteral("Page 1 of 3"));
  EXPECT_TRUE(window->ThumbnailPanel->isHidden());
  EXPECT_EQ(window->ThumbnailPanel->model()->rowCount(), 3);
  Press(window, Qt::Key_F4);
  EXPECT_FALSE(window->ThumbnailPanel->isHidden());
}

TEST_F(PreviewPanelsTest, AClickShowsThatPageAndThePageOnViewIsMarked) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenOnPages(*printer, 5);
  Activate(window);
  TQRThumbnailPanel* panel = window->ThumbnailPanel;
  EXPECT_EQ(panel->MarkedPage(), 1);
  const QRect third = panel->visualRect(panel->model()->index(2, 0));
  ASSERT_FALSE(third.isEmpty());
  QTest::mouseClick(panel->viewport(), Qt::LeftButton, Qt::NoModifier, third.center());
  EXPECT_EQ(window->QRPreview->PageNumber(), 3);
  EXPECT_EQ(window->PanelText(1), QStringLiteral("Page 3 of 5"));
  EXPECT_EQ(panel->MarkedPage(), 3);

  // Paging by the window's keys moves the mark along.
  panel->clearFocus();
  Press(window, Qt::Key_PageDown);
  EXPECT_EQ(window->QRPreview->PageNumber(), 4);
  EXPECT_EQ(panel->MarkedPage(), 4);
  Press(window, Qt::Key_Home);
  EXPECT_EQ(panel->MarkedPage(), 1);

  // With the panel focused, its keys choose pages too.
  panel->setFocus();
  Press(window, Qt::Key_Down);
  EXPECT_EQ(window->QRPreview->PageNumber(), 2);
}

// Only the pictures in view are drawn, and no more than a bounded number
// are kept however far the panel is scrolled.
TEST_F(PreviewPanelsTest, PicturesAreDrawnAsTheyComeIntoView) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenOnPages(*printer, 400);
  TQRThumbnailPanel* panel = window->ThumbnailPanel;
  DrawAll(window);
  const TQRThumbnailModel& model = panel->Model();
  const int inView = panel->viewport()->height() / panel->sizeHintForRow(0) + 2;
  EXPECT_GT(model.DrawnCount(), 0);
  EXPECT_LE(model.DrawnCount(), inView);
  QScrollBar* bar = panel->verticalScrollBar();
  for (int value = 0; value < bar->maximum(); value += bar->pageStep()) {
    bar->setValue(value);
    DrawAll(window);
  }
  bar->setValue(bar->maximum());
  DrawAll(window);
  EXPECT_GT(model.DrawnCount(), TQRThumbnailModel::kKeptPictures);
  EXPECT_LE(model.KeptCount(), TQRThumbnailModel::kKeptPictures);
  // The last picture in view is drawn: what it shows is page 400.
  const QPixmap last = panel->model()->index(399, 0).data(Qt::DecorationRole).value<QPixmap>();
  EXPECT_FALSE(last.isNull());
}

TEST_F(PreviewPanelsTest, WheelAndKeysStepTheZoom) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenOnPages(*printer, 1);
  Activate(window);
  TQRPreview* preview = window->QRPreview;
  struct Step {
    const char* name;
    std::function<void()> act;
    int zoom;
  };
  const Step steps[] = {
      {"start", [&] { preview->SetZoom(100); }, 100},
      {"ctrl+wheel up", [&] { Wheel(preview, 1, Qt::ControlModifier); }, 150},
      {"two notches at once", [&] { Wheel(preview, 2, Qt::ControlModifier); }, 300},
      {"ctrl+plus", [&] { Press(window, Qt::Key_Plus, Qt::ControlModifier); }, 400},
      {"no step beyond the last", [&] { Press(window, Qt::Key_Plus, Qt::ControlModifier); }, 400},
      {"ctrl+wheel down", [&] { Wheel(preview, -1, Qt::ControlModifier); }, 300},
      {"ctrl+minus", [&] { Press(window, Qt::Key_Minus, Qt::ControlModifier); }, 200},
      {"from between two steps", [&] { preview->SetZoom(80); }, 80},
      {"down to the step below", [&] { Press(window, Qt::Key_Minus, Qt::ControlModifier); }, 75},
      {"ctrl+equal is ctrl+plus", [&] { Press(window, Qt::Key_Equal, Qt::ControlModifier); }, 100},
      {"to the first", [&] { Wheel(preview, -3, Qt::ControlModifier); }, 25},
      {"no step below the first", [&] { Wheel(preview, -1, Qt::ControlModifier); }, 25},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    s.act();
    EXPECT_EQ(preview->Zoom(), s.zoom);
    EXPECT_EQ(window->ZoomBox->currentText(), QStringLiteral("%1%").arg(s.zoom));
  }
  EXPECT_EQ(preview->ZoomState(), TQRZoomState::Percent);
  EXPECT_FALSE(window->ZoomFit->isChecked() || window->Zoom100->isChecked() ||
               window->ZoomToWidth->isChecked())
      << "a stepped zoom is none of the three";
  Press(window, Qt::Key_2, Qt::ControlModifier);
  EXPECT_TRUE(window->ZoomToWidth->isChecked());
  EXPECT_EQ(preview->ZoomState(), TQRZoomState::PageWidth);
  Press(window, Qt::Key_0, Qt::ControlModifier);
  EXPECT_TRUE(window->ZoomFit->isChecked());
  EXPECT_EQ(preview->ZoomState(), TQRZoomState::WholePage);
  Press(window, Qt::Key_1, Qt::ControlModifier);
  EXPECT_TRUE(window->Zoom100->isChecked());
  EXPECT_EQ(preview->Zoom(), 100);
}

// Typed zooms take the preview's rule: 2 to 2000 percent, others ignored.
TEST_F(PreviewPanelsTest, TheZoomBoxTakesATypedPercentage) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenOnPages(*printer, 1);
  Activate(window);
  window->QRPreview->SetZoom(100);
  Press(window, Qt::Key_Z, Qt::AltModifier);
  ASSERT_EQ(QApplication::focusWidget(), window->ZoomBox);
  struct Case {
    const char* typed;
    int zoom;
  };
  const Case cases[] = {
      {"150", 150}, {"2000%", 2000}, {" 2 % ", 2}, {"2001", 2}, {"1", 2},
      {"0", 2},     {"abc", 2},      {"", 2},      {"75", 75},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    QWidget* box = QApplication::focusWidget();
    ASSERT_EQ(box, window->ZoomBox);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, QString::fromUtf8(c.typed));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(window->QRPreview->Zoom(), c.zoom);
    EXPECT_EQ(window->ZoomBox->currentText(), QStringLiteral("%1%").arg(c.zoom))
        << "the box shows the zoom in force";
  }
}

// At 200 % a page is taller than the view: the wheel, the arrow keys and
// Space scroll it, and go on to the next page past its end.
TEST_F(PreviewPanelsTest, ScrollingGoesOnToTheNextPage) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenOnPages(*printer, 3);
  Activate(window);
  TQRPreview* preview = window->QRPreview;
  preview->SetZoom(200);
  QScrollBar* bar = preview->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);

  Wheel(preview, -1);
  EXPECT_EQ(bar->value(), 3 * TQRPreview::kLineStep) << "a notch is three lines";
  Press(window, Qt::Key_Down);
  EXPECT_EQ(bar->value(), 4 * TQRPreview::kLineStep);
  Press(window, Qt::Key_Up);
  EXPECT_EQ(bar->value(), 3 * TQRPreview::kLineStep);
  Press(window, Qt::Key_Space);
  EXPECT_GT(bar->value(), 3 * TQRPreview::kLineStep + preview->viewport()->height() / 2);
  Press(window, Qt::Key_Space, Qt::ShiftModifier);
  EXPECT_EQ(bar->value(), 3 * TQRPreview::kLineStep);

  // To the end of page 1; one notch more shows page 2 from its top.
  for (int i = 0; i < 1000 && bar->value() < bar->maximum(); ++i) Wheel(preview, -1);
  ASSERT_EQ(bar->value(), bar->maximum());
  EXPECT_EQ(preview->PageNumber(), 1);
  Wheel(preview, -1);
  EXPECT_EQ(preview->PageNumber(), 2);
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(window->PanelText(1), QStringLiteral("Page 2 of 3"));
  // Back up past its top: page 1 from its bottom.
  Press(window, Qt::Key_Up);
  EXPECT_EQ(preview->PageNumber(), 1);
  EXPECT_EQ(bar->value(), bar->maximum());
  // Space past the end of the last page stays on it.
  Press(window, Qt::Key_End);
  for (int i = 0; i < 100; ++i) Press(window, Qt::Key_Space);
  EXPECT_EQ(preview->PageNumber(), 3);
  EXPECT_EQ(bar->value(), bar->maximum());
  // Across: the arrows move the view sideways where the page is wider.
  QScrollBar* across = preview->horizontalScrollBar();
  ASSERT_GT(across->maximum(), 0);
  Press(window, Qt::Key_Right);
  EXPECT_EQ(across->value(), TQRPreview::kLineStep);
  Press(window, Qt::Key_Left);
  EXPECT_EQ(across->value(), 0);
}

}  // namespace
