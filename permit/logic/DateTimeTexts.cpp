#include "DateTimeTexts.h"

namespace permit {

QString WithoutTimeZone(const QString& timeFormat) {
  QString kept;
  bool quoted = false;
  for (QChar c : timeFormat) {
    if (c == u'\'') quoted = !quoted;
    if (!quoted && c == u't') continue;
    kept += c;
  }
  kept.remove(QStringLiteral("()"));
  return kept.trimmed();
}

DateTimeTexts::DateTimeTexts(const QLocale& locale)
    : locale_(locale),
      shortDate_(locale.dateFormat(QLocale::ShortFormat)),
      longTime_(WithoutTimeZone(locale.timeFormat(QLocale::LongFormat))) {}

QString DateTimeTexts::DateText(const QDateTime& value) const {
  return locale_.toString(value.date(), shortDate_);
}

QString DateTimeTexts::TimeText(const QDateTime& value) const {
  return locale_.toString(value.time(), longTime_);
}

}  // namespace permit
