#pragma once
// Every preview test runs on a scripted printer driver (600 dpi, Letter),
// with message boxes and file dialogs answered by the test, and with its own
// temporary folder. Printers are set to landscape Letter, so that a stored
// page is 1056 x 816 pixels on the 96 dpi offscreen screen.
//
// Pages are made by hand: BeginRun, NewPage, a black block and a mark drawn
// on the page canvas, EndRun.

#include <gtest/gtest.h>

#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <ostream>
#include <vector>

#include "DialogBackend.h"
#include "PrinterDevice.h"
#include "QRFileDialog.h"
#include "ScriptedPrinter.h"

class TQRPrinter;
class TQRStandardPreview;

inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

// The block drawn on every page, tenths of a millimetre from the paper's
// corner: 1 inch in from the left and top edges, 2 inches wide, 1 inch high.
inline const QRect kBlockTenths(254, 254, 508, 254);

// Message boxes and message dialogs as lines "title: text"; dialogs are
// answered with OK.
class TRecordingDialogs : public platform::IDialogBackend {
 public:
  QStringList shown;
  int ExecMessageDialog(const platform::MessageDialogRequest& request) override;
  void ExecMessageBox(const platform::MessageBoxRequest& request) override;
};

// Answers the file dialogs in order; with no answer left, the user cancels.
class TScriptedFileDialog : public TQRFileDialog {
 public:
  std::deque<TQRFileDialogAnswer> answers;
  QList<TQRFileDialogRequest> saveRequests;
  QList<TQRFileDialogRequest> openRequests;

  void Answer(const QString& fileName, int filterIndex = 1) {
    answers.push_back({true, fileName, filterIndex});
  }
  TQRFileDialogAnswer RunSave(const TQRFileDialogRequest& request) override;
  TQRFileDialogAnswer RunOpen(const TQRFileDialogRequest& request) override;

 private:
  TQRFileDialogAnswer Next();
};

// Draws the block and the mark "page <n>" on the open page.
void DrawPage(TQRPrinter& printer, int page);
// Writes `lines` on the open page, 12 pt, one below the other from an inch
// in from the left and top edges.
void DrawLines(TQRPrinter& printer, const QStringList& lines);
// BeginRun and one page of lines for each entry; EndRun unless `finish` is
// false.
void RunTextPages(TQRPrinter& printer, const std::vector<QStringList>& pages, bool finish = true);
// A prepared report file holding the given metafiles (EMF bytes) as pages.
void WriteStoreFile(const QString& path, const std::vector<QByteArray>& pages);
// The EMF page of a Windows program: test-001.emf of the graphics tests.
QByteArray WindowsMadePage();
// BeginRun and `pages` pages; EndRun unless `finish` is false.
void RunPages(TQRPrinter& printer, int pages, bool finish = true);
// Delivers the posted notices.
void DeliverNotices();

class PreviewFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A printer on the scripted driver, landscape Letter.
  std::unique_ptr<TQRPrinter> MakePrinter() const;
  // The window as the standard preview factory opens it: shown, with its
  // page status written.
  TQRStandardPreview* OpenWindow(TQRPrinter& printer);
  // The window opened as a report opens it: before the run that fills it;
  // the run's notices are delivered.
  TQRStandardPreview* OpenOnPages(TQRPrinter& printer, int pages);
  QString TempPath(const QString& name) const { return temp_.filePath(name); }

  std::shared_ptr<TScriptedPrinterScript> script = std::make_shared<TScriptedPrinterScript>();
  TRecordingDialogs dialogs;
  TScriptedFileDialog files;

 private:
  QTemporaryDir temp_;
  std::unique_ptr<ScopedPrinterDeviceFactory> printers_;
  std::unique_ptr<platform::ScopedDialogBackend> dialogScope_;
  std::unique_ptr<ScopedFileDialog> fileScope_;
  QList<QPointer<TQRStandardPreview>> windows_;
};
