// Arbitrary bytes as a report design: loading must either succeed or raise
// one of the engine's errors, leaving nothing created behind; nothing may
// crash, hang or allocate without bound.
//
//   ASAN_OPTIONS=detect_leaks=0 \
//     fuzz_design -max_total_time=300 -timeout=10 -rss_limit_mb=2048 CORPUS fuzz/design/seeds
//
// (fontconfig keeps its font cache for the life of the process, which the
// leak checker would report at exit.)

#include <QGuiApplication>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "DesignLoader.h"
#include "Errors.h"
#include "PrinterDevice.h"
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

// Fonts and the report's reference device need a GUI application.
struct TFuzzEnvironment {
  TFuzzEnvironment() : factory([] { return std::make_unique<TNoPrinter>(); }) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_design";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
  }
  ScopedPrinterDeviceFactory factory;
  std::unique_ptr<QGuiApplication> app;
};

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
  }
  return 0;
}
