#pragma once
// Every report printer test runs on a scripted printer driver (600 dpi,
// printable area 300 px from the left and 600 px from the top edge, so that
// the offsets are whole tenths of a millimetre) and with its own temporary
// folder, where spilled stores and saved files land.
//
// Pages carry a mark ("page 3") that shows on the scripted printer's page
// logs, whether the page was drawn there directly or replayed from a stored
// metafile.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>
#include <functional>
#include <memory>
#include <ostream>

#include "ScriptedPrinter.h"

class TQRPrinter;

// Readable failure messages for texts and lists of texts.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

inline constexpr int kDeviceDpi = 600;
inline constexpr int kLeftOffsetPixels = 300;
inline constexpr int kTopOffsetPixels = 600;
inline constexpr int kLeftOffsetTenths = 127;  // 300 px at 600 dpi
inline constexpr int kTopOffsetTenths = 254;

// The mark drawn on page `page`: "page <n>".
QString PageMark(int page);
// Writes the page's mark near the top-left corner of the paper.
void DrawPageMark(TQRPrinter& printer, int page);
// The mark and enough text to make a page of several kilobytes.
void DrawBusyPage(TQRPrinter& printer, int page);
// The printer's store as a saved prepared report file.
QByteArray SaveToBytes(TQRPrinter& printer);
int HeaderPageCount(const QByteArray& file);
QByteArray ReadAll(const QString& path);

class QRPrinterFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::shared_ptr<TScriptedPrinterScript> script;

  // The printer object the last TQRPrinter made.
  TScriptedPrinter& Device() const;

  QString TempPath(const QString& name) const;
  // Writes `bytes` to TempPath(name) and returns that path.
  QString WriteFile(const QString& name, const QByteArray& bytes) const;
  // "QRP<hex>.TMP" files in the temporary folder.
  QStringList StoreFiles() const;

  // Driver settings, effective for printers made afterwards.
  void SetDriverPapers(const QVector<std::int16_t>& codes);
  void SetNoPrinters();
  // Has `printer` cancelled while the message queue is processed for the
  // page after `pages` pages.
  void CancelAfterPages(TQRPrinter& printer, int pages);
  // Runs `action` when the message queue is processed for the
  // `processings`-th time from now.
  void RunAtProcessing(int processings, std::function<void()> action);

  // The journal of one job holding exactly `marks`, page by page, ended.
  void ExpectJob(const QString& title, const QStringList& marks) const;
  // The stored pages 1..count (or the given first page on) replayed
  // stretched over the printable area, one device page each.
  void ExpectStretchedJob(const QString& title, int count, int firstPage = 1) const;
  void ExpectNoJob() const;
  void ExpectAborted() const;

 private:
  std::unique_ptr<QTemporaryDir> temp_;
  QByteArray savedTmpDir_;
  bool hadTmpDir_ = false;
  std::unique_ptr<ScopedPrinterDeviceFactory> factory_;
  TScriptedPrinter* lastDevice_ = nullptr;
  std::unique_ptr<QObject> delayed_;
};
