#pragma once
// Moves a device mode in and out of a QPrinter: orientation, paper, copies,
// paper source and duplex, each only where the driver supports the field.

#include <cstdint>

#include "DeviceMode.h"

class QPrinter;

// The printer's current settings as a device mode carrying the `supported`
// fields. A page size without a paper code reads as user-defined (256) with
// its dimensions.
TDeviceMode ReadDeviceMode(const QPrinter& printer, std::uint32_t supported);

// Applies the fields `mode` carries and the driver supports; other fields
// keep their values. Width and length given without a standard paper code
// make a user-defined size.
void ApplyDeviceMode(QPrinter& printer, const TDeviceMode& mode, std::uint32_t supported);
