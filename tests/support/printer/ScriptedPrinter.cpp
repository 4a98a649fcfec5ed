#include "ScriptedPrinter.h"

#include <cmath>
#include <stdexcept>

#include "PaperSizes.h"

TScriptedPrinter::TScriptedPrinter(std::shared_ptr<TScriptedPrinterScript> script)
    : script_(std::move(script)), mode_(script_->defaultMode) {
  ++script_->devicesMade;
}

void TScriptedPrinter::SetPrinterIndex(int index) {
  if (index < 0) index = 0;
  if (index >= script_->printers.size()) return;
  index_ = index;
}

TPrinterNames TScriptedPrinter::Names() const {
  if (script_->printers.isEmpty()) return {};
  return {script_->printers.at(index_), QStringLiteral("SCRIPTDRV"), QStringLiteral("scripted:/")};
}

std::optional<TDeviceMode> TScriptedPrinter::DeviceMode() const {
  if (script_->printers.isEmpty()) return std::nullopt;
  return mode_;
}

void TScriptedPrinter::SetPrinter(const TPrinterNames& names,
                                  const std::optional<TDeviceMode>& mode) {
  const int found = script_->printers.indexOf(names.device);
  if (found >= 0) index_ = found;
  mode_ = mode ? *mode : script_->defaultMode;
}

std::uint32_t TScriptedPrinter::SupportedFields() const {
  return script_->printers.isEmpty() ? 0 : script_->supportedFields;
}

QVector<std::int16_t> TScriptedPrinter::PaperCodes() const {
  return script_->printers.isEmpty() ? QVector<std::int16_t>{} : script_->paperCodes;
}

QString TScriptedPrinter::DriverPath() const { return script_->driverPath; }

QSize TScriptedPrinter::PaperTenths() const {
  if (mode_.paperSize == kUserDefinedPaperCode) return {mode_.paperWidth, mode_.paperLength};
  if (mode_.paperSize >= 1 && mode_.paperSize < kPaperSizeCount - 1) {
    const auto dims = PaperDimensions(static_cast<TQRPaperSize>(mode_.paperSize));
    return {int(std::lround(dims->widthMm * 10)), int(std::lround(dims->lengthMm * 10))};
  }
  return {2159, 2794};  // Letter when the mode names no paper
}

int TScriptedPrinter::PhysicalWidth() const {
  const QSize p = PaperTenths();
  const int across = mode_.orientation == DMORIENT_LANDSCAPE ? p.height() : p.width();
  return int(std::lround(across / 254.0 * script_->ppiX));
}

int TScriptedPrinter::PhysicalHeight() const {
  const QSize p = PaperTenths();
  const int down = mode_.orientation == DMORIENT_LANDSCAPE ? p.width() : p.height();
  return int(std::lround(down / 254.0 * script_->ppiY));
}

void TScriptedPrinter::SetTitle(const QString& title) {
  script_->journal << QStringLiteral("SetTitle \"%1\"").arg(title);
}

void TScriptedPrinter::BeginDoc() {
  if (printing_) throw std::runtime_error("Printing in progress");
  if (script_->failBeginDoc) throw std::runtime_error("The scripted driver refused the job");
  script_->journal << QStringLiteral("BeginDoc");
  script_->jobModes.push_back(mode_);
  printing_ = true;
  StartPage();
}

void TScriptedPrinter::NewPage() {
  if (!printing_) throw std::runtime_error("Printer is not currently printing");
  if (script_->failNewPage) throw std::runtime_error("The scripted driver refused the page");
  script_->journal << QStringLiteral("NewPage");
  KeepPage();
  StartPage();
}

void TScriptedPrinter::EndDoc() {
  if (!printing_) throw std::runtime_error("Printer is not currently printing");
  script_->journal << QStringLiteral("EndDoc");
  KeepPage();
  printing_ = false;
}

void TScriptedPrinter::Abort() {
  script_->journal << QStringLiteral("Abort");
  KeepPage();
  printing_ = false;
}

TCanvas& TScriptedPrinter::Canvas() {
  if (!printing_ || !canvas_) throw std::runtime_error("Printer is not currently printing");
  return *canvas_;
}

void TScriptedPrinter::StartPage() {
  canvas_ = std::make_unique<TPageLogCanvas>(script_->ppiX, script_->ppiY, script_->lineHeight);
  script_->pages.emplace_back();
}

void TScriptedPrinter::KeepPage() {
  if (canvas_ && !script_->pages.empty()) script_->pages.back() = canvas_->Log();
  canvas_.reset();
}

TPrinterDeviceFactory ScriptedPrinterFactory(std::shared_ptr<TScriptedPrinterScript> script) {
  return [script] { return std::make_unique<TScriptedPrinter>(script); };
}
