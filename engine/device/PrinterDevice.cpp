#include "PrinterDevice.h"

#include <stdexcept>

namespace {
TPrinterDevice* g_printer = nullptr;
}

TPrinterDevice& Printer() {
  if (!g_printer) throw std::logic_error("No printer object installed");
  return *g_printer;
}

bool HasPrinterDevice() { return g_printer != nullptr; }

ScopedPrinterDevice::ScopedPrinterDevice(TPrinterDevice* device) : previous_(g_printer) {
  g_printer = device;
}

ScopedPrinterDevice::~ScopedPrinterDevice() { g_printer = previous_; }
