// Preview and print runs of a report: the order of the report and band
// events, when AfterPrint and AfterPreview are raised, runs that print
// nothing, errors that leave a run, the preview's requests and the print
// setup.

#include <QCoreApplication>
#include <stdexcept>

#include "EQRError.h"
#include "GenerationFixture.h"
#include "QRCustomBand.h"
#include "QRPrinter.h"
#include "SystemPrintDialog.h"

namespace {

// The events of one run of the one-band summary report below.
QStringList SummaryRun() {
  return {"BeforePrint(report)", "BeforePrint(SummaryBand1)",  "OnStartPage 1",
          "OnPrint(QRTitle)",    "AfterPrint(SummaryBand1,1)", "OnEndPage 1"};
}

class SummaryReportTest : public GenerationTest {
 protected:
  SummaryReportTest() : report(NewReport()) {
    TQRCustomBand& band = AddBand(report, rbSummary, 1000);
    title = &AddLabel(band, QStringLiteral("PERMISO"), 0, 0, 800, 60);
    title->SetName(QStringLiteral("QRTitle"));
    title->OnPrint = [this](TQRComponent* sender, QString&) {
      log.append(QStringLiteral("OnPrint(%1)").arg(sender->Name()));
      if (failDeviceRuns && report.QRPrinter->Target() == TQRPrinterTarget::Device)
        throw std::runtime_error("the record cannot be written");
      if (failEveryRun) throw std::runtime_error("element failed");
    };
    LogEvents(report);
  }

  TQRReport& report;
  TQRLabel* title = nullptr;
  bool failDeviceRuns = false;
  bool failEveryRun = false;
};

TEST_F(SummaryReportTest, PreviewThenPrintThenCloseRaisesTheEventsInOrder) {
  ScriptPreview(report, {"print", "close"});
  report.ShowPreview();

  QStringList expected = SummaryRun();
  expected << "preview shows 1 pages"
           << "progress shown";
  expected << SummaryRun();
  // AfterPrint comes from the end of the device document, while the
  // progress window is still open; the preview's close raises AfterPreview.
  expected << "AfterPrint(report)"
           << "progress gone"
           << "AfterPreview";
  EXPECT_EQ(log, expected);
  EXPECT_EQ(script->journal, QStringList({"SetTitle \"\"", "BeginDoc", "EndDoc"}));
  ASSERT_EQ(DevicePages(), 1);
  EXPECT_EQ(TextsOnPage(1), QStringList{"PERMISO"});
  // The summary band's top-left corner is at the margins.
  EXPECT_EQ(
      TextOutsOnPage(1),
      QStringList{QStringLiteral("TextOut %1,%2 Left \"PERMISO\"").arg(DevX(100)).arg(DevY(100))});
  EXPECT_EQ(report.QRPrinter, nullptr);
  EXPECT_TRUE(report.Available);
}

struct PrintCountCase {
  const char* name;
  QStringList steps;
  int afterPrints;
};

class AfterPrintCount : public SummaryReportTest,
                        public testing::WithParamInterface<PrintCountCase> {};

TEST_P(AfterPrintCount, OncePerDeviceRunNeverForThePreview) {
  ScriptPreview(report, GetParam().steps);
  report.ShowPreview();
  EXPECT_EQ(log.count("AfterPrint(report)"), GetParam().afterPrints);
  EXPECT_EQ(log.count("AfterPreview"), 1);
  EXPECT_EQ(script->journal.count("EndDoc"), GetParam().afterPrints);
}

const PrintCountCase kPrintCounts[] = {
    {"PreviewOnly", {"close"}, 0},
    {"PrintOnce", {"print", "close"}, 1},
    // Each print regenerates the page on a new printer; the preview's
    // printer is the report's current printer again in between.
    {"PrintTwice", {"print", "print", "close"}, 2},
};

INSTANTIATE_TEST_SUITE_P(Preview, AfterPrintCount, testing::ValuesIn(kPrintCounts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SummaryReportTest, BeforePrintFalseGivesNoPagesAndNoAfterPrint) {
  report.BeforePrint = [this](TQRCustomReport*, bool& printReport) {
    log.append("BeforePrint(report)");
    printReport = false;
  };
  ScriptPreview(report, {"print", "close"});
  report.ShowPreview();
  // The preview still opens, with no page to show; the print prints nothing.
  EXPECT_EQ(log, QStringList({"BeforePrint(report)", "preview shows 0 pages", "progress shown",
                              "BeforePrint(report)", "progress gone", "AfterPreview"}));
  EXPECT_TRUE(script->journal.isEmpty());
}

TEST_F(SummaryReportTest, NothingToPrintStillEndsTheDeviceRun) {
  report.SetPrintIfEmpty(false);
  report.PrintToPrinter();
  // No page and no job, but the run ends with EndRun, which raises AfterPrint.
  EXPECT_EQ(log, QStringList({"progress shown", "BeforePrint(report)", "AfterPrint(report)",
                              "progress gone"}));
  EXPECT_TRUE(script->journal.isEmpty());
}

TEST_F(SummaryReportTest, ElementErrorEndsTheDeviceRunAndLeavesTheReportAvailable) {
  failEveryRun = true;
  report.SetUnits(TQRUnit::MM);  // the run reads in Native meanwhile
  EXPECT_THROW(report.PrintToPrinter(), std::runtime_error);
  // The document is closed by EndRun, so the pages made so far go to the
  // printer and AfterPrint is raised; the printer and window are gone.
  EXPECT_EQ(script->journal, QStringList({"SetTitle \"\"", "BeginDoc", "EndDoc"}));
  EXPECT_EQ(log.count("AfterPrint(report)"), 1);
  EXPECT_EQ(log.last(), "progress gone");
  EXPECT_TRUE(report.Available);
  EXPECT_EQ(report.QRPrinter, nullptr);
  // Units and elements are as they were before the run.
  EXPECT_EQ(report.Units(), TQRUnit::MM);
  EXPECT_EQ(title->Size().Units(), TQRUnit::MM);
  EXPECT_FALSE(title->InOutput());

  // The report runs again.
  failEveryRun = false;
  log.clear();
  report.PrintToPrinter();
  EXPECT_EQ(log.count("AfterPrint(report)"), 1);
}

TEST_F(SummaryReportTest, ErrorOfThePrintRequestIsShownAndThePreviewStaysOpen) {
  failDeviceRuns = true;
  ScriptPreview(report, {"print", "close"});
  report.ShowPreview();
  EXPECT_EQ(dialogs.Texts(), QStringList{"the record cannot be written."});
  // The preview went on to its close after the failed print.
  EXPECT_EQ(log.count("AfterPreview"), 1);
  EXPECT_EQ(report.QRPrinter, nullptr);
  EXPECT_TRUE(report.Available);
}

TEST_F(SummaryReportTest, ErrorOfThePreviewRunReachesTheCaller) {
  failEveryRun = true;
  ScriptPreview(report, {"close"});
  EXPECT_THROW(report.ShowPreview(), std::runtime_error);
  EXPECT_TRUE(report.Available);
  // The preview shows what was made; closing it later releases its printer.
  ASSERT_NE(report.QRPrinter, nullptr);
  EXPECT_TRUE(report.QRPrinter->PreviewShowing());
  report.QRPrinter->PreviewClosed(nullptr);
  EXPECT_EQ(report.QRPrinter, nullptr);
  EXPECT_EQ(log.count("AfterPreview"), 1);
}

TEST_F(SummaryReportTest, RunWithoutAPrinterIsRefused) {
  EXPECT_THROW(report.GenerateReport(), EQRError);
  EXPECT_TRUE(report.Available);
  EXPECT_TRUE(log.isEmpty());  // not even BeforePrint
}

TEST_F(SummaryReportTest, OnPreviewHandlerReplacesTheStandardPreview) {
  TQRPrinter* handed = nullptr;
  TQRPrinterRunState stateWhenHanded = TQRPrinterRunState::Complete;
  report.OnPreview = [&](TQRPrinter* printer) {
    handed = printer;
    stateWhenHanded = printer->RunState();
  };
  report.ShowPreview();
  // The handler gets the printer before the run fills it; it shows nothing
  // itself here, so ShowPreview does not wait and the printer stays current.
  EXPECT_EQ(TFakePreview::opened, 0);
  ASSERT_NE(handed, nullptr);
  EXPECT_EQ(stateWhenHanded, TQRPrinterRunState::Idle);
  EXPECT_EQ(report.QRPrinter, handed);
  EXPECT_EQ(handed->Target(), TQRPrinterTarget::PageStore);
  EXPECT_EQ(handed->RunState(), TQRPrinterRunState::Complete);
  EXPECT_EQ(handed->PageCount(), 1);
  EXPECT_EQ(log.count("AfterPrint(report)"), 0);
}

TEST_F(SummaryReportTest, SecondPreviewIsRefusedWhileBusyOrShowing) {
  // Pressing the preview command again while the run goes on, and again
  // once the preview shows, opens nothing.
  report.BeforePrint = [this](TQRCustomReport*, bool&) { report.ShowPreview(); };
  ScriptPreview(report, {"again", "close"});
  report.ShowPreview();
  EXPECT_EQ(TFakePreview::opened, 1);
  EXPECT_EQ(log.count("AfterPreview"), 1);
  EXPECT_EQ(report.QRPrinter, nullptr);
}

TEST_F(SummaryReportTest, PrintIsIgnoredWhileBusyAndWithoutPrinters) {
  report.BeforePrint = [this](TQRCustomReport*, bool&) { report.PrintToPrinter(); };
  report.PrintToPrinter();
  EXPECT_EQ(script->journal.count("BeginDoc"), 1);  // the nested request did nothing

  script->printers.clear();
  script->journal.clear();
  log.clear();
  report.PrintToPrinter();
  EXPECT_TRUE(log.isEmpty());  // no run, no progress window
  EXPECT_TRUE(script->journal.isEmpty());
  EXPECT_EQ(report.QRPrinter, nullptr);
}

TEST_F(GenerationTest, ClosingThePreviewDuringItsRunAbandonsIt) {
  TQRReport& report = NewReport();
  TQRCustomBand& detail = AddBand(report, rbDetail, 2000);  // one record per page
  AddLabel(detail, QStringLiteral("D"), 0, 0, 100, 60);
  int needData = 0;
  report.OnNeedData = [&needData](TQRCustomReport*, bool& more) { more = ++needData <= 5; };
  report.AfterPreview = [this](TQRCustomReport*) { log.append("AfterPreview"); };
  TFakePreview::next.closeWhileGenerating = true;
  TFakePreview::next.report = &report;
  report.ShowPreview();
  // The page-ready notice of page 1 arrives with the third record: the run
  // stops there, is abandoned and the report lets its printer go.
  EXPECT_EQ(needData, 3);
  EXPECT_EQ(report.QRPrinter, nullptr);
  EXPECT_TRUE(report.Available);
  EXPECT_EQ(log, QStringList{"AfterPreview"});
}

TEST_F(SummaryReportTest, ClosingThePreviewDuringAPrintCancelsItAndEndsThePreview) {
  TQRPrinter* previewPrinter = nullptr;
  report.OnStartPage = [&previewPrinter, this](TQRCustomReport* r) {
    if (r->QRPrinter->Target() == TQRPrinterTarget::PageStore) {
      previewPrinter = r->QRPrinter;
    } else {
      previewPrinter->PreviewClosed(nullptr);  // the user closes the preview meanwhile
      log.append("preview closed");
    }
  };
  ScriptPreview(report, {"print"});  // the preview never closes by itself
  report.ShowPreview();
  // The print is abandoned (no AfterPrint); once it is over the preview's
  // printer stops showing and goes, which ends ShowPreview.
  EXPECT_EQ(script->journal.last(), "Abort");
  EXPECT_EQ(log.count("AfterPrint(report)"), 0);
  EXPECT_EQ(log.mid(log.indexOf("preview closed")),
            QStringList({"preview closed", "OnPrint(QRTitle)", "AfterPrint(SummaryBand1,1)",
                         "progress gone", "AfterPreview"}));
  EXPECT_EQ(report.QRPrinter, nullptr);
}

TEST_F(SummaryReportTest, AfterPreviewStillSeesThePrinterOfThePreview) {
  // The printer stops showing, AfterPreview runs, and only then is it let go.
  int pagesSeen = -1;
  report.AfterPreview = [&pagesSeen](TQRCustomReport* r) {
    pagesSeen = r->QRPrinter != nullptr ? r->QRPrinter->PageCount() : -1;
  };
  ScriptPreview(report, {"close"});
  report.ShowPreview();
  EXPECT_EQ(pagesSeen, 1);
  EXPECT_EQ(report.QRPrinter, nullptr);
}

TEST_F(SummaryReportTest, PreviewClosedNoticeOfAnotherPrinterChangesNothing) {
  // A printer the report does not show (an earlier preview's, say) reports
  // its preview closed, once during the preview's run and once while the
  // preview shows: neither cancels the run nor ends the preview.
  TQRPrinter stale;
  stale.SetOwnerReport(report.NoticeReceiver());
  report.OnEndPage = [&stale](TQRCustomReport*) { stale.PreviewClosed(nullptr); };
  ScriptPreview(report, {"hook", "close"});
  TFakePreview::next.hook = [&stale, this] {
    stale.PreviewClosed(nullptr);
    if (report.QRPrinter != nullptr && report.QRPrinter->PreviewShowing()) log.append("showing");
  };
  report.ShowPreview();
  EXPECT_TRUE(log.contains("preview shows 1 pages"));
  EXPECT_TRUE(log.contains("showing"));
  EXPECT_EQ(log.count("AfterPreview"), 1);
  EXPECT_EQ(report.QRPrinter, nullptr);
}

TEST_F(SummaryReportTest, PreviewClosedDuringAPrintThatFailsStillLetsItsPrinterGo) {
  TQRPrinter* previewPrinter = nullptr;
  report.OnStartPage = [&previewPrinter, this](TQRCustomReport* r) {
    if (r->QRPrinter->Target() == TQRPrinterTarget::PageStore) {
      previewPrinter = r->QRPrinter;
      return;
    }
    // The user closes the preview (its window goes), then the print fails.
    previewPrinter->PreviewClosed(nullptr);
    for (TFakePreview* preview : previewOwner.findChildren<TFakePreview*>()) preview->deleteLater();
    throw std::runtime_error("the record cannot be written");
  };
  ScriptPreview(report, {"print"});
  report.ShowPreview();
  EXPECT_EQ(dialogs.Texts(), QStringList{"the record cannot be written."});
  EXPECT_EQ(report.QRPrinter, nullptr);
  EXPECT_EQ(log.count("AfterPreview"), 1);
  EXPECT_TRUE(report.Available);
}

TEST_F(GenerationTest, PreviewClosedDuringItsRunThatThenFailsLeavesNoPrinter) {
  TQRReport& report = NewReport();
  AddLabel(AddBand(report, rbDetail, 2000), QStringLiteral("D"), 0, 0, 100, 60);
  int needData = 0;
  report.OnNeedData = [&needData, &report](TQRCustomReport*, bool& more) {
    more = ++needData <= 5;
    if (needData == 3) {
      report.QRPrinter->PreviewClosed(nullptr);  // the user closes the preview
      throw std::runtime_error("no more data");
    }
  };
  report.AfterPreview = [this](TQRCustomReport*) { log.append("AfterPreview"); };
  TFakePreview::next.report = &report;
  EXPECT_THROW(report.ShowPreview(), std::runtime_error);
  // The run was cancelled: the printer goes as it would after a quiet cancel.
  EXPECT_EQ(report.QRPrinter, nullptr);
  EXPECT_TRUE(report.Available);
  EXPECT_EQ(log, QStringList{"AfterPreview"});
}

TEST_F(GenerationTest, ExportRunDrawsNoFillsAsksForOnePageAndIsAbandoned) {
  TQRReport& report = NewReport();
  TQRCustomBand& detail = AddBand(report, rbDetail, 2000);  // one record per page
  AddLabel(detail, QStringLiteral("D"), 0, 0, 100, 60);
  int records = 0;
  report.OnNeedData = [&records](TQRCustomReport*, bool& more) { more = ++records % 4 != 0; };
  report.OnEndPage = [this](TQRCustomReport* r) {
    log.append(QStringLiteral("page %1 of %2, final %3")
                   .arg(r->PageCount)
                   .arg(r->QRPrinter->PageCount())
                   .arg(r->FinalPass ? 1 : 0));
  };
  report.AfterPrint = [this](TQRCustomReport*) { log.append("AfterPrint(report)"); };
  ScriptPreview(report, {"export", "close"});
  report.ShowPreview();
  // The export run goes through the same pages; its printer is asked for
  // the first one only, it raises no AfterPrint, and the preview's printer
  // is the current one again afterwards.
  EXPECT_EQ(log,
            QStringList({"page 1 of 1, final 1", "page 2 of 2, final 1", "page 3 of 3, final 1",
                         "preview shows 3 pages", "progress shown", "page 1 of 1, final 0",
                         "page 2 of 1, final 0", "page 3 of 1, final 0", "progress gone"}));
  EXPECT_TRUE(report.FinalPass);
  EXPECT_EQ(report.QRPrinter, nullptr);
}

// The system print dialog, answering as a user would.
class TAnsweringPrintDialog : public TSystemPrintDialog {
 public:
  bool Run(TPrintDialogRecord& record, TQRCommonDialog&) override {
    asked = record;
    if (!confirm) return false;
    record = answer(record);
    return true;
  }
  bool confirm = true;
  std::function<TPrintDialogRecord(TPrintDialogRecord)> answer = [](TPrintDialogRecord r) {
    return r;
  };
  TPrintDialogRecord asked;
};

TEST_F(SummaryReportTest, PrintSetupStoresTheChoicesForTheNextPrint) {
  TAnsweringPrintDialog system;
  ScopedSystemPrintDialog scope(&system);
  system.answer = [](TPrintDialogRecord r) {
    r.flags = PD_PAGENUMS;
    r.fromPage = 1;
    r.toPage = 1;
    r.deviceMode->orientation = DMORIENT_LANDSCAPE;
    r.deviceMode->copies = 3;
    return r;
  };
  report.Page().SetOrientation(TPrinterOrientation::poPortrait);
  report.PrinterSettings().Copies = 2;
  ScriptPreview(report, {"close"});
  TFakePreview::next.steps.prepend("setup");
  report.ShowPreview();

  // A complete one-page preview offers pages 1 to 1, page numbers on,
  // selection off, print to file hidden; copies and orientation come from
  // the report.
  EXPECT_EQ(system.asked.minPage, 1);
  EXPECT_EQ(system.asked.maxPage, 1);
  EXPECT_EQ(system.asked.fromPage, 1);
  EXPECT_EQ(system.asked.toPage, 1);
  EXPECT_EQ(
      system.asked.flags & (PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_NOWARNING),
      PD_NOSELECTION | PD_HIDEPRINTTOFILE);
  ASSERT_TRUE(system.asked.deviceMode.has_value());
  EXPECT_EQ(system.asked.deviceMode->copies, 2);
  EXPECT_EQ(system.asked.deviceMode->orientation, DMORIENT_PORTRAIT);

  EXPECT_EQ(report.PrinterSettings().Copies, 3);
  EXPECT_EQ(report.PrinterSettings().FirstPage, 1);
  EXPECT_EQ(report.PrinterSettings().LastPage, 1);
  EXPECT_EQ(report.Page().Orientation(), TPrinterOrientation::poLandscape);
  EXPECT_EQ(report.Tag(), 0);

  system.confirm = false;
  report.PrintSetup(nullptr);
  EXPECT_EQ(report.Tag(), 1);
  EXPECT_EQ(report.PrinterSettings().Copies, 3);
}

}  // namespace
