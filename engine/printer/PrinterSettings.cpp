#include "PrinterSettings.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <optional>

#include "PrinterDevice.h"

namespace {

constexpr int kDriverNameLength = 63;

// Device pixels to tenths of a millimetre, rounded half to even.
int PixelsToTenths(int pixels, int pixelsPerInch) {
  if (pixelsPerInch <= 0) return 0;
  return static_cast<int>(std::nearbyint(double(pixels) / pixelsPerInch * 254));
}

// Device-mode fields are 16 bits wide; larger values are held at the limit
// instead of wrapping round.
std::int16_t Field(int value) {
  return static_cast<std::int16_t>(std::clamp(value, -32768, 32767));
}

}  // namespace

void TPrinterSettings::SetPrinter(TPrinterDevice* printer) {
  printer_ = printer;
  if (printer_ && !printer_->Printers().isEmpty()) ReadFromDriver();
}

bool TPrinterSettings::Supported(std::uint32_t fields) const {
  return printer_ != nullptr && (driverFields_ & fields) == fields;
}

void TPrinterSettings::ReadFromDriver() {
  if (!printer_) return;
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
  const TPrinterNames names = printer_->Names();
  std::optional<TDeviceMode> mode = printer_->DeviceMode();
  if (!mode) mode = printer_->DeviceMode();
  device_ = names.device;
  port_ = names.port;
  driver_ = QFileInfo(printer_->DriverPath()).fileName().left(kDriverNameLength);
  // A printer that gives no device mode reads as a driver supporting nothing.
  const TDeviceMode dm = mode.value_or(TDeviceMode{});
  driverFields_ = mode ? dm.fields : 0;

  pixelsPerX_ = printer_->LogPixelsX();
  pixelsPerY_ = printer_->LogPixelsY();

  copies_ = Supported(DM_COPIES) ? dm.copies : 1;

  outputBin_ = TQRBin::First;
  if (Supported(DM_DEFAULTSOURCE)) outputBin_ = BinFromCode(dm.defaultSource).value_or(TQRBin::First);

  duplex_ = Supported(DM_DUPLEX) && dm.duplex != DMDUP_SIMPLEX;

  leftOffset_ = PixelsToTenths(printer_->PhysicalOffsetX(), pixelsPerX_);
  topOffset_ = PixelsToTenths(printer_->PhysicalOffsetY(), pixelsPerY_);

  paperSize_ = TQRPaperSize::Default;
  if (Supported(DM_PAPERSIZE)) paperSize_ = PaperSizeFromCode(dm.paperSize).value_or(TQRPaperSize::Default);

  paperWidth_ = PixelsToTenths(printer_->PhysicalWidth(), pixelsPerX_);
  paperLength_ = PixelsToTenths(printer_->PhysicalHeight(), pixelsPerY_);

  ReadPaperList();
  // Orientation is not read: it keeps whatever was set.
}

void TPrinterSettings::ReadPaperList() {
  supportedSizes_.fill(false);
  for (std::int16_t code : printer_->PaperCodes()) {
    if (auto size = PaperSizeFromCode(code); size && *size != TQRPaperSize::Default) {
      supportedSizes_[static_cast<std::size_t>(*size)] = true;
    }
  }
  supportedSizes_[static_cast<std::size_t>(TQRPaperSize::Custom)] = true;
}

void TPrinterSettings::WriteToDriver() {
  if (!printer_) return;
  const TPrinterNames names = printer_->Names();
  std::optional<TDeviceMode> mode = printer_->DeviceMode();
  if (!mode) return;  // nothing to write into
  TDeviceMode& dm = *mode;
  if (paperSize_ == TQRPaperSize::Custom) {
    if (Supported(DM_PAPERLENGTH)) {
      dm.fields |= DM_PAPERLENGTH;
      dm.paperLength = Field(paperLength_);
    }
    if (Supported(DM_PAPERWIDTH)) {
      dm.fields |= DM_PAPERWIDTH;
      dm.paperWidth = Field(paperWidth_);
    }
  }
  if (duplex_) {
    // Both sides, bound on the short edge, whatever the driver's default was.
    dm.fields |= DM_DUPLEX;
    dm.duplex = DMDUP_HORIZONTAL;
  }
  if (Supported(DM_PAPERSIZE) && paperSize_ != TQRPaperSize::Default) {
    dm.fields |= DM_PAPERSIZE;
    dm.paperSize = PaperCode(paperSize_);
  }
  dm.fields |= DM_COPIES;
  dm.copies = Field(copies_);
  // 256 marks the driver's user-defined bins; it survives the new bin code.
  dm.fields |= DM_DEFAULTSOURCE;
  dm.defaultSource = static_cast<std::int16_t>(BinCode(outputBin_) | (dm.defaultSource & 256));
  dm.fields |= DM_ORIENTATION;
  dm.orientation = orientation_ == TPrinterOrientation::poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  printer_->SetPrinter(names, dm);
}

bool TPrinterSettings::PaperSizeSupported(TQRPaperSize size) const {
  return supportedSizes_[static_cast<std::size_t>(size)];
}

int TPrinterSettings::PaperWidth() const {
  return IsStandardPaperSize(paperSize_) ? PaperWidthTenths(paperSize_) : paperWidth_;
}

int TPrinterSettings::PaperLength() const {
  return IsStandardPaperSize(paperSize_) ? PaperLengthTenths(paperSize_) : paperLength_;
}

void TPrinterSettings::SetCopies(int copies) {
  if (Supported(DM_COPIES)) copies_ = copies;
}

void TPrinterSettings::SetOrientation(TPrinterOrientation orientation) {
  if (Supported(DM_ORIENTATION)) orientation_ = orientation;
}

void TPrinterSettings::SetOutputBin(TQRBin bin) {
  if (Supported(DM_DEFAULTSOURCE)) outputBin_ = bin;
}

void TPrinterSettings::SetPaperSize(TQRPaperSize size) {
  if (size == TQRPaperSize::Default || PaperSizeSupported(size)) paperSize_ = size;
}

void TPrinterSettings::SetPaperWidth(int tenths) {
  if (paperSize_ == TQRPaperSize::Custom) paperWidth_ = tenths;
}

void TPrinterSettings::SetPaperLength(int tenths) {
  if (paperSize_ == TQRPaperSize::Custom) paperLength_ = tenths;
}
