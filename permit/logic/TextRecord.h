#pragma once
// The plain-text record of a printed permit: 17 lines, each ended by CR LF
// (the last too), texts exactly as the entry holds them. A multi-line
// commission keeps its CR LF breaks inside line 9.

#include <QString>

#include "DateTimeTexts.h"
#include "PermitEntry.h"

namespace permit {

QString TextRecordText(const PermitEntry& entry, const DateTimeTexts& texts);

}  // namespace permit
