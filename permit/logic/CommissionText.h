#pragma once
// The commission as the permit stores it: every line break is CR LF, so a
// break counts as two characters towards the 40-character minimum and
// reaches the document and the record as CR LF.

#include <QString>

namespace permit {

// Turns every "\r\n", lone "\n", lone "\r" and Qt paragraph separator
// (U+2029) into "\r\n"; everything else is kept unchanged.
QString CommissionAsStored(const QString& memoText);

}  // namespace permit
