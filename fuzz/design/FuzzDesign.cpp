// Arbitrary bytes as a report design: loading must either succeed or raise
// one of the engine's errors, leaving nothing created behind; a design that
// loads is then generated into a page store, which must end (no design makes
// pages without end) with one of the engine's errors or none, and leave no
// temporary page file. Nothing may crash, hang or allocate without bound.
//
//   ASAN_OPTIONS=detect_leaks=0 \
//     fuzz_design -max_total_time=300 -timeout=10 -rss_limit_mb=2048 CORPUS fuzz/design/seeds
//
// (fontconfig keeps its font cache for the life of the process, which the
// leak checker would report at exit.)

#include <QDir>
#include <QGuiApplication>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "DesignLoader.h"
#include "Errors.h"
#include "PrinterDevice.h"
#include "QRPrinter.h"
#include "QRReport.h"

namespace {

// No printer installed: a new report keeps its own paper and the printer it
// makes for the moment reads nothing.
class TNoPrinter : public TPrinterDevice {
 public:
  QStringList Printers() const override { return {}; }
  int PrinterIndex() const override { return -1; }
  void SetPrinterIndex(int) override {}
  TPrinterNames Names() const override { return {}; }
  std::optional<TDeviceMode> DeviceMode() const override { return std::nullopt; }
  void SetPrinter(const TPrinterNames&, const std::optional<TDeviceMode>&) override {}
  std::uint32_t SupportedFields() const override { return 0; }
  QVector<std::int16_t> PaperCodes() const override { return {}; }
  QString DriverPath() const override { return {}; }
  int LogPixelsX() const override { return 0; }
  int LogPixelsY() const override { return 0; }
  int PhysicalOffsetX() const override { return 0; }
  int PhysicalOffsetY() const override { return 0; }
  int PhysicalWidth() const override { return 0; }
  int PhysicalHeight() const override { return 0; }
  int PageWidth() const override { return 0; }
  int PageHeight() const override { return 0; }
  void SetTitle(const QString&) override {}
  void BeginDoc() override { throw std::logic_error("no printer"); }
  void NewPage() override { throw std::logic_error("no printer"); }
  void EndDoc() override {}
  void Abort() override {}
  bool Printing() const override { return false; }
  TCanvas& Canvas() override { throw std::logic_error("no printer"); }
};

// Fonts and the report's reference device need a GUI application. Spilled
// page stores go to a folder of the fuzzer's own, checked after each run.
struct TFuzzEnvironment {
  TFuzzEnvironment() : factory([] { return std::make_unique<TNoPrinter>(); }) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TMPDIR", tempFolder.path().toLocal8Bit());
    static int argc = 1;
    static char name[] = "fuzz_design";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
  }
  QTemporaryDir tempFolder;
  ScopedPrinterDeviceFactory factory;
  std::unique_ptr<QGuiApplication> app;
};

// The design's pages, generated into a page store as a preview's run does
// (no window); the store goes with its printer.
void Generate(TQRReport& report) {
  report.AttachNewPrinter();
  const std::unique_ptr<TQRPrinter> printer(report.QRPrinter);
  try {
    report.GenerateReport();
  } catch (const EError&) {
  }
  report.QRPrinter = nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TFuzzEnvironment env;
  const QString text =
      QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  TQRComponent form(nullptr);
  auto* report = new TQRReport(&form);
  try {
    LoadDesign(*report, text);
  } catch (const EError&) {
    if (!report->Components().empty() || report->Loading())
      __builtin_trap();  // a failed load keeps nothing
    return 0;
  }
  Generate(*report);
  // Qt keeps a runtime folder there too; only page files count.
  if (!QDir(env.tempFolder.path()).entryList({QStringLiteral("QRP*.TMP")}, QDir::Files).isEmpty())
    __builtin_trap();  // a page file left behind
  return 0;
}
