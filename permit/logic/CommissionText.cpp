#include "CommissionText.h"

namespace permit {

QString CommissionAsStored(const QString& memoText) {
  static const QString kBreak = QStringLiteral("\r\n");
  QString stored;
  stored.reserve(memoText.size() + memoText.size() / 8);
  for (qsizetype i = 0; i < memoText.size(); ++i) {
    const QChar c = memoText.at(i);
    if (c == u'\r') {
      if (i + 1 < memoText.size() && memoText.at(i + 1) == u'\n') ++i;
      stored += kBreak;
    } else if (c == u'\n' || c == QChar::ParagraphSeparator) {
      stored += kBreak;
    } else {
      stored += c;
    }
  }
  return stored;
}

}  // namespace permit
