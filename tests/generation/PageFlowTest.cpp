// Multi-page reports driven by OnNeedData, printed on the scripted printer
// and checked on its page logs: page headers and footers, forced page and
// column breaks, columns, a stretching memo continuing on the next page, an
// AlignToBottom summary, a band taller than the page, cancelling from the
// printing-progress window, custom landscape paper.
//
// The page is Letter portrait (2159 x 2794 tenths) with margins of 100, so
// the printable length is 2594.

#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <stdexcept>

#include "GenerationFixture.h"
#include "Metafile.h"
#include "QRChildBand.h"
#include "QRCustomBand.h"
#include "QRMemo.h"
#include "QRPrinter.h"
#include "QRProgressForm.h"
#include "QRProgressWindowClass.h"
#include "QRRound.h"

namespace {

class PageFlowTest : public GenerationTest {
 protected:
  PageFlowTest() : report(NewReport()) {}

  // A detail band with one label whose caption is "R<n>" for record n.
  TQRCustomBand& AddRecords(int records, double height) {
    TQRCustomBand& detail = AddBand(report, rbDetail, height);
    TQRLabel& label = AddLabel(detail, QString(), 0, 0, 300, 60);
    report.OnNeedData = [&label, records, this](TQRCustomReport*, bool& more) {
      ++needData;
      more = needData <= records;
      if (more) label.SetCaption(QStringLiteral("R%1").arg(needData));
    };
    return detail;
  }

  // "TextOut x,y Left \"text\"" for a text written at page position (x, y).
  static QString At(double x, double y, const QString& text) {
    return QStringLiteral("TextOut %1,%2 Left \"%3\"").arg(DevX(x)).arg(DevY(y)).arg(text);
  }

  TQRReport& report;
  int needData = 0;
};

struct HeaderFooterCase {
  const char* name;
  bool firstPageHeader;
  bool lastPageFooter;
  std::vector<QStringList> pages;
};

const HeaderFooterCase kHeaderFooterCases[] = {
    // Two records of 1000 fit a page between header and footer: 5 records, 3 pages.
    {"Both", true, true, {{"H", "R1", "R2", "F"}, {"H", "R3", "R4", "F"}, {"H", "R5", "F"}}},
    {"NoFirstHeader", false, true, {{"R1", "R2", "F"}, {"H", "R3", "R4", "F"}, {"H", "R5", "F"}}},
    {"NoLastFooter", true, false, {{"H", "R1", "R2", "F"}, {"H", "R3", "R4", "F"}, {"H", "R5"}}},
    {"Neither", false, false, {{"R1", "R2", "F"}, {"H", "R3", "R4", "F"}, {"H", "R5"}}},
};

class HeaderFooterTable : public PageFlowTest,
                          public testing::WithParamInterface<HeaderFooterCase> {};

TEST_P(HeaderFooterTable, HeadersAndFootersFollowTheOptions) {
  const HeaderFooterCase& c = GetParam();
  AddLabel(AddBand(report, rbPageHeader, 200), QStringLiteral("H"), 0, 0, 100, 60);
  AddLabel(AddBand(report, rbPageFooter, 200), QStringLiteral("F"), 0, 0, 100, 60);
  AddRecords(5, 1000);
  TQRReportOptions options;
  if (c.firstPageHeader) options.Include(TQRReportOption::FirstPageHeader);
  if (c.lastPageFooter) options.Include(TQRReportOption::LastPageFooter);
  report.SetOptions(options);
  report.PrintToPrinter();

  ASSERT_EQ(DevicePages(), int(c.pages.size()));
  for (int page = 1; page <= DevicePages(); ++page)
    EXPECT_EQ(TextsOnPage(page), c.pages[std::size_t(page - 1)]) << "page " << page;
  // The footer stands on the bottom margin, the header on the top margin.
  EXPECT_EQ(TextOutsOnPage(2).first(), At(100, 100, "H"));
  EXPECT_EQ(TextOutsOnPage(2).last(), At(100, 2794 - 100 - 200, "F"));
}

INSTANTIATE_TEST_SUITE_P(Options, HeaderFooterTable, testing::ValuesIn(kHeaderFooterCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageFlowTest, ElementsOnTheReportAndItsFramePrintOnEveryPageAfterTheFooter) {
  AddLabel(AddBand(report, rbPageFooter, 200), QStringLiteral("F"), 0, 0, 100, 60);
  // On the report itself, positions are on the page.
  AddLabel(report, QStringLiteral("W"), 500, 50, 300, 60);
  TQRLabel& hidden = AddLabel(report, QStringLiteral("H"), 500, 1000, 300, 60);
  hidden.SetEnabled(false);
  hidden.SetVisible(false);  // hidden and disabled still prints
  AddLabel(report, QStringLiteral("D"), 500, 1500, 300, 60).SetEnabled(false);
  report.Frame().SetDrawLeft(true);
  AddRecords(3, 1000);
  report.PrintToPrinter();

  ASSERT_EQ(DevicePages(), 2);
  EXPECT_EQ(TextsOnPage(1), QStringList({"R1", "R2", "F", "W", "H"}));
  EXPECT_EQ(TextsOnPage(2), QStringList({"R3", "F", "W", "H"}));
  EXPECT_TRUE(TextOutsOnPage(2).contains(At(500, 50, "W")));
  // The report's frame stands on the margins: one point (8 pixels) down the left.
  const QString leftLine = QStringLiteral("FillRect %1,%2,%3,%4")
                               .arg(DevX(100))
                               .arg(DevY(100))
                               .arg(DevX(100) + 8)
                               .arg(DevY(2794 - 100));
  for (int page = 1; page <= 2; ++page)
    EXPECT_TRUE(CallsOnPage(page, "FillRect").contains(leftLine)) << "page " << page;
}

TEST_F(PageFlowTest, FirstForcedPageAfterTheTitleDoesNotBreak) {
  AddLabel(AddBand(report, rbTitle, 200), QStringLiteral("T"), 0, 0, 100, 60);
  AddRecords(3, 200).SetForceNewPage(true);
  report.PrintToPrinter();
  ASSERT_EQ(DevicePages(), 3);
  EXPECT_EQ(TextOutsOnPage(1), QStringList({At(100, 100, "T"), At(100, 300, "R1")}));
  EXPECT_EQ(TextOutsOnPage(2), QStringList{At(100, 100, "R2")});
  EXPECT_EQ(TextOutsOnPage(3), QStringList{At(100, 100, "R3")});
}

TEST_F(PageFlowTest, WithoutATitleEveryForcedRecordHasItsOwnPage) {
  // The first record starts page 1 without a break of its own; nothing is
  // suppressed, so the second breaks as asked.
  AddRecords(3, 200).SetForceNewPage(true);
  report.PrintToPrinter();
  ASSERT_EQ(DevicePages(), 3);
  for (int page = 1; page <= 3; ++page)
    EXPECT_EQ(TextOutsOnPage(page), QStringList{At(100, 100, QStringLiteral("R%1").arg(page))});
}

TEST_F(PageFlowTest, ForcedColumnsFillTheColumnsThenThePage) {
  report.Page().SetColumns(2);
  report.Page().SetColumnSpace(100);
  TQRCustomBand& detail = AddRecords(4, 200);
  detail.SetForceNewColumn(true);
  report.PrintToPrinter();
  // The first forced break in column 1 only arms the next one; the second
  // column starts at the column top one detail width and one gap further.
  const double column2 = 100 + QRRound(detail.Size().Width()) + 100;
  ASSERT_EQ(DevicePages(), 2);
  EXPECT_EQ(TextOutsOnPage(1),
            QStringList({At(100, 100, "R1"), At(100, 300, "R2"), At(column2, 100, "R3")}));
  EXPECT_EQ(TextOutsOnPage(2), QStringList{At(100, 100, "R4")});
  EXPECT_EQ(report.Functions().Find("COLUMNNUMBER")->value, "1");
  EXPECT_EQ(report.Functions().Find("PAGENUMBER")->value, "2");
}

TEST_F(PageFlowTest, EveryColumnButThePagesFirstGetsItsColumnHeader) {
  // Two records of 1000 fill a column below the page header and the column
  // header; the detail loop prints the first column header of page 1, each
  // further column and page starts with its own.
  report.Page().SetColumns(2);
  AddLabel(AddBand(report, rbPageHeader, 100), QStringLiteral("PH"), 0, 0, 100, 60);
  AddLabel(AddBand(report, rbColumnHeader, 100), QStringLiteral("CH"), 0, 0, 100, 60);
  TQRCustomBand& detail = AddRecords(5, 1000);
  report.PrintToPrinter();
  const double column2 = 100 + QRRound(detail.Size().Width());
  ASSERT_EQ(DevicePages(), 2);
  EXPECT_EQ(
      TextOutsOnPage(1),
      QStringList({At(100, 100, "PH"), At(100, 200, "CH"), At(100, 300, "R1"), At(100, 1300, "R2"),
                   At(column2, 200, "CH"), At(column2, 300, "R3"), At(column2, 1300, "R4")}));
  EXPECT_EQ(TextOutsOnPage(2),
            QStringList({At(100, 100, "PH"), At(100, 200, "CH"), At(100, 300, "R5")}));
}

TEST_F(PageFlowTest, LinkedBandIsKeptOnTheSamePage) {
  // Each record needs its own 1000 and the linked summary's 800: the second
  // (at Y 1100, 1594 left) goes to page 2 and the summary follows it there.
  TQRCustomBand& summary = AddBand(report, rbSummary, 800);
  AddLabel(summary, QStringLiteral("S"), 0, 0, 100, 60);
  AddRecords(2, 1000).SetLinkBand(&summary);
  report.PrintToPrinter();
  ASSERT_EQ(DevicePages(), 2);
  EXPECT_EQ(TextOutsOnPage(1), QStringList{At(100, 100, "R1")});
  EXPECT_EQ(TextOutsOnPage(2), QStringList({At(100, 100, "R2"), At(100, 1100, "S")}));
}

TEST_F(PageFlowTest, StretchingMemoContinuesOnTheNextPageAtItsOwnPosition) {
  // The title fills the page down to Y 2300; the memo's band then has 394
  // tenths left, so the memo stretches the band as far as it can and goes on
  // at its own place in the band on page 2.
  AddLabel(AddBand(report, rbTitle, 2200), QStringLiteral("T"), 0, 0, 100, 60);
  TQRCustomBand& detail = AddBand(report, rbDetail, 300);
  detail.Frame().SetDrawTop(true);
  auto* memo = new TQRMemo(&form);
  memo->SetParent(&detail);
  memo->SetAutoSize(false);
  memo->SetAutoStretch(true);
  memo->Size().SetUnits(TQRUnit::Native);
  memo->Size().SetLeft(40);
  memo->Size().SetTop(50);
  memo->Size().SetWidth(1000);
  memo->Size().SetHeight(100);
  QStringList lines;
  for (int i = 1; i <= 60; ++i) lines << QStringLiteral("L%1").arg(i, 2, 10, QLatin1Char('0'));
  memo->SetLines(lines);
  bool once = true;
  report.OnNeedData = [&once](TQRCustomReport*, bool& more) {
    more = once;
    once = false;
  };
  report.PrintToPrinter();

  ASSERT_EQ(DevicePages(), 2);
  QStringList page1 = TextsOnPage(1);
  ASSERT_EQ(page1.takeFirst(), "T");
  const QStringList page2 = TextsOnPage(2);
  EXPECT_EQ(page1 + page2, lines);       // every line once, in order
  const double lh = 16 / (600.0 / 254);  // 16 device pixels in tenths
  // Page 1: the memo (top 2350, height 100) holds 14 lines of LH = 6.77;
  // the band (300 high at Y 2300, 394 left) grows by LH 13 times while
  // round(300 + E + LH) <= 394, giving room for 27 lines.
  EXPECT_EQ(page1.size(), 27);
  EXPECT_EQ(TextOutsOnPage(2).first(), At(100 + 40, 100 + 50, page2.first()));
  EXPECT_EQ(TextOutsOnPage(2).at(1), At(100 + 40, 100 + 50 + lh, page2.at(1)));
  // The band's frame is drawn where the band stands on each page.
  auto hasFrameAt = [&](int page, double y) {
    const QString start = QStringLiteral("FillRect %1,%2,").arg(DevX(100)).arg(DevY(y));
    for (const QString& call : CallsOnPage(page, "FillRect"))
      if (call.startsWith(start) && call.endsWith(QString::number(DevY(y) + 8))) return true;
    return false;
  };
  EXPECT_TRUE(hasFrameAt(1, 2300));
  EXPECT_TRUE(hasFrameAt(2, 100));
}

TEST_F(PageFlowTest, RunStoppedInTheMiddleOfAStretchingLabelStartsItAfreshNextTime) {
  // The title leaves 394 tenths; the label's lines continue on page 2, but
  // the first run fails when page 1 ends.
  AddLabel(AddBand(report, rbTitle, 2200), QStringLiteral("T"), 0, 0, 100, 60);
  TQRCustomBand& detail = AddBand(report, rbDetail, 300);
  QStringList lines;
  for (int i = 1; i <= 60; ++i) lines << QStringLiteral("L%1").arg(i, 2, 10, QLatin1Char('0'));
  AddLabel(detail, lines.join(u'\r'), 40, 50, 1000, 100).SetAutoStretch(true);
  bool fail = true;
  report.OnEndPage = [&fail](TQRCustomReport*) {
    if (fail) throw std::runtime_error("page end failed");
  };
  bool given = false;  // one record per run
  report.OnNeedData = [&given](TQRCustomReport*, bool& more) {
    more = !given;
    given = true;
  };
  EXPECT_THROW(report.PrintToPrinter(), std::runtime_error);
  fail = false;
  given = false;
  script->pages.clear();
  report.PrintToPrinter();
  ASSERT_EQ(DevicePages(), 2);
  EXPECT_EQ(TextsOnPage(1).mid(0, 2), QStringList({"T", "L01"}));
  EXPECT_EQ(TextsOnPage(2).last(), "L60");
}

TEST_F(PageFlowTest, LabelThatCanNeverPlaceALineGivesUpAfterOneFreshPage) {
  // The band fills the printable length, so it can never grow, and the
  // label is lower than one line: no page can take its line.
  measuring.SetTextHeight(0);  // a one-pixel screen line keeps the label 2 tenths high
  TQRCustomBand& detail = AddRecords(1, 2594);
  AddLabel(detail, QStringLiteral("LOST"), 0, 100, 500, 2).SetAutoStretch(true);
  report.OnStartPage = [](TQRCustomReport* r) {
    if (r->PageCount > 10) throw std::runtime_error("pages without end");
  };
  report.PrintToPrinter();
  ASSERT_EQ(DevicePages(), 2);
  EXPECT_EQ(TextsOnPage(1), QStringList{"R1"});
  EXPECT_TRUE(TextsOnPage(2).isEmpty());
}

struct MarginCase {
  const char* name;
  double left, right, top, bottom;  // before the run
  double leftAfter, rightAfter, topAfter, bottomAfter;
};

// Letter portrait: 2159 across, 2794 down.
const MarginCase kMarginCases[] = {
    {"NoRoomAcross", 1500, 700, 100, 100, 0, 0, 100, 100},
    {"NoRoomDown", 100, 100, 2000, 900, 100, 100, 0, 0},
    // Margins that leave exactly nothing are kept: only less than nothing resets.
    {"ExactlyNothingLeft", 1059, 1100, 100, 100, 1059, 1100, 100, 100},
};

class MarginTable : public PageFlowTest, public testing::WithParamInterface<MarginCase> {};

TEST_P(MarginTable, MarginsThatLeaveNoRoomAreResetForGood) {
  const MarginCase& c = GetParam();
  TQRPage& page = report.Page();
  page.SetLeftMargin(c.left);
  page.SetRightMargin(c.right);
  page.SetTopMargin(c.top);
  page.SetBottomMargin(c.bottom);
  AddLabel(AddBand(report, rbTitle, 10), QStringLiteral("T"), 0, 0, 100, 60);
  report.PrintToPrinter();
  EXPECT_EQ(double(page.LeftMargin()), c.leftAfter);
  EXPECT_EQ(double(page.RightMargin()), c.rightAfter);
  EXPECT_EQ(double(page.TopMargin()), c.topAfter);
  EXPECT_EQ(double(page.BottomMargin()), c.bottomAfter);
  EXPECT_EQ(TextOutsOnPage(1), QStringList{At(c.leftAfter, c.topAfter, "T")});
}

INSTANTIATE_TEST_SUITE_P(Run, MarginTable, testing::ValuesIn(kMarginCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct BottomCase {
  const char* name;
  bool lastPageFooter;
  double summaryY;
};

const BottomCase kBottomCases[] = {
    // Without LastPageFooter the footer's room is given up: the summary stands
    // directly on the bottom margin.
    {"WithoutLastFooter", false, 2794 - 100 - 150},
    {"AboveTheLastFooter", true, 2794 - 100 - 200 - 150},
};

class AlignToBottomTable : public PageFlowTest, public testing::WithParamInterface<BottomCase> {};

TEST_P(AlignToBottomTable, SummaryStandsAtTheBottom) {
  AddLabel(AddBand(report, rbPageFooter, 200), QStringLiteral("F"), 0, 0, 100, 60);
  TQRCustomBand& summary = AddBand(report, rbSummary, 150);
  summary.SetAlignToBottom(true);
  AddLabel(summary, QStringLiteral("S"), 0, 0, 100, 60);
  AddRecords(1, 200);
  TQRReportOptions options{TQRReportOption::FirstPageHeader};
  if (GetParam().lastPageFooter) options.Include(TQRReportOption::LastPageFooter);
  report.SetOptions(options);
  report.PrintToPrinter();
  ASSERT_EQ(DevicePages(), 1);
  EXPECT_TRUE(TextOutsOnPage(1).contains(At(100, GetParam().summaryY, "S")));
}

INSTANTIATE_TEST_SUITE_P(Summary, AlignToBottomTable, testing::ValuesIn(kBottomCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageFlowTest, BandTallerThanThePageStartsOnlyTheFirstPageAndRunsOver) {
  AddRecords(2, 3000);
  report.PrintToPrinter();
  ASSERT_EQ(DevicePages(), 1);
  EXPECT_EQ(TextOutsOnPage(1), QStringList({At(100, 100, "R1"), At(100, 3100, "R2")}));
}

TEST_F(PageFlowTest, SkippedBandStillPrintsItsChildAndFooterChildrenPrintAsFooters) {
  TQRCustomBand& detail = AddRecords(1, 200);
  detail.SetHasChild(true);
  TQRCustomBand& child = *report.ChildOf(&detail);
  child.Size().SetHeight(100);
  AddLabel(child, QStringLiteral("C"), 0, 0, 100, 60);
  TQRCustomBand& footer = AddBand(report, rbPageFooter, 100);
  AddLabel(footer, QStringLiteral("F"), 0, 0, 100, 60);
  footer.SetHasChild(true);
  TQRCustomBand& footerChild = *report.ChildOf(&footer);
  footerChild.Size().SetHeight(100);
  AddLabel(footerChild, QStringLiteral("FC"), 0, 0, 100, 60);
  detail.BeforePrint = [](TQRCustomBand*, bool& print) { print = false; };
  detail.AfterPrint = [this](TQRCustomBand*, bool printed) {
    log.append(printed ? "printed" : "skipped");
  };
  footerChild.BeforePrint = [this](TQRCustomBand* band, bool&) {
    log.append(band->BandType() == rbPageFooter ? "as footer" : "as child");
  };
  report.PrintToPrinter();

  // The footer's height counts its child: both stand above the bottom margin.
  ASSERT_EQ(DevicePages(), 1);
  EXPECT_EQ(TextOutsOnPage(1), QStringList({At(100, 100, "C"), At(100, 2794 - 100 - 200, "F"),
                                            At(100, 2794 - 100 - 100, "FC")}));
  EXPECT_TRUE(log.contains("skipped"));
  EXPECT_TRUE(log.contains("as footer"));
  EXPECT_EQ(footerChild.BandType(), rbChild);
}

TEST_F(PageFlowTest, MoreDataFalseAtOnceLeavesEvenTitleAndSummaryOut) {
  AddLabel(AddBand(report, rbTitle, 200), QStringLiteral("T"), 0, 0, 100, 60);
  AddLabel(AddBand(report, rbSummary, 200), QStringLiteral("S"), 0, 0, 100, 60);
  AddRecords(0, 200);
  report.AfterPrint = [this](TQRCustomReport*) { log.append("AfterPrint(report)"); };
  report.PrintToPrinter();
  EXPECT_EQ(DevicePages(), 0);
  EXPECT_EQ(needData, 1);
  EXPECT_TRUE(log.contains("AfterPrint(report)"));
}

// The progress window of the print run, kept for the test to press Cancel.
TQRProgressForm* g_progressForm = nullptr;
std::unique_ptr<QObject> MakeProgressForm(TQRPrinter* printer, bool) {
  auto form = std::make_unique<TQRProgressForm>(printer);
  g_progressForm = form.get();
  return form;
}

TEST_F(PageFlowTest, CancelFromTheProgressWindowStopsAtTheNextRecord) {
  SetProgressWindowClass(&MakeProgressForm);
  AddLabel(AddBand(report, rbSummary, 200), QStringLiteral("S"), 0, 0, 100, 60);
  AddLabel(AddBand(report, rbPageFooter, 200), QStringLiteral("F"), 0, 0, 100, 60);
  AddRecords(10, 1000);
  report.OnNeedData = [this, inner = report.OnNeedData](TQRCustomReport* r, bool& more) {
    inner(r, more);
    if (needData == 3) g_progressForm->CancelButtonClick();
  };
  report.AfterPrint = [this](TQRCustomReport*) { log.append("AfterPrint(report)"); };
  report.PrintToPrinter();
  // Records 1 and 2 printed; the third was asked for but the loop stopped
  // before it. The page is still finished (its footer) and the job ended.
  ASSERT_EQ(DevicePages(), 1);
  EXPECT_EQ(TextsOnPage(1), QStringList({"R1", "R2", "F"}));
  EXPECT_EQ(script->journal.last(), "EndDoc");
  EXPECT_TRUE(log.contains("AfterPrint(report)"));
}

TEST_F(PageFlowTest, PrinterSettingsAndPageSetupReachThePrintJob) {
  report.Page().SetOrientation(TPrinterOrientation::poLandscape);
  report.Page().SetPaperSize(TQRPaperSize::Legal);  // 2159 tenths down: one record a page
  TQRReportPrinterSettings& settings = report.PrinterSettings();
  settings.Copies = 3;
  settings.OutputBin = TQRBin::Cassette;
  settings.FirstPage = 2;
  settings.LastPage = 2;
  settings.Duplex = true;
  report.SetReportTitle(QStringLiteral("Permisos"));
  AddRecords(3, 1500);
  report.PrintToPrinter();
  // Only page 2 of the three reaches the printer.
  ASSERT_EQ(DevicePages(), 1);
  EXPECT_EQ(TextsOnPage(1), QStringList{"R2"});
  EXPECT_EQ(script->journal.first(), "SetTitle \"Permisos\"");
  ASSERT_EQ(script->jobModes.size(), 1u);
  const TDeviceMode& mode = script->jobModes[0];
  EXPECT_EQ(mode.copies, 3);
  EXPECT_EQ(mode.orientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(mode.paperSize, 5);       // Legal
  EXPECT_EQ(mode.defaultSource, 14);  // the cassette
  EXPECT_EQ(mode.duplex, DMDUP_SIMPLEX) << "Duplex is kept with the design, not applied";
}

TEST_F(PageFlowTest, CompressionOptionReachesThePageStore) {
  AddLabel(AddBand(report, rbSummary, 150), QStringLiteral("S"), 0, 0, 100, 60);
  for (const bool compressed : {false, true}) {
    SCOPED_TRACE(compressed ? "compressed" : "plain");
    report.SetOptions(compressed ? TQRReportOptions{TQRReportOption::Compression}
                                 : TQRReportOptions{});
    report.AttachNewPrinter();
    std::unique_ptr<TQRPrinter> store(report.QRPrinter);
    report.GenerateReport();
    report.QRPrinter = nullptr;
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("pages.qrp"));
    store->SavePrepared(fileName);
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 128);
    EXPECT_EQ(int(bytes[25]), compressed ? 1 : 0);  // the header's compression byte
    EXPECT_NE(store->FetchPage(1), nullptr);
  }
}

TEST_F(PageFlowTest, CustomLandscapePaperKeepsItsShape) {
  script->defaultMode.fields |= DM_PAPERLENGTH | DM_PAPERWIDTH;  // a driver that takes custom paper
  report.Page().SetOrientation(TPrinterOrientation::poLandscape);
  report.Page().SetPaperSize(TQRPaperSize::Custom);
  report.Page().SetWidth(3000);
  report.Page().SetLength(2000);
  TQRCustomBand& summary = AddBand(report, rbSummary, 150);
  summary.SetAlignToBottom(true);
  AddLabel(summary, QStringLiteral("S"), 0, 0, 100, 60);
  report.SetOptions({});

  report.AttachNewPrinter();
  std::unique_ptr<TQRPrinter> store(report.QRPrinter);
  report.GenerateReport();
  std::unique_ptr<TMetafile> page = store->FetchPage(1);
  ASSERT_NE(page, nullptr);
  // 3000 x 2000 tenths at 96 pixels per inch, across and down.
  EXPECT_EQ(page->Width(), QRRound(3000 * 96 / 254.0L));
  EXPECT_EQ(page->Height(), QRRound(2000 * 96 / 254.0L));
  // Replayed, the stored page writes the summary's text on the bottom
  // margin, in screen pixels of the whole paper.
  TFakeCanvas replay;
  page->Draw(replay, QRect(0, 0, page->Width(), page->Height()));
  EXPECT_EQ(replay.Calls("TextOut"),
            QStringList{QStringLiteral("TextOut %1,%2 Left \"S\"")
                            .arg(QRRound(100 * 96 / 254.0L))
                            .arg(QRRound((2000 - 100 - 150) * 96 / 254.0L))});
  report.QRPrinter = nullptr;

  report.PrintToPrinter();
  ASSERT_EQ(script->jobModes.size(), 1u);
  EXPECT_EQ(script->jobModes[0].orientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(script->jobModes[0].paperWidth, 2000);  // the paper, portrait
  EXPECT_EQ(script->jobModes[0].paperLength, 3000);
  // The summary stands on the bottom margin of the 2000 tenths down the page.
  EXPECT_EQ(TextOutsOnPage(1), QStringList{At(100, 2000 - 100 - 150, "S")});
}

}  // namespace
