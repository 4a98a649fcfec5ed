#include "ZeroPad.h"

namespace permit {

QString ZeroPadded(const QString& text) {
  constexpr qsizetype kWidth = 4;
  return text.size() >= kWidth ? text : QString(kWidth - text.size(), u'0') + text;
}

}  // namespace permit
