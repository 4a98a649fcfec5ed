// The standard preview window: its design, the status bar, the buttons'
// enabled states, navigation and the keyboard, printing, saving, loading and
// closing, on a scripted printer driver with answered dialogs.

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCoreApplication>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QtEndian>
#include <QtTest/QTest>

#include "ActivationRecord.h"
#include "QRNotices.h"
#include "QRPreview.h"
#include "QRPreviewImage.h"
#include "QRPrinter.h"
#include "QRStandardPreview.h"
#include "QRStandardPreviewInterface.h"
#include "QRFindBar.h"
#include "QRThumbnailPanel.h"
#include <QLineEdit>
#include "preview_fixture.h"

namespace {

using TWindowTest = PreviewFixture;

// A report stand-in: logs the print requests and preview-closed notices it
// receives.
class TReportLog : public QObject {
 public:
  QStringList lines;

 protected:
  bool event(QEvent* e) override {
    if (e->type() == TQRPrintRequest::Kind) {
      lines << QStringLiteral("print");
      return true;
    }
    if (e->type() == TQRPreviewClosedNotice::Kind) {
      lines << QStringLiteral("closed");
      return true;
    }
    return QObject::event(e);
  }
};

QStringList ToolBarOrder(const TQRStandardPreview& window) {
  QStringList names;
  for (QAction* action : window.ToolBar1->actions())
    if (QWidget* w = window.ToolBar1->widgetForAction(action)) names << w->objectName();
  return names;
}

TEST_F(TWindowTest, OpensAsDesigned) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenWindow(*printer);

  EXPECT_EQ(window->windowTitle(), "Print Preview");
  EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
  EXPECT_EQ(window->normalGeometry().size(), QSize(652, 579));
  EXPECT_EQ(window->normalGeometry().center(),
            QGuiApplication::primaryScreen()->geometry().center());
  EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));

  // The designed controls in their order, then the ones that follow them.
  EXPECT_EQ(ToolBarOrder(*window),
            QStringList({"ToolButton1", "ZoomFit",      "Zoom100",     "ZoomToWidth", "Separator1",
                         "FirstPage",   "PreviousPage", "ToolButton2", "LastPage",    "Separator2",
                         "PrintSetup",  "Print",        "Separator3",  "SaveReport",  "LoadReport",
                         "Separator4",  "ExitButton",   "Separator5",  "ZoomBox",     "Thumbnails",
                         "FindButton"}));
  // The hint is the accessible name; the tooltip adds the keys after it.
  struct Button {
    QToolButton* button;
    const char* hint;
    const char* tooltip;
    bool enabled;
  };
  const Button buttons[] = {
      {window->ZoomFit, "Zoom to fit", "Zoom to fit (Ctrl+0)", true},
      {window->Zoom100, "100%", "100% (Ctrl+1)", true},
      {window->ZoomToWidth, "Zoom to width", "Zoom to width (Ctrl+2)", true},
      {window->FirstPage, "First page", "First page (Home, Ctrl+PgUp)", true},
      {window->PreviousPage, "Previous page", "Previous page (PgUp)", true},
      {window->ToolButton2, "Next page", "Next page (PgDown)", true},
      {window->LastPage, "Last page", "Last page (End, Ctrl+PgDown)", true},
      {window->PrintSetup, "Printer setup", "Printer setup (Ctrl+Shift+P)", false},
      {window->Print, "Print", "Print (Ctrl+P)", false},
      {window->SaveReport, "Save Report", "Save Report (Ctrl+S)", true},
      {window->LoadReport, "Load Report", "Load Report (Ctrl+O)", true},
      {window->Thumbnails, "Thumbnails", "Thumbnails (F4)", true},
      {window->FindButton, "Find", "Find (Ctrl+F)", true},
  };
  for (const Button& b : buttons) {
    SCOPED_TRACE(b.hint);
    EXPECT_EQ(b.button->toolTip(), b.tooltip);
    EXPECT_EQ(b.button->accessibleName(), b.hint);
    EXPECT_EQ(b.button->isEnabled(), b.enabled);
    EXPECT_TRUE(b.button->text().isEmpty() ||
                b.button->toolButtonStyle() == Qt::ToolButtonIconOnly);
    const QList<QSize> sizes = b.button->icon().availableSizes();
    ASSERT_FALSE(sizes.isEmpty()) << "glyph missing";
    EXPECT_EQ(sizes.first(), QSize(16, 16));
  }
  for (QFrame* divider : {window->ToolButton1, window->Separator1, window->Separator2,
                          window->Separator3, window->Separator4})
    EXPECT_EQ(divider->width(), 8) << divider->objectName().toStdString();

  // The zoom buttons are one group; "Zoom to width" is down.
  EXPECT_FALSE(window->ZoomFit->isChecked());
  EXPECT_FALSE(window->Zoom100->isChecked());
  EXPECT_TRUE(window->ZoomToWidth->isChecked());
  window->Zoom100->click();
  EXPECT_TRUE(window->Zoom100->isChecked());
  EXPECT_FALSE(window->ZoomToWidth->isChecked());

  EXPECT_EQ(window->ExitButton->text(), "&Close");
  EXPECT_EQ(window->ExitButton->size(), QSize(40, 22));

  EXPECT_EQ(window->StatusBar->height(), 19);
  EXPECT_EQ(window->PanelText(0), "0%");
  auto labels = window->StatusBar->findChildren<QLabel*>();
  ASSERT_GE(labels.size(), 2);
  EXPECT_EQ(labels[0]->width(), 40);
  EXPECT_TRUE(labels[0]->alignment() & Qt::AlignRight);
  EXPECT_GE(labels[1]->width(), 50);
  EXPECT_EQ(window->PanelText(1), "Page 1 of 0") << "no page begun yet";

  EXPECT_EQ(printer->Listener(), window->QRPreview);
  EXPECT_TRUE(printer->PreviewShowing());
  EXPECT_FALSE(window->QRPreview->PreviewImage()->HoldsPage());
}

TEST_F(TWindowTest, TakesTheJobTitleAndEnablesPrintForCompletePages) {
  auto printer = MakePrinter();
  printer->SetJobTitle(QStringLiteral("Permiso 0042"));
  RunPages(*printer, 1);
  TQRStandardPreview* window = OpenWindow(*printer);
  EXPECT_EQ(window->windowTitle(), "Permiso 0042");
  EXPECT_TRUE(window->Print->isEnabled());
  EXPECT_FALSE(window->PrintSetup->isEnabled()) << "only a page-ready notice enables printer setup";
}

TEST_F(TWindowTest, ArrivingPagesShowPageOneAtPageWidthAndEnablePrintingWhenComplete) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenWindow(*printer);
  window->resize(1000, 700);
  window->Zoom100->click();  // the arriving page switches to the page width all the same

  RunPages(*printer, 2, /*finish=*/false);  // page 1 stored, page 2 still open
  DeliverNotices();
  EXPECT_EQ(window->PanelText(1), "Page 1 of 2");
  EXPECT_TRUE(window->QRPreview->PreviewImage()->HoldsPage());
  EXPECT_EQ(window->QRPreview->ZoomState(), TQRZoomState::PageWidth);
  EXPECT_FALSE(window->Print->isEnabled());
  EXPECT_FALSE(window->PrintSetup->isEnabled());
  window->LastPageClick();
  EXPECT_EQ(window->QRPreview->PageNumber(), 2) << "the open page can be chosen";
  EXPECT_FALSE(window->QRPreview->PreviewImage()->HoldsPage()) << "but it has no image yet";

  printer->EndRun();
  DeliverNotices();
  EXPECT_TRUE(window->QRPreview->PreviewImage()->HoldsPage()) << "page 2 arrived while on view";
  EXPECT_EQ(window->PanelText(1), "Page 2 of 2");
  EXPECT_TRUE(window->Print->isEnabled());
  EXPECT_TRUE(window->PrintSetup->isEnabled());
}

TEST_F(TWindowTest, ProgressShowsInStepsOfFiveAndClearsAtTheEnds) {
  struct Case {
    const char* name;
    std::vector<int> progress;
    const char* shown;
  };
  const Case cases[] = {
      {"none", {}, "0%"},
      {"below the first step", {3}, "0%"},
      {"steps", {5, 7, 12}, "12%"},  // 7 is less than 5 + 5
      {"zero clears", {40, 0}, ""},
      {"hundred clears", {50, 100}, ""},
      {"going back shows nothing new", {60, 20}, "60%"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto printer = MakePrinter();
    TQRStandardPreview* window = OpenWindow(*printer);
    for (int p : c.progress) printer->SetProgressPercent(p);
    DeliverNotices();
    EXPECT_EQ(window->PanelText(0), c.shown);
  }
}

// Keys on a five-page store, each starting on page 2.
TEST_F(TWindowTest, NavigatesByButtonsAndKeys) {
  struct Case {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers shift;
    int page;
  };
  const Case cases[] = {
      {"page down", Qt::Key_PageDown, Qt::NoModifier, 3},
      {"page up", Qt::Key_PageUp, Qt::NoModifier, 1},
      {"ctrl page down", Qt::Key_PageDown, Qt::ControlModifier, 5},
      {"ctrl page up", Qt::Key_PageUp, Qt::ControlModifier, 1},
      // Ctrl with Shift or Alt is not "exactly Ctrl": one page only.
      {"ctrl shift page down", Qt::Key_PageDown, Qt::ControlModifier | Qt::ShiftModifier, 3},
      {"ctrl alt page down", Qt::Key_PageDown, Qt::ControlModifier | Qt::AltModifier, 3},
      {"ctrl shift page up", Qt::Key_PageUp, Qt::ControlModifier | Qt::ShiftModifier, 1},
      // The keypad's Page Down with Ctrl is still exactly Ctrl.
      {"keypad ctrl page down", Qt::Key_PageDown, Qt::ControlModifier | Qt::KeypadModifier, 5},
      {"home with any shift", Qt::Key_Home, Qt::ShiftModifier, 1},
      {"end with any shift", Qt::Key_End, Qt::ControlModifier | Qt::AltModifier, 5},
      {"other key", Qt::Key_F9, Qt::NoModifier, 2},
  };
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenOnPages(*printer, 5);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window->QRPreview->SetPageNumber(2);
    QKeyEvent press(QEvent::KeyPress, c.key, c.shift);
    QCoreApplication::sendEvent(window, &press);
    EXPECT_EQ(window->QRPreview->PageNumber(), c.page);
    if (c.key != Qt::Key_F9) {
      EXPECT_EQ(window->PanelText(1), QStringLiteral("Page %1 of 5").arg(c.page));
    }
  }

  struct Step {
    QToolButton* button;
    int page;
  };
  window->QRPreview->SetPageNumber(1);
  const Step steps[] = {{window->PreviousPage, 1},
                        {window->ToolButton2, 2},
                        {window->LastPage, 5},
                        {window->ToolButton2, 5},
                        {window->FirstPage, 1}};
  for (const Step& s : steps) {
    s.button->click();
    EXPECT_EQ(window->QRPreview->PageNumber(), s.page) << s.button->objectName().toStdString();
    EXPECT_EQ(window->PanelText(1), QStringLiteral("Page %1 of 5").arg(s.page));
  }
}

TEST_F(TWindowTest, NavigationOnOnePageRewritesTheStatus) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenOnPages(*printer, 1);
  for (QToolButton* button : {window->ToolButton2, window->LastPage, window->PreviousPage}) {
    window->StatusBar->findChildren<QLabel*>()[1]->setText(QString());
    button->click();
    EXPECT_EQ(window->QRPreview->PageNumber(), 1);
    EXPECT_EQ(window->PanelText(1), "Page 1 of 1") << button->objectName().toStdString();
  }
}

TEST_F(TWindowTest, EscapeAndCloseButtonCloseTellThePrinterAndFreeTheWindow) {
  for (const char* how : {"escape", "button"}) {
    SCOPED_TRACE(how);
    auto printer = MakePrinter();
    TReportLog report;
    printer->SetOwnerReport(&report);
    QPointer<TQRStandardPreview> window = OpenOnPages(*printer, 1);
    if (QString(how) == "escape") {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
      QCoreApplication::sendEvent(window, &press);
    } else {
      window->ExitButton->click();
    }
    EXPECT_EQ(report.lines, QStringList{"closed"}) << "sent before closing ends";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull()) << "freed after closing";
    EXPECT_FALSE(printer->PreviewShowing()) << "the freed control detached itself";
    EXPECT_EQ(printer->Listener(), nullptr);
  }
}

TEST_F(TWindowTest, FreedPrinterLeavesTheWindowWithoutPages) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenOnPages(*printer, 3);
  ASSERT_TRUE(window->QRPreview->PreviewImage()->HoldsPage());
  window->FindClick();
  window->FindBar->FindText->setText(QStringLiteral("page"));
  printer.reset();
  EXPECT_EQ(window->QRPrinter(), nullptr);
  EXPECT_FALSE(window->QRPreview->PreviewImage()->HoldsPage());
  EXPECT_EQ(window->ThumbnailPanel->model()->rowCount(), 0) << "no pictures of pages gone";
  EXPECT_TRUE(window->Search().Matches().empty());
  window->LastPageClick();  // nothing to navigate, nothing to crash on
  window->PrintClick();
  window->SaveClick();
  window->FindNextClick();
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(window->PanelText(1), "Page 1 of 0");
}

TEST_F(TWindowTest, PrintAsksTheReportOrPrintsLoadedPages) {
  auto printer = MakePrinter();
  TReportLog report;
  printer->SetOwnerReport(&report);
  TQRStandardPreview* window = OpenOnPages(*printer, 1);
  window->Print->click();
  DeliverNotices();
  EXPECT_EQ(report.lines, QStringList{"print"});
  EXPECT_TRUE(script->journal.isEmpty()) << "the report prints, not the preview";

  QObject* setupSender = nullptr;
  printer->OnPrintSetup = [&](QObject* sender) { setupSender = sender; };
  window->PrintSetup->click();
  EXPECT_EQ(setupSender, window->PrintSetup);

  const QString file = TempPath(QStringLiteral("permit.QRP"));
  files.Answer(file);
  window->SaveClick();
  files.Answer(file);
  window->LoadClick();
  window->Print->click();
  EXPECT_EQ(script->journal, QStringList({"SetTitle \"\"", "BeginDoc", "EndDoc"}));
  EXPECT_EQ(script->pages.size(), 1u);
}

TEST_F(TWindowTest, SavesWithTheDefaultExtensionAndLoadsBack) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenOnPages(*printer, 1);

  files.Answer(TempPath(QStringLiteral("permit")));
  window->SaveReport->click();
  ASSERT_EQ(files.saveRequests.size(), 1);
  EXPECT_EQ(files.saveRequests[0].title, "Save report");
  EXPECT_EQ(files.saveRequests[0].filter, "Corvelle file(*.QRP)|*.QRP");
  EXPECT_EQ(files.saveRequests[0].defaultExtension, "QRP");
  const QString saved = TempPath(QStringLiteral("permit.QRP"));
  ASSERT_TRUE(QFile::exists(saved));
  EXPECT_FALSE(QFile::exists(TempPath(QStringLiteral("permit"))));

  // A fresh preview loads the file: page 1 of 1, print yes, printer setup no.
  auto other = MakePrinter();
  TQRStandardPreview* second = OpenOnPages(*other, 3);
  second->LastPageClick();
  ASSERT_TRUE(second->PrintSetup->isEnabled());
  files.Answer(saved);
  second->LoadReport->click();
  ASSERT_EQ(files.openRequests.size(), 1);
  EXPECT_EQ(files.openRequests[0].title, "Load report");
  EXPECT_EQ(files.openRequests[0].filter, "Corvelle file (*.QRP)|*.QRP");
  EXPECT_TRUE(files.openRequests[0].defaultExtension.isEmpty());
  EXPECT_TRUE(other->LoadedFromFile());
  EXPECT_EQ(second->QRPreview->PageNumber(), 1);
  EXPECT_TRUE(second->QRPreview->PreviewImage()->HoldsPage());
  EXPECT_EQ(second->PanelText(1), "Page 1 of 1");
  EXPECT_TRUE(second->Print->isEnabled());
  EXPECT_FALSE(second->PrintSetup->isEnabled());
  EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join('\n').toStdString();
}

// A file whose header claims other pages than it holds shows the pages it
// holds: its status counts them, End reaches the last of them, and nothing
// fails.
TEST_F(TWindowTest, LoadedFileShowsThePagesItHolds) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenOnPages(*printer, 5);
  const QString saved = TempPath(QStringLiteral("five.QRP"));
  files.Answer(saved);
  window->SaveClick();
  QFile savedFile(saved);
  ASSERT_TRUE(savedFile.open(QIODevice::ReadOnly));
  const QByteArray five = savedFile.readAll();
  savedFile.close();
  // Where page 4 starts: the forward link of page 3, found along the links.
  qint64 page4 = 128;
  for (int n = 1; n <= 3; ++n)
    page4 = qFromLittleEndian<qint32>(reinterpret_cast<const uchar*>(five.constData()) + page4 + 4);

  struct Case {
    const char* name;
    QByteArray bytes;
    int pages;
  };
  QByteArray claimsAMillion = five;
  qToLittleEndian<qint32>(1000000, reinterpret_cast<uchar*>(claimsAMillion.data()) + 8);
  const Case cases[] = {
      {"claims a million", claimsAMillion, 5},
      {"cut inside page 4", five.left(page4 + 100), 3},
  };
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString name = TempPath(QStringLiteral("%1.QRP").arg(c.pages));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(c.bytes);
    file.close();
    files.Answer(name);
    window->LoadReport->click();
    EXPECT_TRUE(printer->LoadedFromFile());
    EXPECT_EQ(window->PanelText(1), QStringLiteral("Page 1 of %1").arg(c.pages));
    // Where the keyboard sends a key: the focus widget, else the active window.
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) focus = QApplication::activeWindow();
    ASSERT_EQ(focus != nullptr ? focus->window() : nullptr, window);
    QTest::keyClick(focus, Qt::Key_End);
    DeliverNotices();
    EXPECT_EQ(window->PanelText(1), QStringLiteral("Page %1 of %1").arg(c.pages));
    EXPECT_TRUE(window->QRPreview->PreviewImage()->HoldsPage());
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join('\n').toStdString();
    QFile after(name);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), c.bytes) << "the file was changed";
  }
}

TEST_F(TWindowTest, LoadingAMissingFileSaysSoAndKeepsThePages) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenOnPages(*printer, 2);
  window->LastPageClick();
  files.Answer(TempPath(QStringLiteral("missing.QRP")));
  window->LoadClick();
  ASSERT_EQ(dialogs.shown.size(), 1);
  EXPECT_TRUE(dialogs.shown[0].endsWith(": File does not exist")) << dialogs.shown[0].toStdString();
  EXPECT_EQ(printer->RunState(), TQRPrinterRunState::Complete);
  EXPECT_FALSE(printer->LoadedFromFile());
  EXPECT_EQ(window->PanelText(1), "Page 2 of 2");
  EXPECT_TRUE(window->QRPreview->PreviewImage()->HoldsPage());
  EXPECT_TRUE(window->PrintSetup->isEnabled());
}

TEST_F(TWindowTest, CancelledDialogsChangeNothing) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenOnPages(*printer, 1);
  window->SaveClick();
  window->LoadClick();
  EXPECT_EQ(files.saveRequests.size(), 1);
  EXPECT_EQ(files.openRequests.size(), 1);
  EXPECT_FALSE(printer->LoadedFromFile());
  EXPECT_TRUE(window->PrintSetup->isEnabled());
  EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(TWindowTest, DamagedFileShowsTheErrorAndNoStalePage) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenOnPages(*printer, 1);
  const QString damaged = TempPath(QStringLiteral("damaged.QRP"));
  {
    QFile f(damaged);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(40, 'x'));
  }
  files.Answer(damaged);
  window->LoadReport->click();  // through the handler guard, as a click runs it
  ASSERT_EQ(dialogs.shown.size(), 1) << "the load error reaches the error box";
  EXPECT_EQ(printer->RunState(), TQRPrinterRunState::Idle);
  EXPECT_FALSE(window->QRPreview->PreviewImage()->HoldsPage())
      << "no page the printer no longer holds";
  EXPECT_EQ(window->PanelText(1), "Page 1 of 0");
}

// Loading would discard the store the run is writing, and saving would write
// nothing: both are refused with a message while pages are still coming.
TEST_F(TWindowTest, SaveAndLoadAreRefusedWhileGenerating) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenWindow(*printer);
  RunPages(*printer, 1, /*finish=*/false);
  files.Answer(TempPath(QStringLiteral("a.QRP")));
  window->LoadClick();
  window->SaveClick();
  EXPECT_TRUE(files.saveRequests.isEmpty());
  EXPECT_TRUE(files.openRequests.isEmpty());
  ASSERT_EQ(dialogs.shown.size(), 2);
  EXPECT_TRUE(dialogs.shown[0].endsWith(TQRStandardPreview::kStillGenerating));
  EXPECT_EQ(printer->RunState(), TQRPrinterRunState::Generating);
  EXPECT_FALSE(printer->CancelRequested());
  printer->EndRun();
}

TEST_F(TWindowTest, FactoryOpensTheWindowForThePrinter) {
  InstallStandardPreview();
  auto printer = MakePrinter();
  RunPages(*printer, 1);
  printer->OpenPreview();
  QPointer<QWidget> opened = printer->PreviewWindow();
  auto* window = qobject_cast<TQRStandardPreview*>(opened.data());
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->PanelText(1), "Page 1 of 1");
  EXPECT_EQ(window->QRPrinter(), printer.get());
  SetStandardPreviewConstructor(nullptr);
  window->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(opened.isNull());
}

TEST_F(TWindowTest, RegistersWithTheActivationRecord) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenWindow(*printer);
  platform::ActivationRecord::Instance().FocusEntered(window->QRPreview);
  EXPECT_EQ(platform::ActivationRecord::Instance().Current(), window);
}

}  // namespace
