// Arbitrary bytes as a prepared report file, loaded with a printer installed
// and without one: loading must either succeed or raise one of the engine's
// errors, and so must fetching every page it counts; nothing may crash, hang
// or allocate without bound, and the file is never changed.
//
//   fuzz_prepared -max_total_time=300 -timeout=10 -rss_limit_mb=2048 CORPUS fuzz/prepared/seeds

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "Errors.h"
#include "Metafile.h"
#include "PrinterDevice.h"
#include "QRPrinter.h"

namespace {

// Whether the printer object lists its printer; without it a loaded page
// takes its paper from its own extent.
bool g_printerInstalled = true;

// One installed printer offering the three papers a permit page matches, so
// that loading also runs the paper search. It never prints.
class TFuzzPrinter : public TPrinterDevice {
 public:
  QStringList Printers() const override {
    return g_printerInstalled ? QStringList{QStringLiteral("Fuzz")} : QStringList{};
  }
  int PrinterIndex() const override { return 0; }
  void SetPrinterIndex(int) override {}
  TPrinterNames Names() const override { return {QStringLiteral("Fuzz"), {}, {}}; }
  std::optional<TDeviceMode> DeviceMode() const override { return mode_; }
  void SetPrinter(const TPrinterNames&, const std::optional<TDeviceMode>& mode) override {
    if (mode) mode_ = *mode;
  }
  std::uint32_t SupportedFields() const override { return mode_.fields; }
  QVector<std::int16_t> PaperCodes() const override { return {1, 2, 9, 18}; }
  QString DriverPath() const override { return {}; }
  int LogPixelsX() const override { return 300; }
  int LogPixelsY() const override { return 300; }
  int PhysicalOffsetX() const override { return 0; }
  int PhysicalOffsetY() const override { return 0; }
  int PhysicalWidth() const override { return 2550; }
  int PhysicalHeight() const override { return 3300; }
  int PageWidth() const override { return 2550; }
  int PageHeight() const override { return 3300; }
  void SetTitle(const QString&) override {}
  void BeginDoc() override { throw std::logic_error("fuzz printer does not print"); }
  void NewPage() override { throw std::logic_error("fuzz printer does not print"); }
  void EndDoc() override {}
  void Abort() override {}
  bool Printing() const override { return false; }
  TCanvas& Canvas() override { throw std::logic_error("fuzz printer does not print"); }

 private:
  TDeviceMode mode_{DM_ORIENTATION | DM_PAPERSIZE, DMORIENT_PORTRAIT, 1, 0, 0, 1, 1, DMDUP_SIMPLEX};
};

struct TFuzzEnvironment {
  TFuzzEnvironment()
      : factory([] { return std::make_unique<TFuzzPrinter>(); }),
        file(dir.filePath(QStringLiteral("input.QRP"))) {}
  QTemporaryDir dir;
  ScopedPrinterDeviceFactory factory;
  QString file;
};

// A page count that is far beyond the records must not make the loop below
// the slow part; real damage shows within the first pages past the records.
constexpr int kPagesToFetch = 4096;

void LoadAndFetch(const QString& file, std::size_t size) {
  TQRPrinter printer;
  try {
    printer.LoadPrepared(file);
  } catch (const EError&) {
    if (printer.RunState() != TQRPrinterRunState::Idle)
      __builtin_trap();  // a failed load keeps nothing
    return;
  }
  const int count = printer.PageCount();
  // No more pages than whole records of 12 bytes could fit after a header.
  if (count < 0 || std::size_t(count) > size / 12) __builtin_trap();
  for (int n = 1; n <= count && n <= kPagesToFetch; ++n) {
    try {
      printer.FetchPage(n);
    } catch (const EError&) {
    }
  }
  // Backwards too: the other chain of links.
  for (int n = std::min(count, kPagesToFetch); n >= 1; --n) {
    try {
      printer.FetchPage(n);
    } catch (const EError&) {
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TFuzzEnvironment env;
  {
    QFile f(env.file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  }
  for (bool installed : {true, false}) {
    g_printerInstalled = installed;
    LoadAndFetch(env.file, size);
  }
  QFile f(env.file);
  if (!f.open(QIODevice::ReadOnly) ||
      f.readAll() != QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                             static_cast<qsizetype>(size)))
    __builtin_trap();  // loading changed the file
  return 0;
}
