#pragma once
// What the system print dialog is handed and hands back: option bits with
// the common-dialog meanings, page range, copies, and the printer's names
// and device mode.

#include <cstdint>
#include <optional>

#include "DeviceMode.h"
#include "PrinterDevice.h"

enum TPrintDialogFlag : std::uint32_t {
  PD_ALLPAGES = 0,
  PD_SELECTION = 1,
  PD_PAGENUMS = 2,
  PD_NOSELECTION = 4,
  PD_NOPAGENUMS = 8,
  PD_COLLATE = 16,
  PD_PRINTTOFILE = 32,
  PD_NOWARNING = 128,
  PD_SHOWHELP = 2048,
  PD_ENABLEPRINTHOOK = 4096,
  PD_ENABLESETUPHOOK = 8192,
  PD_DISABLEPRINTTOFILE = 0x80000,
  PD_HIDEPRINTTOFILE = 0x100000,
};

struct TPrintDialogRecord {
  std::uint32_t flags = 0;
  std::uint16_t fromPage = 0;
  std::uint16_t toPage = 0;
  std::uint16_t minPage = 0;
  std::uint16_t maxPage = 0;
  std::uint16_t copies = 0;
  TPrinterNames names;
  std::optional<TDeviceMode> deviceMode;
  bool operator==(const TPrintDialogRecord&) const = default;
};
