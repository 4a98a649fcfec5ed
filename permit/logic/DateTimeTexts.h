#pragma once
// Date text and time text of a picker value, in the user's regional formats:
// the day in the short date format with a four-digit year, the time of day in
// the long time format.
// Both ignore the other half of the value. The locale is handed in so that
// tests pin the formats.

#include <QDateTime>
#include <QLocale>
#include <QString>

#include "RegionalSettings.h"

namespace permit {

class DateTimeTexts {
 public:
  explicit DateTimeTexts(const QLocale& locale = QLocale::system());

  QString DateText(const QDateTime& value) const;
  QString TimeText(const QDateTime& value) const;

  const QString& DateFormat() const { return dateFormat_; }
  const QString& LongTimeFormat() const { return longTime_; }

 private:
  QLocale locale_;
  QString dateFormat_;
  QString longTime_;
};

using platform::WithoutTimeZone;

}  // namespace permit
