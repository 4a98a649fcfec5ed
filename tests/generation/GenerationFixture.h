#pragma once
// What every generation test stands on:
//  - every report printer gets a scripted printer driver at 600 dpi whose
//    printable area starts 300 px from the left and 600 px from the top, so
//    the offsets are whole tenths of a millimetre (127 and 254); a device
//    run draws each page on a logging canvas (10 px per character, text 16
//    px high), kept in script->pages;
//  - reports measure their text for line layout on a fake canvas whose
//    every character is 10 pixels wide (a text of n characters measures
//    10 n + 1) and whose text is 16 pixels high;
//  - the preview is a fake window (TFakePreview) that listens to its
//    printer and, once the run is complete, presses Print and Close as the
//    test scripted it, one step per turn of the message loop;
//  - the printing-progress window is a probe that logs when it opens and
//    goes, unless a test installs another;
//  - error boxes are recorded, not shown.
// Reports are built in Native units: every measure a test writes is in
// tenths of a millimetre.

#include <gtest/gtest.h>

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <ostream>

#include "FakeCanvas.h"
#include "QRBand.h"
#include "QRLabel.h"
#include "QRPreviewLink.h"
#include "QRReport.h"
#include "QRTextMeasure.h"
#include "ScriptedDialogs.h"
#include "ScriptedPrinter.h"

class TQRPrinter;

inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

inline constexpr int kLeftOffsetTenths = 127;  // 300 px at 600 dpi
inline constexpr int kTopOffsetTenths = 254;   // 600 px at 600 dpi

// Device pixels of the scripted printer for a position in tenths of a
// millimetre from the paper's corner.
int DevX(double tenths);
int DevY(double tenths);

// What the fake preview does once its run is complete: "print" (the Print
// button), "setup" (Printer setup), "export" (saving through an export
// filter), "again" (the report's ShowPreview called once more), "hook" (the
// test's own step) or "close".
struct TFakePreviewScript {
  QStringList steps;
  std::function<void()> hook;
  bool closeWhileGenerating = false;  // close at the first page-ready notice of the run
  TQRCustomReport* report = nullptr;  // the preview waits while this report is busy
  QStringList* log = nullptr;         // "preview shows N pages" when the run is complete
};

class TFakePreview : public QObject, public TQRPreviewLink {
 public:
  TFakePreview(TQRPrinter* printer, TFakePreviewScript script);
  // Like the real preview control, a preview that goes stops showing its printer.
  ~TFakePreview() override;
  void ForgetPrinter(TQRPrinter* printer) override;
  bool event(QEvent* e) override;

  static TFakePreviewScript next;  // the script of the next preview opened
  static int opened;               // previews opened so far

 private:
  bool Busy() const;
  void Start();
  void Step();
  TQRPrinter* printer_;
  TFakePreviewScript script_;
  bool started_ = false;
};

class GenerationTest : public ::testing::Test {
 protected:
  GenerationTest();
  ~GenerationTest() override;

  // A report on `form`: Letter portrait, margins of 100 tenths, in Native units.
  TQRReport& NewReport();
  TQRCustomBand& AddBand(TQRCustomReport& report, TQRBandType type, double height);
  // A label on `parent` at stored tenths; AutoSize off unless asked for.
  TQRLabel& AddLabel(TQRControl& parent, const QString& caption, double left, double top,
                     double width, double height, bool autoSize = false);
  // Report and band events of `report` (and its bands now on it) logged as
  // "BeforePrint(report)", "OnStartPage", "AfterPrint(DetailBand1,1)", ...
  void LogEvents(TQRCustomReport& report);
  // The preview of the next ShowPreview runs `steps`.
  void ScriptPreview(TQRCustomReport& report, const QStringList& steps);

  // The texts written on device page `page` (1-based), in order.
  QStringList TextsOnPage(int page) const;
  // The full TextOut lines of device page `page`.
  QStringList TextOutsOnPage(int page) const;
  // Lines of device page `page` starting with `verb`.
  QStringList CallsOnPage(int page, const QString& verb) const;
  int DevicePages() const { return int(script->pages.size()); }

  std::shared_ptr<TScriptedPrinterScript> script;
  ScopedPrinterDeviceFactory factory;
  std::unique_ptr<TPrinterDevice> appPrinter;
  ScopedPrinterDevice appPrinterScope;
  TFakeCanvas measuring{96, 16};
  ScopedMeasuringCanvas measuringScope{&measuring};
  TScriptedDialogs dialogs;
  QStringList log;
  QObject previewOwner;  // the fake previews still open; freed after the reports
  TQRComponent form{nullptr};
};
