#include "PrinterDevice.h"

#include <stdexcept>

#include "QtPrinterDevice.h"

namespace {
TPrinterDevice* g_printer = nullptr;
TPrinterDeviceFactory g_factory;
}  // namespace

TPrinterDevice& Printer() {
  if (!g_printer) throw std::logic_error("No printer object installed");
  return *g_printer;
}

bool HasPrinterDevice() { return g_printer != nullptr; }

ScopedPrinterDevice::ScopedPrinterDevice(TPrinterDevice* device) : previous_(g_printer) {
  g_printer = device;
}

ScopedPrinterDevice::~ScopedPrinterDevice() { g_printer = previous_; }

int PrinterCopies(const TPrinterDevice& device) {
  auto mode = device.DeviceMode();
  return mode && (mode->fields & DM_COPIES) ? mode->copies : 1;
}

void SetPrinterCopies(TPrinterDevice& device, int copies) {
  auto mode = device.DeviceMode();
  if (!mode) return;
  mode->fields |= DM_COPIES;
  mode->copies = static_cast<std::int16_t>(copies);
  device.SetPrinter(device.Names(), mode);
}

std::int16_t PrinterOrientation(const TPrinterDevice& device) {
  auto mode = device.DeviceMode();
  if (!mode || !(mode->fields & DM_ORIENTATION)) return DMORIENT_PORTRAIT;
  return mode->orientation;
}

void SetPrinterOrientation(TPrinterDevice& device, std::int16_t orientation) {
  auto mode = device.DeviceMode();
  if (!mode) return;
  mode->fields |= DM_ORIENTATION;
  mode->orientation = orientation;
  device.SetPrinter(device.Names(), mode);
}

std::unique_ptr<TPrinterDevice> CreatePrinterDevice() {
  if (g_factory) return g_factory();
  return std::make_unique<TQtPrinterDevice>();
}

ScopedPrinterDeviceFactory::ScopedPrinterDeviceFactory(TPrinterDeviceFactory factory)
    : previous_(std::move(g_factory)) {
  g_factory = std::move(factory);
}

ScopedPrinterDeviceFactory::~ScopedPrinterDeviceFactory() { g_factory = std::move(previous_); }
