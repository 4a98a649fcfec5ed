#include "QtPrinterDevice.h"

#include <QDir>
#include <QPrinterInfo>
#include <cmath>

#include "CupsJob.h"
#include "PdfDocument.h"
#include "PdfPageCanvas.h"
#include "PrinterErrors.h"
#include "QtDeviceMode.h"
#include "QtPaperCodes.h"

namespace {

constexpr std::uint32_t kAlwaysSupported =
    DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES;

int Pixels(qreal value) { return static_cast<int>(std::lround(value)); }

QString MediaName(const QPageSize& size) {
  if (PaperCodeForPageSize(size) != 0 || size.id() != QPageSize::Custom) return size.key();
  const QSizeF mm = size.size(QPageSize::Millimeter);
  return QStringLiteral("Custom.%1x%2mm").arg(mm.width()).arg(mm.height());
}

QString SidesName(QPrinter::DuplexMode mode) {
  switch (mode) {
    case QPrinter::DuplexNone:
      return QStringLiteral("one-sided");
    case QPrinter::DuplexLongSide:
      return QStringLiteral("two-sided-long-edge");
    case QPrinter::DuplexShortSide:
      return QStringLiteral("two-sided-short-edge");
    default:
      return {};  // the queue's own choice
  }
}

}  // namespace

TQtPrinterDevice::TQtPrinterDevice() = default;

TQtPrinterDevice::~TQtPrinterDevice() { CloseJob(); }

QStringList TQtPrinterDevice::Printers() const {
  if (!printers_) {
    QStringList names = QPrinterInfo::availablePrinterNames();
    const QString preferred = QPrinterInfo::defaultPrinterName();
    const auto at = names.indexOf(preferred);
    if (at > 0) names.move(at, 0);
    printers_ = names;
  }
  return *printers_;
}

int TQtPrinterDevice::PrinterIndex() const {
  if (Printers().isEmpty()) return -1;
  return index_ < 0 ? 0 : index_;  // the default printer is listed first
}

void TQtPrinterDevice::SetPrinterIndex(int index) {
  RequireIdle();
  const int count = static_cast<int>(Printers().size());
  if (index == -1) {
    if (count > 0) Select(0);
    return;
  }
  if (index < 0 || index >= count) throw EPrinter(PrinterIndexMessage());
  Select(index);
}

void TQtPrinterDevice::Select(int index) {
  index_ = index;
  settings_.reset();  // made again from the driver's defaults when next needed
}

QString TQtPrinterDevice::SelectedName() const {
  const QStringList names = Printers();
  if (names.isEmpty()) return {};
  return names.at(PrinterIndex());
}

QPrinter* TQtPrinterDevice::Settings() const {
  if (Printers().isEmpty()) return nullptr;
  if (!settings_) {
    settings_ = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(SelectedName()),
                                           QPrinter::HighResolution);
  }
  return settings_.get();
}

TPrinterNames TQtPrinterDevice::Names() const {
  if (Printers().isEmpty()) return {};
  const QString name = SelectedName();
  return {name, QPrinterInfo::printerInfo(name).makeAndModel(), CupsDeviceUri(name)};
}

std::optional<TDeviceMode> TQtPrinterDevice::DeviceMode() const {
  QPrinter* settings = Settings();
  if (!settings) return std::nullopt;
  return ReadDeviceMode(*settings, SupportedFields());
}

void TQtPrinterDevice::SetPrinter(const TPrinterNames& names,
                                  const std::optional<TDeviceMode>& mode) {
  RequireIdle();
  const QStringList list = Printers();
  if (list.isEmpty()) return;
  const auto index = list.indexOf(names.device);
  if (index < 0) throw EPrinter(InvalidPrinterMessage());
  // A device mode replaces the driver's defaults field by field; without one
  // the printer is back on its defaults.
  Select(static_cast<int>(index));
  if (mode) ApplyDeviceMode(*Settings(), *mode, SupportedFields());
}

std::uint32_t TQtPrinterDevice::SupportedFields() const {
  if (Printers().isEmpty()) return 0;
  std::uint32_t fields = kAlwaysSupported;
  for (auto duplex : QPrinterInfo::printerInfo(SelectedName()).supportedDuplexModes()) {
    if (duplex != QPrinter::DuplexNone) fields |= DM_DUPLEX;
  }
  return fields;
}

QVector<std::int16_t> TQtPrinterDevice::PaperCodes() const {
  QVector<std::int16_t> codes;
  if (Printers().isEmpty()) return codes;
  for (const QPageSize& size : QPrinterInfo::printerInfo(SelectedName()).supportedPageSizes()) {
    const std::int16_t code = PaperCodeForPageSize(size);
    if (code > 0 && !codes.contains(code)) codes.append(code);
  }
  return codes;
}

QString TQtPrinterDevice::DriverPath() const {
  return Printers().isEmpty() ? QString() : CupsPpdPath(SelectedName());
}

int TQtPrinterDevice::LogPixelsX() const {
  QPrinter* s = Settings();
  return s ? s->resolution() : 0;
}

int TQtPrinterDevice::LogPixelsY() const { return LogPixelsX(); }

int TQtPrinterDevice::PhysicalOffsetX() const {
  QPrinter* s = Settings();
  if (!s) return 0;
  return Pixels(s->pageRect(QPrinter::DevicePixel).left() -
                s->paperRect(QPrinter::DevicePixel).left());
}

int TQtPrinterDevice::PhysicalOffsetY() const {
  QPrinter* s = Settings();
  if (!s) return 0;
  return Pixels(s->pageRect(QPrinter::DevicePixel).top() -
                s->paperRect(QPrinter::DevicePixel).top());
}

int TQtPrinterDevice::PhysicalWidth() const {
  QPrinter* s = Settings();
  return s ? Pixels(s->paperRect(QPrinter::DevicePixel).width()) : 0;
}

int TQtPrinterDevice::PhysicalHeight() const {
  QPrinter* s = Settings();
  return s ? Pixels(s->paperRect(QPrinter::DevicePixel).height()) : 0;
}

int TQtPrinterDevice::PageWidth() const {
  QPrinter* s = Settings();
  return s ? Pixels(s->pageRect(QPrinter::DevicePixel).width()) : 0;
}

int TQtPrinterDevice::PageHeight() const {
  QPrinter* s = Settings();
  return s ? Pixels(s->pageRect(QPrinter::DevicePixel).height()) : 0;
}

void TQtPrinterDevice::SetTitle(const QString& title) { title_ = title; }

void TQtPrinterDevice::RequireIdle() const {
  if (printing_) throw EPrinter(PrintingInProgressMessage());
}

void TQtPrinterDevice::RequirePrinting() const {
  if (!printing_) throw EPrinter(NotPrintingMessage());
}

void TQtPrinterDevice::BeginDoc() {
  RequireIdle();
  QPrinter* settings = Settings();
  if (!settings) throw EPrinter(NoDefaultPrinterMessage());
  // The job is spooled to a PDF laid out exactly as the selected printer's
  // page, and reaches CUPS only when the document ends.
  spool_ =
      std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/PermisoJob-XXXXXX.pdf"));
  if (!spool_->open()) {
    const QString reason = spool_->errorString();
    CloseJob();
    throw EPrinter(
        QStringLiteral("Cannot create the spool file of \"%1\": %2").arg(title_, reason));
  }
  document_ = std::make_unique<TPdfDocument>(*spool_);
  printing_ = true;
  StartPage();
}

void TQtPrinterDevice::StartPage() {
  QPrinter* settings = Settings();
  const QRectF paper = settings->paperRect(QPrinter::DevicePixel);
  const QRectF page = settings->pageRect(QPrinter::DevicePixel);
  document_->BeginPage(settings->paperRect(QPrinter::Point).size(), settings->resolution(),
                       page.topLeft() - paper.topLeft());
  // A fresh page starts from the canvas's defaults, as a new device page does.
  canvas_ = std::make_unique<TPdfPageCanvas>(*document_, settings->resolution());
}

void TQtPrinterDevice::NewPage() {
  RequirePrinting();
  canvas_.reset();
  document_->EndPage();
  if (!document_->Ok()) {
    const QString reason = spool_->errorString();
    CloseJob();
    throw EPrinter(QStringLiteral("Cannot write the print job \"%1\": %2").arg(title_, reason));
  }
  StartPage();
}

void TQtPrinterDevice::EndDoc() {
  RequirePrinting();
  canvas_.reset();
  const bool written = document_->Finish(title_) && spool_->flush();
  if (!written) {
    const QString reason = spool_->errorString();
    CloseJob();
    throw EPrinter(
        QStringLiteral("The print job \"%1\" could not be completed: %2").arg(title_, reason));
  }
  spool_->close();
  TCupsJobOptions options;
  options.copies = settings_->copyCount();
  options.media = MediaName(settings_->pageLayout().pageSize());
  if (SupportedFields() & DM_DUPLEX) options.sides = SidesName(settings_->duplex());
  const QString file = spool_->fileName();
  try {
    SubmitCupsJob(SelectedName(), file, title_, options);
  } catch (...) {
    CloseJob();
    throw;
  }
  CloseJob();
}

void TQtPrinterDevice::Abort() {
  // Nothing was handed to CUPS yet: dropping the spool file discards the job.
  CloseJob();
}

void TQtPrinterDevice::CloseJob() {
  canvas_.reset();
  document_.reset();
  spool_.reset();  // removes the file
  printing_ = false;
}

TCanvas& TQtPrinterDevice::Canvas() {
  RequirePrinting();
  return *canvas_;
}
