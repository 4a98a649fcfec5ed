#pragma once
// The preview command's twelve checks, in their fixed order. Each refuses an
// empty box (no characters at all: a lone blank passes, nothing is trimmed),
// except the commission, which needs 40 characters counted with CR LF breaks.
// The economic number and the pickers are not checked.

#include <QString>
#include <optional>

#include "PermitEntry.h"

namespace permit {

inline constexpr qsizetype kMinCommissionLength = 40;

// The message of the first check that fails, or nothing when all pass.
std::optional<QString> FirstEntryRefusal(const PermitEntry& entry);

}  // namespace permit
