// Designs whose page header, page footer or new page's column header cannot
// fit on a page. Each of them once started page after page from inside the
// header or footer of the page being started, until the stack ran out. They
// print where they stand and run over instead, forced breaks met while they
// print are ignored, and the run ends with the pages below, in a print run
// and in a preview run alike, leaving no temporary page file behind.
//
// The page is Letter landscape: 2794 across, 2159 down, margins of 100, so
// the printable length is 1959. The body is three records of 300.

#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <string>
#include <vector>

#include "FakeCanvas.h"
#include "GenerationFixture.h"
#include "Metafile.h"
#include "QRChildBand.h"
#include "QRCustomBand.h"
#include "QRImage.h"
#include "QRPrinter.h"

namespace {

class OverfullPageBandsTest : public GenerationTest {
 public:
  OverfullPageBandsTest() : report(NewReport()) {
    report.Page().SetOrientation(TPrinterOrientation::poLandscape);
    // Stored pages go to a folder of the test's own.
    savedTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", tempFolder.path().toLocal8Bit());
  }
  ~OverfullPageBandsTest() override {
    if (savedTmp.isNull())
      qunsetenv("TMPDIR");
    else
      qputenv("TMPDIR", savedTmp);
  }

  void AddRecords(int records, double height) {
    TQRLabel& label = AddLabel(AddBand(report, rbDetail, height), QString(), 0, 0, 300, 60);
    report.OnNeedData = [&label, records, this](TQRCustomReport*, bool& more) {
      ++needData;
      more = needData <= records;
      if (more) label.SetCaption(QStringLiteral("R%1").arg(needData));
    };
  }

  // A band of `type` with a label showing `text` at its top-left corner.
  TQRCustomBand& Band(TQRBandType type, double height, const QString& text) {
    TQRCustomBand& band = AddBand(report, type, height);
    Label(band, text);
    return band;
  }
  TQRLabel& Label(TQRControl& parent, const QString& text) {
    return AddLabel(parent, text, 0, 0, 100, 60);
  }

  TQRCustomBand& AddChild(TQRCustomBand& parent, double height) {
    parent.SetHasChild(true);
    TQRCustomBand& child = *report.ChildOf(&parent);
    child.Size().SetHeight(height);
    return child;
  }

  // A picture of 200 x 200 pixels, 120 000 bytes in a stored page: every
  // page that holds it takes the page store past its memory threshold.
  void AddPicture(TQRCustomBand& band) {
    auto* image = new TQRImage(&form);
    image->SetParent(&band);
    image->Size().SetUnits(TQRUnit::Native);
    image->Size().SetLeft(1500);
    image->Size().SetTop(0);
    image->Size().SetWidth(200);
    image->Size().SetHeight(200);
    QImage bits(200, 200, QImage::Format_RGB32);
    bits.fill(Qt::darkGreen);
    image->SetPicture(TPicture(TBitmap(bits)));
  }

  QStringList StoreFiles() const {
    return QDir(tempFolder.path()).entryList({QStringLiteral("QRP*.TMP")}, QDir::Files);
  }

  // The texts a stored page writes when it is replayed.
  static QStringList TextsOfStoredPage(const TMetafile& page) {
    TFakeCanvas replay;
    page.Draw(replay, QRect(0, 0, page.Width(), page.Height()));
    QStringList texts;
    for (const QString& line : replay.Calls(QStringLiteral("TextOut"))) {
      const qsizetype open = line.indexOf(QLatin1Char('"'));
      texts.append(line.mid(open + 1, line.lastIndexOf(QLatin1Char('"')) - open - 1));
    }
    return texts;
  }

  QTemporaryDir tempFolder;
  QByteArray savedTmp;
  TQRReport& report;
  int needData = 0;
};

struct OverfullCase {
  const char* name;
  std::function<void(OverfullPageBandsTest&)> design;
  std::vector<QStringList> pages;  // the texts of each page, in order
};

class OverfullTable : public OverfullPageBandsTest,
                      public testing::WithParamInterface<OverfullCase> {};

QStringList FooterLines() {
  QStringList lines;
  for (int i = 1; i <= 30; ++i) lines << QStringLiteral("F%1").arg(i, 2, 10, QLatin1Char('0'));
  return lines;
}

const OverfullCase kCases[] = {
    // 1000 + 1000 of the 1959: each record starts a page and stands below
    // the header, over the footer.
    {"HeaderAndFooterTallerThanThePage",
     [](OverfullPageBandsTest& t) {
       t.AddPicture(t.Band(rbPageHeader, 1000, "H"));
       t.Band(rbPageFooter, 1000, "F");
     },
     {{"H", "R1", "F"}, {"H", "R2", "F"}, {"H", "R3", "F"}}},
    // The header fits, its child does not fit below it.
    {"HeaderChildThatCannotFit",
     [](OverfullPageBandsTest& t) {
       TQRCustomBand& header = t.Band(rbPageHeader, 1500, "H");
       t.AddPicture(header);
       t.Label(t.AddChild(header, 1200), "C");
     },
     {{"H", "C", "R1"}, {"H", "C", "R2"}, {"H", "C", "R3"}}},
    // The break the header's child asks for is ignored: all on one page.
    {"HeaderChildForcingANewPage",
     [](OverfullPageBandsTest& t) {
       TQRCustomBand& header = t.Band(rbPageHeader, 200, "H");
       t.AddPicture(header);
       TQRCustomBand& child = t.AddChild(header, 200);
       t.Label(child, "C");
       child.SetForceNewPage(true);
     },
     {{"H", "C", "R1", "R2", "R3"}}},
    // Page 1's column header is the detail loop's and runs over; every
    // further page starts with a header and a column header that fill it.
    {"ColumnHeaderOfANewPageThatCannotFit",
     [](OverfullPageBandsTest& t) {
       t.AddPicture(t.Band(rbPageHeader, 1000, "H"));
       t.Band(rbColumnHeader, 1000, "CH").SetForceNewPage(true);
     },
     {{"H", "CH"}, {"H", "CH", "R1"}, {"H", "CH", "R2"}, {"H", "CH", "R3"}}},
    // The footer's stretching label has more lines than its band holds and
    // no room to grow: the band grows over the bottom margin.
    {"FooterLabelWithMoreLinesThanItsBand",
     [](OverfullPageBandsTest& t) {
       t.AddPicture(t.Band(rbPageHeader, 200, "H"));
       t.Label(t.Band(rbPageFooter, 200, QString()), FooterLines().join(u'\r'))
           .SetAutoStretch(true);
     },
     {QStringList({"H", "R1", "R2", "R3"}) + FooterLines()}},
};

TEST_P(OverfullTable, PrintRunEndsWithThesePages) {
  GetParam().design(*this);
  AddRecords(3, 300);
  report.PrintToPrinter();
  ASSERT_EQ(DevicePages(), int(GetParam().pages.size()));
  for (int page = 1; page <= DevicePages(); ++page) {
    QStringList texts = TextsOnPage(page);
    texts.removeAll(QString());  // the footer's own empty label
    EXPECT_EQ(texts, GetParam().pages[std::size_t(page - 1)]) << "page " << page;
  }
  EXPECT_TRUE(StoreFiles().isEmpty());
}

TEST_P(OverfullTable, PreviewRunEndsWithThesePagesAndLeavesNoFile) {
  GetParam().design(*this);
  AddRecords(3, 300);
  QStringList storedWhileShown;
  std::vector<QStringList> shownPages;
  ScriptPreview(report, {"hook", "close"});
  TFakePreview::next.hook = [&] {
    storedWhileShown = StoreFiles();
    TQRPrinter& printer = *report.QRPrinter;
    for (int n = 1; n <= printer.PageCount(); ++n) {
      std::unique_ptr<TMetafile> page = printer.FetchPage(n);
      ASSERT_NE(page, nullptr) << "page " << n;
      QStringList texts = TextsOfStoredPage(*page);
      texts.removeAll(QString());
      shownPages.push_back(texts);
    }
  };
  report.ShowPreview();
  EXPECT_EQ(log,
            QStringList{QStringLiteral("preview shows %1 pages").arg(GetParam().pages.size())});
  EXPECT_EQ(shownPages, GetParam().pages);
  // The pages went to a temporary file while shown, and it went with them.
  EXPECT_EQ(storedWhileShown.size(), 1);
  EXPECT_TRUE(StoreFiles().isEmpty()) << StoreFiles().join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Designs, OverfullTable, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OverfullPageBandsTest, BandsThatCannotFitStandWhereTheyStartAndRunOver) {
  // The first design, positions on page 2: the header on the top margin,
  // the record right below it, the footer where the footer's room begins.
  AddLabel(AddBand(report, rbPageHeader, 1000), QStringLiteral("H"), 0, 0, 100, 60);
  AddLabel(AddBand(report, rbPageFooter, 1000), QStringLiteral("F"), 0, 0, 100, 60);
  AddRecords(3, 300);
  report.PrintToPrinter();
  auto at = [](double x, double y, const char* text) {
    return QStringLiteral("TextOut %1,%2 Left \"%3\"").arg(DevX(x)).arg(DevY(y)).arg(text);
  };
  ASSERT_EQ(DevicePages(), 3);
  EXPECT_EQ(TextOutsOnPage(2),
            QStringList({at(100, 100, "H"), at(100, 1100, "R2"), at(100, 2159 - 100 - 1000, "F")}));
}

TEST_F(OverfullPageBandsTest, BreaksOutsideThePageBandsStillBreak) {
  // A header that fits with a child that forces nothing, and a detail band
  // that forces a page: the guard is only for the page's own bands.
  TQRCustomBand& header = AddBand(report, rbPageHeader, 200);
  AddLabel(header, QStringLiteral("H"), 0, 0, 100, 60);
  header.SetHasChild(true);
  report.ChildOf(&header)->Size().SetHeight(100);
  AddRecords(3, 300);
  report.FindBandOfType(rbDetail)->SetForceNewPage(true);
  report.PrintToPrinter();
  ASSERT_EQ(DevicePages(), 3);
  for (int page = 1; page <= 3; ++page)
    EXPECT_EQ(TextsOnPage(page), QStringList({"H", QStringLiteral("R%1").arg(page)}));
}

}  // namespace
