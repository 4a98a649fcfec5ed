#pragma once
// Driver paper codes (1 Letter ... 26 E sheet, 256 user-defined) and the Qt
// page sizes that stand for them on a CUPS printer.

#include <QPageSize>

#include <cstdint>
#include <optional>

// The page size for a paper code; user-defined (256) takes the given portrait
// width and length in tenths of a millimetre. No value for a code Qt has no
// size for or a user-defined size without both dimensions.
std::optional<QPageSize> PageSizeForPaperCode(std::int16_t code, int widthTenths, int lengthTenths);

// The paper code of a page size; 0 when the size has none.
std::int16_t PaperCodeForPageSize(const QPageSize& size);
