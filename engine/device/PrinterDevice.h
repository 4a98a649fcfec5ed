#pragma once
// The application-wide printer object: the installed printers, the selected
// one with its names and device mode, its device capabilities, and a print
// job whose pages are drawn through a TCanvas in device pixels from the
// corner of the printable area. Implemented over Qt/CUPS and, for tests, by
// a scripted printer.

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

#include "Canvas.h"
#include "DeviceMode.h"

struct TPrinterNames {
  QString device;
  QString driver;
  QString port;
  bool operator==(const TPrinterNames&) const = default;
};

class TPrinterDevice {
 public:
  virtual ~TPrinterDevice() = default;

  // Installed printers, the system default first; empty when there are none.
  virtual QStringList Printers() const = 0;
  // Selected printer, an index into Printers(); -1 selects the default one.
  virtual int PrinterIndex() const = 0;
  virtual void SetPrinterIndex(int index) = 0;

  // Names and device mode of the selected printer. No value when there is no
  // printer or the driver gave no device mode.
  virtual TPrinterNames Names() const = 0;
  virtual std::optional<TDeviceMode> DeviceMode() const = 0;
  // Selects a printer by names; with a device mode, applies it, without one
  // the printer returns to its driver's defaults.
  virtual void SetPrinter(const TPrinterNames& names, const std::optional<TDeviceMode>& mode) = 0;

  // Fields the selected printer's driver supports (DM_* mask).
  virtual std::uint32_t SupportedFields() const = 0;
  // Paper codes the driver offers.
  virtual QVector<std::int16_t> PaperCodes() const = 0;
  // Full path of the driver file.
  virtual QString DriverPath() const = 0;

  // Device capabilities of the selected printer, in device pixels.
  virtual int LogPixelsX() const = 0;
  virtual int LogPixelsY() const = 0;
  virtual int PhysicalOffsetX() const = 0;
  virtual int PhysicalOffsetY() const = 0;
  virtual int PhysicalWidth() const = 0;
  virtual int PhysicalHeight() const = 0;
  virtual int PageWidth() const = 0;   // printable area
  virtual int PageHeight() const = 0;

  // The job. BeginDoc starts the document and its first page; NewPage ends
  // the current page and starts the next. Failures throw std::runtime_error.
  virtual void SetTitle(const QString& title) = 0;
  virtual void BeginDoc() = 0;
  virtual void NewPage() = 0;
  virtual void EndDoc() = 0;
  virtual void Abort() = 0;
  virtual bool Printing() const = 0;
  // Canvas of the open page; valid while Printing().
  virtual TCanvas& Canvas() = 0;
};

// Copies and orientation of the selected printer, kept in its device mode as
// a driver keeps them. Without a device mode the getters answer 1 and
// portrait and the setters change nothing.
int PrinterCopies(const TPrinterDevice& device);
void SetPrinterCopies(TPrinterDevice& device, int copies);
std::int16_t PrinterOrientation(const TPrinterDevice& device);  // DMORIENT_*
void SetPrinterOrientation(TPrinterDevice& device, std::int16_t orientation);

// The process-wide printer object. Installed by main() (the CUPS one) or by a
// test (a scripted one) through ScopedPrinterDevice.
TPrinterDevice& Printer();
bool HasPrinterDevice();

class ScopedPrinterDevice {
 public:
  explicit ScopedPrinterDevice(TPrinterDevice* device);
  ~ScopedPrinterDevice();
  ScopedPrinterDevice(const ScopedPrinterDevice&) = delete;
  ScopedPrinterDevice& operator=(const ScopedPrinterDevice&) = delete;

 private:
  TPrinterDevice* previous_;
};

// Makes the separate printer object each report run owns: the CUPS one in
// the program, a scripted one in tests. Without an installed factory it makes
// a CUPS printer object.
using TPrinterDeviceFactory = std::function<std::unique_ptr<TPrinterDevice>()>;
std::unique_ptr<TPrinterDevice> CreatePrinterDevice();

class ScopedPrinterDeviceFactory {
 public:
  explicit ScopedPrinterDeviceFactory(TPrinterDeviceFactory factory);
  ~ScopedPrinterDeviceFactory();
  ScopedPrinterDeviceFactory(const ScopedPrinterDeviceFactory&) = delete;
  ScopedPrinterDeviceFactory& operator=(const ScopedPrinterDeviceFactory&) = delete;

 private:
  TPrinterDeviceFactory previous_;
};
