#include "DateTimeTexts.h"

namespace permit {

DateTimeTexts::DateTimeTexts(const QLocale& locale)
    : locale_(locale),
      dateFormat_(platform::DateTextFormat(locale)),
      longTime_(platform::LongTimeFormat(locale)) {}

QString DateTimeTexts::DateText(const QDateTime& value) const {
  return locale_.toString(value.date(), dateFormat_);
}

QString DateTimeTexts::TimeText(const QDateTime& value) const {
  return locale_.toString(value.time(), longTime_);
}

}  // namespace permit
