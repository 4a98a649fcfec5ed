#pragma once
// A printer object for benchmarks: no printer installed, so a TQRPrinter is
// made without asking CUPS anything.

#include <stdexcept>

#include "PrinterDevice.h"

class TBenchNoPrinter : public TPrinterDevice {
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
