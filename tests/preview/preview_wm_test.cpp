// The preview window on a desktop with a window manager (run by
// run-under-window-manager.sh): keys typed on the keyboard (xdotool) reach
// the window the manager made active. Ctrl+F puts the keyboard in the find
// bar; the first Escape gives it back to the window, whose keys then page
// through the report; opening a report of many pages does not hand the
// keyboard to the page pictures; the second Escape closes the window.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QTest>

#include "QRFindBar.h"
#include "QRPreview.h"
#include "QRPrinter.h"
#include "QRStandardPreview.h"
#include "QRThumbnailPanel.h"
#include "preview_fixture.h"

namespace {

using PreviewUnderWindowManager = PreviewFixture;

// Keys as the keyboard sends them, to whatever window has the focus.
void Keyboard(const QStringList& args) {
  QProcess xdotool;
  xdotool.start(QStringLiteral("xdotool"), args);
  ASSERT_TRUE(xdotool.waitForFinished(30000));
  ASSERT_EQ(xdotool.exitCode(), 0) << xdotool.readAllStandardError().toStdString();
}

// Lets events run until `done` holds, for a generous while.
template <typename Condition>
bool Eventually(Condition done) {
  QDeadlineTimer deadline(20000);
  while (!done() && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  return done();
}

TEST_F(PreviewUnderWindowManager, TheKeyboardGoesWhereThePersonExpects) {
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenWindow(*printer);
  RunTextPages(*printer, {{"Portada"}, {"Destino"}, {"Vehículo oficial"}, {"Firmas"}});
  DeliverNotices();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  ASSERT_FALSE(window->ThumbnailPanel->isHidden());
  EXPECT_FALSE(window->ThumbnailPanel->hasFocus()) << "the page pictures took the keyboard";

  Keyboard({"key", "--clearmodifiers", "Next"});  // Page Down
  ASSERT_TRUE(Eventually([&] { return window->QRPreview->PageNumber() == 2; }));

  Keyboard({"key", "--clearmodifiers", "ctrl+f"});
  ASSERT_TRUE(Eventually([&] { return !window->FindBar->isHidden(); }));
  ASSERT_TRUE(Eventually([&] {
    return QApplication::focusWidget() == static_cast<QWidget*>(window->FindBar->FindText);
  }));
  // Letters of the keyboard's own layout (accents need a layout that has
  // them; the offscreen tests type those).
  Keyboard({"type", "--clearmodifiers", "oficial"});
  ASSERT_TRUE(Eventually([&] { return window->QRPreview->PageNumber() == 3; }))
      << window->FindBar->FindText->text().toStdString();
  EXPECT_EQ(window->FindBar->FindText->text(), QStringLiteral("oficial"));

  // Escape gives the keyboard back to the window: Page Down pages again.
  Keyboard({"key", "--clearmodifiers", "Escape"});
  ASSERT_TRUE(Eventually([&] { return window->FindBar->isHidden(); }));
  EXPECT_TRUE(window->isActiveWindow());
  Keyboard({"key", "--clearmodifiers", "Next"});
  ASSERT_TRUE(Eventually([&] { return window->QRPreview->PageNumber() == 4; }));
  EXPECT_TRUE(window->FindBar->FindText->text() == QStringLiteral("oficial"))
      << "the closed bar took no keys";

  // The second Escape closes the window.
  QPointer<TQRStandardPreview> alive(window);
  Keyboard({"key", "--clearmodifiers", "Escape"});
  EXPECT_TRUE(Eventually([&] {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return alive.isNull();
  }));
}

}  // namespace
