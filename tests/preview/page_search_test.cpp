// Finding text across a printer's stored pages: matches in page order, in
// any case unless asked, the current match moving on and round; pages read
// a slice at a time between events; pages that arrive while their run goes
// on, pages replaced by a loaded file, and a damaged page.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include "Metafile.h"
#include "QRPageSearch.h"
#include "QRPrinter.h"
#include "preview_fixture.h"

namespace {

using PageSearchTest = PreviewFixture;

// Lets events run until reading has stopped (or a generous time is over).
void ReadAll(const TQRPageSearch& search) {
  QDeadlineTimer deadline(30000);
  while (search.Reading() && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  ASSERT_FALSE(search.Reading()) << "reading did not finish";
}

int CurrentPage(const TQRPageSearch& search) {
  return search.Current() < 0 ? 0 : search.Matches()[size_t(search.Current())].page;
}

const std::vector<QStringList> kPages = {
    {"Alpha beta", "gamma"},  // 1
    {"gamma ALPHA"},          // 2
    {"delta"},                // 3
    {"alpha", "one alpha"},   // 4
};

TEST_F(PageSearchTest, FindsInPageOrderAndGoesRound) {
  auto printer = MakePrinter();
  RunTextPages(*printer, kPages);
  TQRPageSearch search([&] { return printer.get(); });
  search.Find(QStringLiteral("alpha"), Qt::CaseInsensitive, 2);
  ReadAll(search);
  const std::vector<TQRTextMatch> expected = {
      {1, 0, 5}, {2, 6, 5}, {4, 0, 5}, {4, 10, 5}};  // "alpha\none alpha"
  EXPECT_EQ(search.Matches(), expected);
  EXPECT_EQ(search.Current(), 1) << "the first match on or after page 2";

  struct Step {
    const char* name;
    void (TQRPageSearch::*go)();
    int current;
  };
  const Step steps[] = {
      {"next", &TQRPageSearch::Next, 2},
      {"next on the same page", &TQRPageSearch::Next, 3},
      {"round to the first", &TQRPageSearch::Next, 0},
      {"round to the last", &TQRPageSearch::Previous, 3},
      {"previous", &TQRPageSearch::Previous, 2},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    (search.*s.go)();
    EXPECT_EQ(search.Current(), s.current);
  }

  search.Find(QStringLiteral("ALPHA"), Qt::CaseSensitive, 1);
  EXPECT_EQ(search.Matches(), std::vector<TQRTextMatch>({{2, 6, 5}})) << "read once, matched anew";
  EXPECT_EQ(CurrentPage(search), 2);

  search.Find(QStringLiteral("from page four on"), Qt::CaseInsensitive, 4);
  EXPECT_TRUE(search.Matches().empty());
  EXPECT_EQ(search.Current(), -1);
  search.Find(QStringLiteral("gamma"), Qt::CaseInsensitive, 3);
  EXPECT_EQ(CurrentPage(search), 1) << "nothing from page 3 on: round to the first";
  search.Find(QString(), Qt::CaseInsensitive, 1);
  EXPECT_TRUE(search.Matches().empty());
}

// Reading a long report lets the window's events in between its slices.
TEST_F(PageSearchTest, ReadsBetweenEvents) {
  auto printer = MakePrinter();
  std::vector<QStringList> pages;
  QStringList dense;
  for (int line = 0; line < 20; ++line)
    dense << QStringLiteral("Línea %1 de un informe largo con muchas palabras en cada renglón")
                 .arg(line);
  for (int page = 0; page < 300; ++page) pages.push_back(dense);
  pages.back() << QStringLiteral("ÚLTIMA");
  RunTextPages(*printer, pages);

  TQRPageSearch search([&] { return printer.get(); });
  int heartbeats = 0;
  QTimer heartbeat;
  heartbeat.setInterval(0);
  QObject::connect(&heartbeat, &QTimer::timeout, [&] {
    if (search.Reading()) ++heartbeats;
  });
  heartbeat.start();
  search.Find(QStringLiteral("última"), Qt::CaseInsensitive, 1);
  EXPECT_EQ(search.PagesRead(), 0) << "nothing is read before the events run";
  ReadAll(search);
  EXPECT_EQ(search.PagesRead(), 300);
  ASSERT_EQ(search.Matches().size(), 1u);
  EXPECT_EQ(CurrentPage(search), 300);
  EXPECT_GE(heartbeats, 2) << "other events ran while the pages were read";
}

// Pages of a run going on are read as they are stored; a match asked for
// before its page is stored becomes current when the page arrives.
TEST_F(PageSearchTest, PagesArrivingAndReplaced) {
  auto printer = MakePrinter();
  printer->BeginRun();
  for (const QStringList& lines : {QStringList{"uno"}, QStringList{"dos"}, QStringList{"tres"}}) {
    printer->NewPage();
    DrawLines(*printer, lines);
  }
  // Pages 1 and 2 are stored; page 3 is still open.
  TQRPageSearch search([&] { return printer.get(); });
  search.Find(QStringLiteral("tres"), Qt::CaseInsensitive, 1);
  ReadAll(search);
  EXPECT_EQ(search.PagesRead(), 2);
  EXPECT_EQ(search.Current(), -1) << "not found yet, and no going round while pages come";

  printer->EndRun();
  DeliverNotices();
  search.PagesArrived();
  ReadAll(search);
  EXPECT_EQ(search.PagesRead(), 3);
  EXPECT_EQ(CurrentPage(search), 3);

  // Loading a file replaces the pages: the old ones' text is gone.
  const QString file = TempPath(QStringLiteral("other.QRP"));
  auto other = MakePrinter();
  RunTextPages(*other, {{"cuatro"}, {"tres y cinco"}});
  other->SavePrepared(file);
  printer->LoadPrepared(file);
  search.PagesReplaced();
  ReadAll(search);
  EXPECT_EQ(search.Matches(), std::vector<TQRTextMatch>({{2, 0, 4}}));
  EXPECT_EQ(CurrentPage(search), 2);

  // Another printer altogether: read anew as well.
  TQRPrinter* shown = other.get();
  TQRPageSearch following([&] { return shown; });
  following.Find(QStringLiteral("cuatro"), Qt::CaseInsensitive, 1);
  ReadAll(following);
  EXPECT_EQ(CurrentPage(following), 1);
  shown = printer.get();
  following.Find(QStringLiteral("uno"), Qt::CaseInsensitive, 1);
  ReadAll(following);
  EXPECT_TRUE(following.Matches().empty()) << "the loaded file has no page with uno";
}

// A page that is not a metafile has no text; the pages after it are read.
TEST_F(PageSearchTest, DamagedPageIsPassedOver) {
  auto maker = MakePrinter();
  RunTextPages(*maker, {{"antes"}, {"después"}});
  std::vector<QByteArray> pages;
  pages.push_back(maker->FetchPage(1)->ToBytes());
  pages.push_back(QByteArray(200, 'x'));
  pages.push_back(maker->FetchPage(2)->ToBytes());
  const QString file = TempPath(QStringLiteral("damaged.QRP"));
  WriteStoreFile(file, pages);
  auto printer = MakePrinter();
  printer->LoadPrepared(file);

  TQRPageSearch search([&] { return printer.get(); });
  search.Find(QStringLiteral("DESPUÉS"), Qt::CaseInsensitive, 1);
  ReadAll(search);
  EXPECT_EQ(search.PagesRead(), 3);
  EXPECT_EQ(CurrentPage(search), 3);
  EXPECT_TRUE(search.PageText(2).isEmpty());
}

}  // namespace
