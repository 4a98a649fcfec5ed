// The run protocol of the report printer: its states and their two errors,
// the notices it posts, page-store pages, device pages with a page range,
// and the coordinate mapping, on the scripted printer and the real page store.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <optional>
#include <stdexcept>

#include "EQRError.h"
#include "Metafile.h"
#include "QRPrinter.h"
#include "qrprinter_fixture.h"
#include "qrprinter_notice_log.h"

namespace {

// ---- the state table ------------------------------------------------------

// Steps: B BeginRun, N NewPage, E EndRun, A AbandonRun.
struct StateCase {
  const char* name;
  const char* steps;
  TQRPrinterRunState expected;
  const char* error;  // message of the EQRError raised by the last step
};

const StateCase kStateCases[] = {
    {"BeginFromIdle", "B", TQRPrinterRunState::Generating, nullptr},
    {"EndCompletes", "BNE", TQRPrinterRunState::Complete, nullptr},
    {"EndWithoutPages", "BE", TQRPrinterRunState::Complete, nullptr},
    {"AbandonCompletes", "BNA", TQRPrinterRunState::Complete, nullptr},
    {"BeginWhileGenerating", "BNB", TQRPrinterRunState::Generating, "QRPrinter not ready"},
    {"BeginWhenComplete", "BNEB", TQRPrinterRunState::Complete, "QRPrinter not ready"},
    {"NewPageWhenIdle", "N", TQRPrinterRunState::Idle, "Illegal call to NewPage"},
    {"NewPageWhenComplete", "BNEN", TQRPrinterRunState::Complete, "Illegal call to NewPage"},
    // Outside a run these do nothing; abandoning must not fake a complete store.
    {"EndWhenIdle", "E", TQRPrinterRunState::Idle, nullptr},
    {"AbandonWhenIdle", "A", TQRPrinterRunState::Idle, nullptr},
    {"EndTwice", "BNEE", TQRPrinterRunState::Complete, nullptr},
};

class QRPrinterStateTest : public QRPrinterFixture,
                           public ::testing::WithParamInterface<StateCase> {};

TEST_P(QRPrinterStateTest, FollowsTheTable) {
  for (auto target : {TQRPrinterTarget::PageStore, TQRPrinterTarget::Device}) {
    SCOPED_TRACE(target == TQRPrinterTarget::Device ? "device" : "page store");
    TQRPrinter printer;
    printer.SetTarget(target);
    const std::string steps = GetParam().steps;
    QString raised;
    for (std::size_t i = 0; i < steps.size(); ++i) {
      try {
        switch (steps[i]) {
          case 'B':
            printer.BeginRun();
            break;
          case 'N':
            printer.NewPage();
            break;
          case 'E':
            printer.EndRun();
            break;
          case 'A':
            printer.AbandonRun();
            break;
        }
      } catch (const EQRError& e) {
        ASSERT_EQ(i, steps.size() - 1) << "only the last step may fail";
        raised = e.Message();
      }
    }
    EXPECT_EQ(printer.RunState(), GetParam().expected);
    EXPECT_EQ(raised, QString::fromUtf8(GetParam().error ? GetParam().error : ""));
  }
}

INSTANTIATE_TEST_SUITE_P(Runs, QRPrinterStateTest, ::testing::ValuesIn(kStateCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QRPrinterFixture, RefusedBeginRunKeepsPagesAndStillResetsCounters) {
  TQRPrinter printer;
  printer.BeginRun();
  printer.NewPage();
  printer.NewPage();
  printer.EndRun();
  printer.CancelRun();
  ASSERT_EQ(printer.ReadyPages(), 2);
  EXPECT_THROW(printer.BeginRun(), EQRError);
  // The first steps of BeginRun have already taken place; the pages stay.
  EXPECT_EQ(printer.ReadyPages(), 0);
  EXPECT_FALSE(printer.CancelRequested());
  EXPECT_EQ(printer.PageCount(), 2);
  EXPECT_NE(printer.FetchPage(2), nullptr);
}

// A driver that takes no new settings while its job prints, as a real one.
class TBusyDriver : public TScriptedPrinter {
 public:
  using TScriptedPrinter::TScriptedPrinter;
  void SetPrinter(const TPrinterNames& names, const std::optional<TDeviceMode>& mode) override {
    if (Printing()) throw std::runtime_error("Printing in progress");
    TScriptedPrinter::SetPrinter(names, mode);
  }
};

TEST_F(QRPrinterFixture, BeginRunDuringADeviceRunIsNotReadyAndKeepsTheDevicePage) {
  ScopedPrinterDeviceFactory busy([this]() -> std::unique_ptr<TPrinterDevice> {
    return std::make_unique<TBusyDriver>(script);
  });
  TQRPrinter printer;
  printer.SetTarget(TQRPrinterTarget::Device);
  printer.BeginRun();
  printer.NewPage();
  try {
    printer.BeginRun();
    ADD_FAILURE() << "a second BeginRun was accepted";
  } catch (const EQRError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("QRPrinter not ready"));
  }
  DrawPageMark(printer, 1);  // the device page is still the open page
  printer.EndRun();
  ExpectJob(QString(), {QStringLiteral("page 1")});
}

TEST_F(QRPrinterFixture, PageCanvasOutsideAPageIsAnError) {
  TQRPrinter printer;
  EXPECT_THROW(printer.PageCanvas(), EQRError);
  printer.BeginRun();
  EXPECT_THROW(printer.PageCanvas(), EQRError);
  printer.NewPage();
  EXPECT_NO_THROW(printer.PageCanvas());
  printer.EndRun();
  EXPECT_THROW(printer.PageCanvas(), EQRError);
}

// ---- page store -----------------------------------------------------------

TEST_F(QRPrinterFixture, PermitPreviewPageIsLandscapeLetterAtScreenResolution) {
  TQRPrinter printer;
  printer.SetPaperSize(TQRPaperSize::Letter);
  printer.SetOrientation(TPrinterOrientation::poLandscape);
  TNoticeLog log;
  printer.SetListener(&log);
  printer.BeginRun();
  EXPECT_EQ(printer.OffsetX(), 0);
  EXPECT_EQ(printer.DeviceX(0), 0);
  printer.NewPage();
  DrawPageMark(printer, 1);
  EXPECT_EQ(printer.ReadyPages(), 0) << "NewPage for page 1 announces nothing";
  EXPECT_TRUE(log.Flush().isEmpty());
  EXPECT_EQ(printer.FetchPage(1), nullptr) << "the open page is not stored yet";
  printer.EndRun();
  EXPECT_EQ(printer.ReadyPages(), 1);
  EXPECT_EQ(log.Flush(), QStringList{"ready 1"});

  EXPECT_EQ(printer.OrientedPaperWidth(), 2794);
  EXPECT_EQ(printer.OrientedPaperLength(), 2159);
  auto page = printer.FetchPage(1);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->Width(), 1056);
  EXPECT_EQ(page->Height(), 816);
  EXPECT_EQ(printer.FetchPage(0), nullptr);
  EXPECT_EQ(printer.FetchPage(2), nullptr);
}

TEST_F(QRPrinterFixture, ReadyNoticesFollowEachClosedPageAndArriveAfterTheirState) {
  TQRPrinter printer;
  TNoticeLog log;
  printer.SetListener(&log);
  printer.BeginRun();
  for (int page = 1; page <= 3; ++page) {
    printer.NewPage();
    EXPECT_EQ(printer.ReadyPages(), page - 1);
  }
  EXPECT_TRUE(log.lines.isEmpty()) << "notices are posted, not sent";
  printer.EndRun();
  // EndRun processes the queue once before it announces the last page.
  EXPECT_EQ(log.lines, (QStringList{"ready 1", "ready 2"}));
  EXPECT_EQ(log.Flush(), (QStringList{"ready 1", "ready 2", "ready 3"}));
}

TEST_F(QRPrinterFixture, EndRunWithoutPagesStillAnnouncesOnePage) {
  TQRPrinter printer;
  TNoticeLog log;
  printer.SetListener(&log);
  printer.BeginRun();
  printer.EndRun();
  EXPECT_EQ(log.Flush(), QStringList{"ready 1"});
  EXPECT_EQ(printer.PageCount(), 0);
  EXPECT_EQ(printer.FetchPage(1), nullptr);
}

TEST_F(QRPrinterFixture, ProgressNoticesCarryTheValueAndNeedAListener) {
  TQRPrinter printer;
  printer.SetProgressPercent(10);  // no listener: nothing to post to
  TNoticeLog log;
  printer.SetListener(&log);
  printer.SetProgressPercent(45);
  EXPECT_EQ(printer.ProgressPercent(), 45);
  EXPECT_EQ(log.Flush(), QStringList{"progress 45"});
}

TEST_F(QRPrinterFixture, AListenerThatWentAwayIsNotPostedTo) {
  TQRPrinter printer;
  {
    TNoticeLog log;
    printer.SetListener(&log);
  }
  EXPECT_EQ(printer.Listener(), nullptr);
  printer.SetReadyPages(1);  // must not post to a freed window
}

TEST_F(QRPrinterFixture, AbandonedRunKeepsPartialPageWithoutNoticeOrHeaderRewrite) {
  TQRPrinter printer;
  TNoticeLog log;
  printer.SetListener(&log);
  printer.BeginRun();
  printer.NewPage();
  printer.NewPage();
  DrawPageMark(printer, 2);
  printer.AbandonRun();
  EXPECT_EQ(log.Flush(), QStringList{"ready 1"});
  EXPECT_EQ(printer.RunState(), TQRPrinterRunState::Complete);
  EXPECT_NE(printer.FetchPage(2), nullptr);
  // The header still carries the count written with the first page.
  const QByteArray saved = SaveToBytes(printer);
  EXPECT_EQ(HeaderPageCount(saved), 1);
}

TEST_F(QRPrinterFixture, CompletedStoreHeaderCarriesTheFinalCount) {
  TQRPrinter printer;
  printer.BeginRun();
  for (int i = 0; i < 3; ++i) printer.NewPage();
  printer.EndRun();
  EXPECT_EQ(HeaderPageCount(SaveToBytes(printer)), 3);
}

// ---- device runs ----------------------------------------------------------

TEST_F(QRPrinterFixture, DeviceRunPrintsOnlyTheRangeWithThrowawayPagesAround) {
  TQRPrinter printer;
  printer.SetTarget(TQRPrinterTarget::Device);
  printer.SetRangeFirst(2);
  printer.SetRangeLast(3);
  printer.SetJobTitle(QStringLiteral("Permiso 0042"));
  int printDone = 0;
  printer.OnPrintDone = [&](TQRPrinter* sender) {
    EXPECT_EQ(sender, &printer);
    EXPECT_EQ(sender->RunState(), TQRPrinterRunState::Complete);
    ++printDone;
  };
  TNoticeLog log;
  printer.SetListener(&log);
  printer.BeginRun();
  for (int page = 1; page <= 5; ++page) {
    printer.NewPage();
    EXPECT_EQ(Device().Printing(), page >= 2) << "the job starts when page 2 begins";
    DrawPageMark(printer, page);
  }
  printer.EndRun();
  EXPECT_EQ(printDone, 1);
  EXPECT_EQ(log.Flush(), (QStringList{"ready 1", "ready 2", "ready 3", "ready 4", "ready 5"}));
  ExpectJob(QStringLiteral("Permiso 0042"), {QStringLiteral("page 2"), QStringLiteral("page 3")});
}

TEST_F(QRPrinterFixture, DeviceRangePastTheLastPageBeginsNoJobButReportsDone) {
  TQRPrinter printer;
  printer.SetTarget(TQRPrinterTarget::Device);
  printer.SetRangeFirst(7);
  int printDone = 0;
  printer.OnPrintDone = [&](TQRPrinter*) { ++printDone; };
  printer.BeginRun();
  for (int page = 1; page <= 5; ++page) {
    printer.NewPage();
    DrawPageMark(printer, page);
  }
  printer.EndRun();
  EXPECT_EQ(printDone, 1);
  ExpectNoJob();
}

TEST_F(QRPrinterFixture, DeviceRunWithoutRangePrintsEveryPage) {
  TQRPrinter printer;
  printer.SetTarget(TQRPrinterTarget::Device);
  printer.BeginRun();
  for (int page = 1; page <= 3; ++page) {
    printer.NewPage();
    DrawPageMark(printer, page);
  }
  printer.EndRun();
  ExpectJob(QString(),
            {QStringLiteral("page 1"), QStringLiteral("page 2"), QStringLiteral("page 3")});
}

TEST_F(QRPrinterFixture, AbandonedDeviceRunAbortsTheJobWithoutPrintDone) {
  TQRPrinter printer;
  printer.SetTarget(TQRPrinterTarget::Device);
  bool printDone = false;
  printer.OnPrintDone = [&](TQRPrinter*) { printDone = true; };
  printer.BeginRun();
  printer.NewPage();
  printer.AbandonRun();
  EXPECT_FALSE(printDone);
  EXPECT_FALSE(Device().Printing());
  ExpectAborted();
}

// DeviceX(0) on the device lies left of the printable area by the offset.
TEST_F(QRPrinterFixture, DeviceCoordinatesStartAtThePrintableArea) {
  TQRPrinter printer;
  printer.SetTarget(TQRPrinterTarget::Device);
  printer.BeginRun();
  EXPECT_EQ(printer.OffsetX(), kLeftOffsetTenths);
  EXPECT_EQ(printer.OffsetY(), kTopOffsetTenths);
  EXPECT_DOUBLE_EQ(printer.ScaleX(), kDeviceDpi / 254.0);
  EXPECT_EQ(printer.DeviceX(0), -kLeftOffsetPixels);
  EXPECT_EQ(printer.DeviceY(0), -kTopOffsetPixels);
  EXPECT_EQ(printer.DeviceX(kLeftOffsetTenths), 0);
  EXPECT_EQ(printer.DeviceWidth(254), kDeviceDpi);
  printer.NewPage();
  EXPECT_EQ(printer.DeviceHeight(25.4), kDeviceDpi / 10);
  printer.EndRun();
}

TEST(QRPrinterRounding, HalvesGoToTheEvenNeighbour) {
  TQRPrinter printer;  // scale 1.0, offsets of a system without printers
  ASSERT_EQ(printer.ScaleX(), 1.0);
  EXPECT_EQ(printer.DeviceWidth(2.5), 2);
  EXPECT_EQ(printer.DeviceWidth(3.5), 4);
  EXPECT_EQ(printer.DeviceHeight(-0.5), 0);
}

}  // namespace
