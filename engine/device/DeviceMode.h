#pragma once
// The printer's device mode as the engine reads and writes it: the fields a
// driver keeps about paper, orientation, copies, source and duplex, with a
// mask telling which fields are present. Codes are the Windows ones, so that
// settings read from or written to a driver mean what they always meant.

#include <cstdint>

enum TDeviceModeField : std::uint32_t {
  DM_ORIENTATION = 1,
  DM_PAPERSIZE = 2,
  DM_PAPERLENGTH = 4,
  DM_PAPERWIDTH = 8,
  DM_COPIES = 256,
  DM_DEFAULTSOURCE = 512,
  DM_DUPLEX = 4096,
};

enum : std::int16_t { DMORIENT_PORTRAIT = 1, DMORIENT_LANDSCAPE = 2 };
enum : std::int16_t { DMDUP_SIMPLEX = 1, DMDUP_VERTICAL = 2, DMDUP_HORIZONTAL = 3 };

struct TDeviceMode {
  std::uint32_t fields = 0;      // which of the values below are present
  std::int16_t orientation = DMORIENT_PORTRAIT;
  std::int16_t paperSize = 0;    // paper code (1 Letter ... 256 user-defined)
  std::int16_t paperLength = 0;  // tenths of a millimetre
  std::int16_t paperWidth = 0;   // tenths of a millimetre
  std::int16_t copies = 1;
  std::int16_t defaultSource = 0;  // bin code
  std::int16_t duplex = DMDUP_SIMPLEX;
  bool operator==(const TDeviceMode&) const = default;
};
