// Saving as PDF from the preview: the save dialog lists the registered
// export filters after the prepared report file; the PDF filter writes every
// stored page at its paper size with its text, for generated pages, loaded
// files and Windows programs' pages; failures leave nothing behind.
// And every command from the keyboard: print, save, load, find.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>

#include "Metafile.h"
#include "QRExportFilter.h"
#include "QRFindBar.h"
#include "QRNotices.h"
#include "QRPdfFilter.h"
#include "QRPreview.h"
#include "QRPrinter.h"
#include "QRStandardPreview.h"
#include "ScriptedPrinter.h"
#include "preview_fixture.h"

namespace {

QString Tool(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(60000)) {
    process.kill();
    process.waitForFinished();
    ADD_FAILURE() << program.toStdString() << " did not finish";
    return {};
  }
  EXPECT_EQ(process.exitCode(), 0)
      << program.toStdString() << ": " << process.readAllStandardError().toStdString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

// "w x h" of each page, points.
QStringList PageSizes(const QString& pdf) {
  const QString info =
      Tool(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                       QStringLiteral("-l"), QStringLiteral("9999"), pdf});
  QStringList sizes;
  static const QRegularExpression size(QStringLiteral("Page +\\d+ size: +([0-9.]+ x [0-9.]+) pts"));
  for (auto m = size.globalMatch(info); m.hasNext();) sizes << m.next().captured(1);
  return sizes;
}

class PreviewExportTest : public PreviewFixture {
 protected:
  TQRPdfFilter pdf_;
  TQRExportFilterRegistration offered_{&pdf_};
};

QWidget* KeyTarget(QWidget* window) {
  QWidget* focus = QApplication::focusWidget();
  return focus ? focus : window;
}

void Activate(QWidget* window) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

const std::vector<QStringList> kPages = {
    {"PERMISO DE CIRCULACIÓN", "Comisión: revisión"},
    {"Vehículo oficial"},
    {"Conductor: Juan Pérez López"},
};

TEST_F(PreviewExportTest, TheSaveDialogOffersPdfAfterThePreparedFile) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenWindow(*printer);
  RunTextPages(*printer, kPages);
  DeliverNotices();
  const QString base = TempPath(QStringLiteral("permiso"));
  files.Answer(base, 2);
  window->SaveClick();
  ASSERT_EQ(files.saveRequests.size(), 1);
  EXPECT_EQ(files.saveRequests[0].filter,
            QStringLiteral("Corvelle file(*.QRP)|*.QRP|PDF file (*.pdf)|*.pdf"));
  EXPECT_EQ(files.saveRequests[0].defaultExtension, QStringLiteral("QRP"))
      << "the prepared report file stays the default";
  const QString pdf = base + QStringLiteral(".pdf");
  ASSERT_TRUE(QFileInfo::exists(pdf));
  EXPECT_FALSE(QFileInfo::exists(base + QStringLiteral(".QRP")));
  EXPECT_EQ(PageSizes(pdf), QStringList({"792 x 612", "792 x 612", "792 x 612"}));
  const QString text = Tool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  const QStringList pages = text.split(u'\f');
  ASSERT_GE(pages.size(), 3);
  EXPECT_TRUE(pages[0].contains(QStringLiteral("PERMISO DE CIRCULACIÓN")));
  EXPECT_TRUE(pages[0].contains(QStringLiteral("Comisión: revisión")));
  EXPECT_TRUE(pages[1].contains(QStringLiteral("Vehículo oficial")));
  EXPECT_TRUE(pages[2].contains(QStringLiteral("Juan Pérez López")));
  EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join(u'\n').toStdString();
}

// A loaded file has no report to make its pages again: the export writes
// the stored pages, ours and a Windows program's, each at its own size.
TEST_F(PreviewExportTest, LoadedPagesOfAnyMakerAreWritten) {
  auto maker = MakePrinter();
  RunTextPages(*maker, {{"Página propia"}});
  const QString file = TempPath(QStringLiteral("mixed.QRP"));
  const QByteArray windowsPage = WindowsMadePage();
  WriteStoreFile(file, {maker->FetchPage(1)->ToBytes(), windowsPage});
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenWindow(*printer);
  files.Answer(file);
  window->LoadClick();
  ASSERT_EQ(window->PanelText(1), QStringLiteral("Page 1 of 2"));

  const QString pdf = TempPath(QStringLiteral("mixed.pdf"));
  files.Answer(pdf, 2);
  window->SaveClick();
  const TMetafile windows = TMetafile::FromBytes(windowsPage);
  const QStringList sizes = PageSizes(pdf);
  ASSERT_EQ(sizes.size(), 2);
  EXPECT_EQ(sizes[0], QStringLiteral("792 x 612"));
  const QStringList second = sizes[1].split(QStringLiteral(" x "));
  EXPECT_NEAR(second.value(0).toDouble(), windows.Width() * 0.75, 0.01);
  EXPECT_NEAR(second.value(1).toDouble(), windows.Height() * 0.75, 0.01);
  const QString text = Tool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  EXPECT_TRUE(text.contains(QStringLiteral("Página propia")));
  EXPECT_TRUE(text.contains(QStringLiteral("Tracé 1D des Coordonnées")));
}

// A place no file can be made, a page that cannot be read half-way, and the
// file the pages are read from: the error is shown, nothing is left behind
// and an earlier file of the name stays as it was.
TEST_F(PreviewExportTest, FailuresLeaveNothingBehind) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenWindow(*printer);
  RunTextPages(*printer, kPages);
  DeliverNotices();
  const QDir folder(TempPath(QString()));
  auto contents = [&] {
    return folder.entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
  };

  // A "folder" that is a plain file.
  QFile plain(TempPath(QStringLiteral("plain")));
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  files.Answer(TempPath(QStringLiteral("plain/out.pdf")), 2);
  window->SaveReport->click();
  ASSERT_EQ(dialogs.shown.size(), 1);
  EXPECT_TRUE(dialogs.shown[0].contains(QStringLiteral("Cannot create file")))
      << dialogs.shown[0].toStdString();
  EXPECT_EQ(contents(), QStringList({"plain"}));

  // A damaged second page: the export stops there, the earlier PDF stays.
  auto maker = MakePrinter();
  RunTextPages(*maker, {{"uno"}, {"tres"}});
  const QString damaged = TempPath(QStringLiteral("damaged.QRP"));
  WriteStoreFile(damaged, {maker->FetchPage(1)->ToBytes(), QByteArray(300, 'x'),
                           maker->FetchPage(2)->ToBytes()});
  files.Answer(damaged);
  window->LoadReport->click();
  const QString out = TempPath(QStringLiteral("out.pdf"));
  QFile earlier(out);
  ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
  earlier.write("an earlier file");
  earlier.close();
  dialogs.shown.clear();
  files.Answer(out, 2);
  window->SaveReport->click();
  ASSERT_EQ(dialogs.shown.size(), 1);
  EXPECT_TRUE(dialogs.shown[0].contains(QStringLiteral("Metafile is not valid")))
      << dialogs.shown[0].toStdString();
  ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
  EXPECT_EQ(earlier.readAll(), QByteArray("an earlier file"));
  earlier.close();
  EXPECT_EQ(contents(), QStringList({"damaged.QRP", "out.pdf", "plain"}));

  // Over the very file the pages are loaded from: refused, the file whole.
  const QByteArray before = [&] {
    QFile f(damaged);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }();
  files.Answer(damaged, 2);
  dialogs.shown.clear();
  window->SaveReport->click();
  ASSERT_EQ(dialogs.shown.size(), 1);
  EXPECT_TRUE(dialogs.shown[0].contains(QStringLiteral("Cannot create file")));
  QFile after(damaged);
  ASSERT_TRUE(after.open(QIODevice::ReadOnly));
  EXPECT_EQ(after.readAll(), before);
}

// Every command from the keyboard, sent where the keyboard sends it.
TEST_F(PreviewExportTest, PrintSaveLoadAndFindFromTheKeyboard) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenWindow(*printer);
  RunTextPages(*printer, kPages);
  DeliverNotices();
  Activate(window);

  // Save: Ctrl+S opens the save dialog; the prepared file is written.
  const QString saved = TempPath(QStringLiteral("saved"));
  files.Answer(saved);
  QTest::keyClick(KeyTarget(window), Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(files.saveRequests.size(), 1);
  EXPECT_TRUE(QFileInfo::exists(saved + QStringLiteral(".QRP")));

  // Load: Ctrl+O opens the open dialog and loads; Print is enabled then.
  auto other = MakePrinter();
  RunTextPages(*other, {{"uno"}, {"dos"}});
  const QString loaded = TempPath(QStringLiteral("other.QRP"));
  other->SavePrepared(loaded);
  files.Answer(loaded);
  QTest::keyClick(KeyTarget(window), Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(files.openRequests.size(), 1);
  EXPECT_EQ(window->PanelText(1), QStringLiteral("Page 1 of 2"));
  ASSERT_TRUE(window->Print->isEnabled());

  // Print: Ctrl+P prints the loaded pages on the scripted printer.
  script->journal.clear();
  script->pages.clear();
  QTest::keyClick(KeyTarget(window), Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(script->journal, QStringList({"SetTitle \"\"", "BeginDoc", "NewPage", "EndDoc"}));
  EXPECT_EQ(script->pages.size(), 2u);

  // Find: Ctrl+F puts the focus in the find bar.
  QTest::keyClick(KeyTarget(window), Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(window->FindBar->FindText));
  QTest::keyClicks(KeyTarget(window), QStringLiteral("dos"));
  for (int i = 0; i < 100 && window->QRPreview->PageNumber() != 2; ++i)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_EQ(window->QRPreview->PageNumber(), 2);
  // The other commands' keys work from the find bar's text box as well.
  QTest::keyClick(KeyTarget(window), Qt::Key_F4);
  EXPECT_FALSE(window->Thumbnails->isChecked());
  QTest::keyClick(KeyTarget(window), Qt::Key_PageUp);
  EXPECT_EQ(window->QRPreview->PageNumber(), 1);
}

// A disabled command does nothing by its key either.
TEST_F(PreviewExportTest, KeysOfDisabledCommandsDoNothing) {
  auto printer = MakePrinter();
  TQRStandardPreview* window = OpenWindow(*printer);
  RunTextPages(*printer, kPages, false);  // still generating
  DeliverNotices();
  Activate(window);
  ASSERT_FALSE(window->Print->isEnabled());
  int setups = 0;
  printer->OnPrintSetup = [&](QObject*) { ++setups; };
  QTest::keyClick(KeyTarget(window), Qt::Key_P, Qt::ControlModifier);
  QTest::keyClick(KeyTarget(window), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(script->journal.isEmpty());
  EXPECT_EQ(setups, 0);
  printer->EndRun();
  DeliverNotices();
}

}  // namespace
