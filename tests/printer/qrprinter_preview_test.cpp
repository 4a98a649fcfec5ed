// What ties a printer to its preview and its report: the preview flag and
// its handler, the preview factory, the preview-closed notice, and a
// printer that goes away while a preview control listens to it.

#include <gtest/gtest.h>

#include <QWidget>

#include "Errors.h"
#include "QRPreviewInterface.h"
#include "QRPreviewLink.h"
#include "QRPrinter.h"
#include "qrprinter_fixture.h"
#include "qrprinter_notice_log.h"

namespace {

TEST_F(QRPrinterFixture, ClosingThePreviewCancelsAGeneratingRunAndRunsPreviewDone) {
  TQRPrinter printer;
  QList<TQRPrinter*> done;
  printer.OnPreviewDone = [&](TQRPrinter* sender) { done << sender; };
  printer.SetPreviewShowing(false);  // not showing yet: no change, no handler
  printer.SetPreviewShowing(true);
  EXPECT_TRUE(done.isEmpty());
  printer.BeginRun();
  printer.SetPreviewShowing(false);
  EXPECT_TRUE(printer.CancelRequested());
  EXPECT_EQ(done, QList<TQRPrinter*>{&printer});
}

TEST_F(QRPrinterFixture, PreviewFlagTakesItsValueEvenWhenTheHandlerFails) {
  TQRPrinter printer;
  printer.SetPreviewShowing(true);
  printer.OnPreviewDone = [](TQRPrinter*) { throw EError(QStringLiteral("handler failed")); };
  EXPECT_THROW(printer.SetPreviewShowing(false), EError);
  EXPECT_FALSE(printer.PreviewShowing());
  EXPECT_FALSE(printer.CancelRequested()) << "an idle printer has no run to cancel";
}

TEST_F(QRPrinterFixture, PreviewClosedIsSentToTheReportBeforeItReturns) {
  TQRPrinter printer;
  printer.PreviewClosed(nullptr);  // no report: nothing to tell
  TNoticeLog report;
  printer.SetOwnerReport(&report);
  printer.PreviewClosed(nullptr);
  EXPECT_EQ(report.lines, QStringList{"closed"}) << "sent, not posted";
  EXPECT_EQ(report.closedPrinter, &printer);
}

// A preview control stand-in: detaching clears the flag as the real one does.
class TLinkedPreview : public QObject, public TQRPreviewLink {
 public:
  QList<TQRPrinter*> forgotten;
  void ForgetPrinter(TQRPrinter* printer) override {
    forgotten << printer;
    printer->SetPreviewShowing(false);
    printer->SetListener(nullptr);
  }
};

TEST_F(QRPrinterFixture, FreedPrinterDetachesItsPreviewAfterDiscardingItsPages) {
  TLinkedPreview preview;
  int previewDone = 0;
  auto* printer = new TQRPrinter;
  const void* const freed = printer;  // compared only, never used
  printer->SetListener(&preview);
  printer->SetPreviewShowing(true);
  printer->OnPreviewDone = [&](TQRPrinter* sender) {
    EXPECT_EQ(sender->RunState(), TQRPrinterRunState::Idle);
    ++previewDone;
  };
  printer->BeginRun();
  printer->NewPage();
  delete printer;
  ASSERT_EQ(preview.forgotten.size(), 1);
  EXPECT_EQ(static_cast<const void*>(preview.forgotten.front()), freed);
  EXPECT_EQ(previewDone, 1);
}

TEST_F(QRPrinterFixture, FreedPrinterSwallowsAFailingPreviewHandler) {
  TLinkedPreview preview;
  auto printer = std::make_unique<TQRPrinter>();
  printer->SetListener(&preview);
  printer->SetPreviewShowing(true);
  printer->OnPreviewDone = [](TQRPrinter*) { throw EError(QStringLiteral("handler failed")); };
  EXPECT_NO_THROW(printer.reset());
  EXPECT_EQ(preview.forgotten.size(), 1);
}

TEST_F(QRPrinterFixture, PlainListenerIsNotToldAnything) {
  TNoticeLog listener;
  {
    TQRPrinter printer;
    printer.SetListener(&listener);
  }
  EXPECT_TRUE(listener.Flush().isEmpty());
}

// ---- the preview factory ---------------------------------------------------

QList<TQRPrinter*> g_opened;
QWidget* g_window = nullptr;

class TRecordingPreviewInterface : public TQRPreviewInterface {
 public:
  QWidget* OpenWindow(TQRPrinter* printer) override {
    g_opened << printer;
    return g_window;
  }
};

class PreviewFactoryTest : public QRPrinterFixture {
 protected:
  void SetUp() override {
    QRPrinterFixture::SetUp();
    g_opened.clear();
    SetPreviewInterfaceClass(&MakePreviewInterface<TRecordingPreviewInterface>);
  }
  void TearDown() override {
    SetPreviewInterfaceClass(nullptr);
    QRPrinterFixture::TearDown();
  }
};

TEST_F(PreviewFactoryTest, OpenPreviewRemembersTheWindowTheFactoryOpened) {
  auto window = std::make_unique<QWidget>();
  g_window = window.get();
  TQRPrinter printer;
  printer.OpenPreview();
  EXPECT_EQ(g_opened, QList<TQRPrinter*>{&printer});
  EXPECT_EQ(printer.PreviewWindow(), window.get());
  window.reset();  // the window frees itself when closed
  EXPECT_EQ(printer.PreviewWindow(), nullptr);
}

TEST_F(PreviewFactoryTest, PreviewHandlerReplacesTheFactory) {
  TQRPrinter printer;
  QList<TQRPrinter*> handled;
  printer.PreviewHandler = [&](TQRPrinter* sender) { handled << sender; };
  printer.OpenPreview();
  EXPECT_EQ(handled, QList<TQRPrinter*>{&printer});
  EXPECT_TRUE(g_opened.isEmpty());
}

TEST_F(QRPrinterFixture, BaseFactoryOpensNothing) {
  SetPreviewInterfaceClass(nullptr);
  TQRPrinter printer;
  printer.OpenPreview();
  EXPECT_EQ(printer.PreviewWindow(), nullptr);
  TQRPreviewInterface base;
  EXPECT_EQ(base.OpenWindowModal(&printer), nullptr);
}

TEST_F(QRPrinterFixture, PrintSetupAndExportReachTheirHandlersOnly) {
  TQRPrinter printer;
  printer.RunPrintSetup(nullptr);  // unassigned: nothing happens
  printer.ExportThroughFilter(nullptr);
  QObject button;
  QObject* setupSender = nullptr;
  int exports = 0;
  printer.OnPrintSetup = [&](QObject* sender) { setupSender = sender; };
  printer.OnExport = [&](TQRExportFilter*) { ++exports; };
  printer.RunPrintSetup(&button);
  printer.ExportThroughFilter(nullptr);
  EXPECT_EQ(setupSender, &button);
  EXPECT_EQ(exports, 1);
}

}  // namespace
