// Saving and loading the store as a prepared report file, the paper found
// from a loaded file's first page, printing stored pages, and discarding.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "EQRError.h"
#include "Errors.h"
#include "Metafile.h"
#include "PrinterSettings.h"
#include "QRPrinter.h"
#include "qrprinter_fixture.h"
#include "qrprinter_notice_log.h"

namespace {

// A completed page-store run of `pages` pages, each with its mark.
void GenerateStore(TQRPrinter& printer, int pages) {
  printer.BeginRun();
  for (int page = 1; page <= pages; ++page) {
    printer.NewPage();
    DrawPageMark(printer, page);
  }
  printer.EndRun();
}

TEST_F(QRPrinterFixture, SavedStoreLoadsBackAsCompletePagesFromFile) {
  const QString file = TempPath("permit.QRP");
  {
    TQRPrinter printer;
    printer.SetPaperSize(TQRPaperSize::Letter);
    printer.SetOrientation(TPrinterOrientation::poLandscape);
    GenerateStore(printer, 3);
    printer.SavePrepared(file);
  }
  TQRPrinter loaded;
  loaded.OnPrintSetup = [](QObject*) {};
  loaded.OnExport = [](TQRExportFilter*) {};
  loaded.LoadPrepared(file);
  EXPECT_EQ(loaded.RunState(), TQRPrinterRunState::Complete);
  EXPECT_TRUE(loaded.LoadedFromFile());
  EXPECT_EQ(loaded.PageCount(), 3);
  EXPECT_FALSE(loaded.OnPrintSetup) << "a loaded file has no report to set up";
  EXPECT_FALSE(loaded.OnExport);
  auto page = loaded.FetchPage(3);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->Width(), 1056);
  EXPECT_EQ(loaded.FetchPage(4), nullptr);
  // Saving copies the loaded store unchanged.
  const QString copy = TempPath("copy.QRP");
  loaded.SavePrepared(copy);
  EXPECT_EQ(ReadAll(copy), ReadAll(file));
}

struct PaperCase {
  const char* name;
  QVector<std::int16_t> driverPapers;  // paper codes the scripted driver offers
  TQRPaperSize expected;
};

// Letter, LetterSmall and Note all measure 53 by 69 units of 4 mm: the last
// size the driver accepts wins.
const PaperCase kPaperCases[] = {
    {"LetterOnly", {1, 9}, TQRPaperSize::Letter},
    {"LetterAndNote", {1, 9, 18}, TQRPaperSize::Note},
    {"AllThree", {1, 2, 18}, TQRPaperSize::Note},
    {"LetterSmallAndA4", {2, 9}, TQRPaperSize::LetterSmall},
};

class QRPrinterPaperTest : public QRPrinterFixture,
                           public ::testing::WithParamInterface<PaperCase> {};

TEST_P(QRPrinterPaperTest, LoadedFileTakesPaperFromItsFirstPage) {
  const QString file = TempPath("letter.QRP");
  {
    TQRPrinter printer;
    printer.SetPaperSize(TQRPaperSize::Letter);
    printer.SetOrientation(TPrinterOrientation::poLandscape);
    GenerateStore(printer, 1);
    printer.SavePrepared(file);
  }
  SetDriverPapers(GetParam().driverPapers);
  TQRPrinter loaded;
  loaded.SetPaperSize(TQRPaperSize::A4);
  ASSERT_EQ(loaded.Orientation(), TPrinterOrientation::poPortrait);
  loaded.LoadPrepared(file);
  EXPECT_EQ(loaded.PaperSize(), GetParam().expected);
  EXPECT_EQ(loaded.Orientation(), TPrinterOrientation::poLandscape);
}

INSTANTIATE_TEST_SUITE_P(Drivers, QRPrinterPaperTest, ::testing::ValuesIn(kPaperCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct NoPrinterPaperCase {
  const char* name;
  TQRPaperSize size;
  TPrinterOrientation orientation;
  int width, length;          // tenths, portrait, handed over for Custom
  int pageWidth, pageHeight;  // the stored page at 96 dpi
  TQRPaperSize loadedSize;    // what a file of it loads as
  TPrinterOrientation loadedOrientation;
};

const NoPrinterPaperCase kNoPrinterPaperCases[] = {
    // Letter, LetterSmall and Note share the page's units; with no driver to
    // choose, the first in table order stands.
    {"LetterLandscape", TQRPaperSize::Letter, TPrinterOrientation::poLandscape, 0, 0, 1056, 816,
     TQRPaperSize::Letter, TPrinterOrientation::poLandscape},
    // 559 pixels are 147.9 mm, short of A5's 37th unit of 4 mm: the page
    // matches no size and keeps its own extent.
    {"A5Portrait", TQRPaperSize::A5, TPrinterOrientation::poPortrait, 0, 0, 559, 794,
     TQRPaperSize::Custom, TPrinterOrientation::poPortrait},
    // A custom page in landscape is handed over portrait; loaded, it keeps
    // its own extent, as it stands.
    {"CustomLandscape", TQRPaperSize::Custom, TPrinterOrientation::poLandscape, 1000, 1500, 567,
     378, TQRPaperSize::Custom, TPrinterOrientation::poPortrait},
};

class QRPrinterNoPrinterPaperTest : public QRPrinterFixture,
                                    public ::testing::WithParamInterface<NoPrinterPaperCase> {};

TEST_P(QRPrinterNoPrinterPaperTest, PagesAndLoadedFilesKeepThePaperAskedFor) {
  const NoPrinterPaperCase& c = GetParam();
  SetNoPrinters();
  const QString file = TempPath("paper.QRP");
  {
    TQRPrinter printer;
    printer.SetPaperSize(c.size);
    printer.SetPaperWidth(c.width);
    printer.SetPaperLength(c.length);
    printer.SetOrientation(c.orientation);
    GenerateStore(printer, 1);
    // The printer's own settings keep theirs: there is no driver to take more.
    EXPECT_EQ(printer.Settings().PaperSize(), TQRPaperSize::A4);
    const auto page = printer.FetchPage(1);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(QSize(page->Width(), page->Height()), QSize(c.pageWidth, c.pageHeight));
    printer.SavePrepared(file);
  }
  TQRPrinter loaded;
  loaded.LoadPrepared(file);
  EXPECT_EQ(loaded.PaperSize(), c.loadedSize);
  EXPECT_EQ(loaded.Orientation(), c.loadedOrientation);
  // The preview frames the page with the paper: the page's own size.
  EXPECT_EQ(QSize(loaded.DeviceWidth(loaded.OrientedPaperWidth()),
                  loaded.DeviceHeight(loaded.OrientedPaperLength())),
            QSize(c.pageWidth, c.pageHeight));
}

INSTANTIATE_TEST_SUITE_P(Papers, QRPrinterNoPrinterPaperTest,
                         ::testing::ValuesIn(kNoPrinterPaperCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QRPrinterFixture, FailedLoadLeavesAnIdlePrinterWithoutPages) {
  QByteArray damaged;
  {
    TQRPrinter printer;
    GenerateStore(printer, 2);
    damaged = SaveToBytes(printer);
  }
  damaged.replace(128 + 8 + 40, 4, "XXXX");  // the first metafile's signature
  // A missing file, one too short for the header test, a damaged first page.
  const QString files[] = {TempPath("missing.QRP"), WriteFile("tiny.QRP", QByteArray(40, '\0')),
                           WriteFile("broken.QRP", damaged)};
  for (const QString& file : files) {
    SCOPED_TRACE(file.toStdString());
    TQRPrinter printer;
    GenerateStore(printer, 2);
    EXPECT_THROW(printer.LoadPrepared(file), EError);
    EXPECT_EQ(printer.RunState(), TQRPrinterRunState::Idle);
    EXPECT_EQ(printer.PageCount(), 0);
    EXPECT_FALSE(printer.LoadedFromFile());
    EXPECT_EQ(printer.FetchPage(1), nullptr);
  }
  // A file that was loaded, even a damaged one, is never deleted.
  EXPECT_TRUE(QFileInfo::exists(files[2]));
}

TEST_F(QRPrinterFixture, SaveBeforeCompleteWritesNothing) {
  TQRPrinter printer;
  const QString file = TempPath("early.QRP");
  printer.SavePrepared(file);
  printer.BeginRun();
  printer.NewPage();
  printer.SavePrepared(file);
  EXPECT_FALSE(QFileInfo::exists(file));
}

TEST_F(QRPrinterFixture, SavingOverTheLoadedFileFailsAndKeepsIt) {
  const QString file = TempPath("self.QRP");
  {
    TQRPrinter printer;
    GenerateStore(printer, 2);
    printer.SavePrepared(file);
  }
  const QByteArray before = ReadAll(file);
  TQRPrinter loaded;
  loaded.LoadPrepared(file);
  try {
    loaded.SavePrepared(file);
    ADD_FAILURE() << "saved over its own file";
  } catch (const EError& e) {
    EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Cannot create file \""))) << e.what();
  }
  EXPECT_EQ(ReadAll(file), before);
}

TEST_F(QRPrinterFixture, SpilledStoreFileIsDeletedWithThePages) {
  const QStringList before = StoreFiles();
  {
    TQRPrinter printer;
    printer.BeginRun();
    for (int page = 1; page <= 40; ++page) {
      printer.NewPage();
      DrawBusyPage(printer, page);
    }
    printer.EndRun();
    const QStringList during = StoreFiles();
    ASSERT_EQ(during.size(), before.size() + 1) << "the store moved to a QRP….TMP file";
    EXPECT_NE(printer.FetchPage(40), nullptr);
  }
  EXPECT_EQ(StoreFiles(), before);
}

TEST_F(QRPrinterFixture, LoadingDiscardsAGeneratingRun) {
  const QString file = TempPath("other.QRP");
  {
    TQRPrinter printer;
    GenerateStore(printer, 1);
    printer.SavePrepared(file);
  }
  TQRPrinter printer;
  printer.BeginRun();
  printer.NewPage();
  printer.LoadPrepared(file);
  EXPECT_TRUE(printer.CancelRequested()) << "the running generation is told to stop";
  EXPECT_EQ(printer.RunState(), TQRPrinterRunState::Complete);
  EXPECT_EQ(printer.PageCount(), 1);
  EXPECT_THROW(printer.NewPage(), EQRError);
  // The request that stopped the generation does not stop printing the file.
  printer.PrintPages();
  ExpectStretchedJob(QString(), 1);
}

// EndRun lets messages run once the run is complete, and a preview may save
// or load then: a save takes the final page count, a load is left alone.
TEST_F(QRPrinterFixture, SaveWhileEndRunLetsMessagesRunHasTheFinalCount) {
  const QString file = TempPath("during.QRP");
  TQRPrinter printer;
  printer.BeginRun();
  for (int page = 1; page <= 3; ++page) {
    printer.NewPage();
    DrawPageMark(printer, page);
  }
  RunAtProcessing(1, [&] { printer.SavePrepared(file); });
  printer.EndRun();
  EXPECT_EQ(HeaderPageCount(ReadAll(file)), 3);
  EXPECT_EQ(ReadAll(file), SaveToBytes(printer));
}

TEST_F(QRPrinterFixture, LoadWhileEndRunLetsMessagesRunIsLeftAlone) {
  const QString file = TempPath("loaded.QRP");
  {
    TQRPrinter printer;
    GenerateStore(printer, 1);
    printer.SavePrepared(file);
  }
  const QByteArray before = ReadAll(file);
  TQRPrinter printer;
  TNoticeLog preview;
  printer.SetListener(&preview);
  printer.BeginRun();
  printer.NewPage();
  printer.NewPage();
  RunAtProcessing(1, [&] { printer.LoadPrepared(file); });
  EXPECT_NO_THROW(printer.EndRun());
  EXPECT_TRUE(printer.LoadedFromFile());
  EXPECT_EQ(printer.PageCount(), 1);
  EXPECT_EQ(ReadAll(file), before);
  // The run's last page is not announced for the loaded pages.
  EXPECT_EQ(preview.Flush(), QStringList{"ready 1"});
}

// ---- printing stored pages -------------------------------------------------

TEST_F(QRPrinterFixture, PrintPagesOfAReportPostsThePrintRequestOnly) {
  TQRPrinter printer;
  TNoticeLog report;
  printer.SetOwnerReport(&report);
  GenerateStore(printer, 2);
  printer.PrintPages();
  EXPECT_EQ(report.Flush(), QStringList{"print"});
  ExpectNoJob();
}

TEST_F(QRPrinterFixture, PrintPagesOfALoadedFilePrintsTheStoredPages) {
  const QString file = TempPath("print.QRP");
  {
    TQRPrinter printer;
    GenerateStore(printer, 3);
    printer.SavePrepared(file);
  }
  TQRPrinter printer;
  TNoticeLog report;
  printer.SetOwnerReport(&report);
  printer.SetJobTitle(QStringLiteral("Archivo"));
  printer.LoadPrepared(file);
  printer.PrintPages();
  EXPECT_TRUE(report.Flush().isEmpty());
  ExpectStretchedJob(QStringLiteral("Archivo"), 3);
}

struct RangeCase {
  const char* name;
  int first;
  int last;
  int printed;  // pages in the job; 0: no job at all
};

const RangeCase kRangeCases[] = {
    {"All", 0, 0, 3},
    {"Middle", 2, 2, 1},
    {"FromTwo", 2, 0, 2},
    // Only pages that exist are printed, and a range that selects none
    // starts no job.
    {"LastBeyondTheStore", 2, 9, 2},
    {"FirstBeyondTheStore", 5, 0, 0},
    {"Reversed", 3, 2, 0},
};

class QRPrinterPrintRangeTest : public QRPrinterFixture,
                                public ::testing::WithParamInterface<RangeCase> {};

TEST_P(QRPrinterPrintRangeTest, UnownedPagesPrintWithinTheRange) {
  TQRPrinter printer;
  GenerateStore(printer, 3);
  printer.SetRangeFirst(GetParam().first);
  printer.SetRangeLast(GetParam().last);
  printer.PrintPages();
  if (GetParam().printed == 0) {
    ExpectNoJob();
  } else {
    ExpectStretchedJob(QString(), GetParam().printed, std::max(GetParam().first, 1));
  }
}

INSTANTIATE_TEST_SUITE_P(Ranges, QRPrinterPrintRangeTest, ::testing::ValuesIn(kRangeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QRPrinterFixture, PrintPagesDoesNothingBeforeCompleteOrWithoutPrinters) {
  {
    TQRPrinter printer;
    printer.BeginRun();
    printer.NewPage();
    printer.PrintPages();
    ExpectNoJob();
  }
  SetNoPrinters();
  TQRPrinter printer;
  EXPECT_FALSE(printer.HasPrinters());
  GenerateStore(printer, 1);
  printer.PrintPages();
  ExpectNoJob();
}

TEST_F(QRPrinterFixture, CancelStopsPrintingStoredPagesAndAbortsTheJob) {
  TQRPrinter printer;
  GenerateStore(printer, 3);
  CancelAfterPages(printer, 1);
  printer.PrintPages();
  ExpectAborted();
  // Page 1 went out, then the job was cut.
  EXPECT_EQ(script->journal, (QStringList{"SetTitle \"\"", "BeginDoc", "NewPage", "Abort"}));
  ASSERT_FALSE(script->pages.empty());
  EXPECT_TRUE(script->pages[0].join('\n').contains(PageMark(1)));
}

// The Print button pressed again, or a file loaded, while stored pages print:
// the job of the first print has been aborted meanwhile, and that print stops
// quietly instead of drawing on a job that is gone.
TEST_F(QRPrinterFixture, StoredPagesStopQuietlyWhenTheirJobIsTakenOver) {
  struct Case {
    const char* name;
    bool loadFile;
    QStringList journal;
  };
  const QStringList firstPage{"SetTitle \"\"", "BeginDoc", "NewPage"};
  const Case cases[] = {
      {"print again", false,
       firstPage +
           QStringList{"SetTitle \"\"", "Abort", "BeginDoc", "NewPage", "NewPage", "EndDoc"}},
      {"load a file", true, firstPage + QStringList{"Abort"}},
  };
  const QString file = TempPath("other.QRP");
  {
    TQRPrinter printer;
    GenerateStore(printer, 1);
    printer.SavePrepared(file);
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    script->journal.clear();
    TQRPrinter printer;
    GenerateStore(printer, 3);
    RunAtProcessing(2, [&] {
      if (c.loadFile) {
        printer.LoadPrepared(file);
      } else {
        printer.PrintPages();
      }
    });
    EXPECT_NO_THROW(printer.PrintPages());
    EXPECT_EQ(script->journal, c.journal);
    EXPECT_FALSE(Device().Printing());
  }
}

// The preview of a loaded file closed while its pages print: the report frees
// the printer from inside the print loop's message processing.
TEST_F(QRPrinterFixture, PrinterFreedWhilePrintingStoredPagesEndsTheJobSafely) {
  auto* printer = new TQRPrinter;
  GenerateStore(*printer, 3);
  RunAtProcessing(2, [&printer] {
    delete printer;
    printer = nullptr;
  });
  printer->PrintPages();
  EXPECT_EQ(printer, nullptr);
  EXPECT_EQ(script->journal, (QStringList{"SetTitle \"\"", "BeginDoc", "NewPage", "Abort"}));
}

}  // namespace
