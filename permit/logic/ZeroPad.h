#pragma once
// Permit and economic numbers are shown with at least four digits.

#include <QString>

namespace permit {

// Puts "0" in front of `text` until it has 4 characters; longer texts are
// returned unchanged (a permit number may have 5 digits).
QString ZeroPadded(const QString& text);

}  // namespace permit
