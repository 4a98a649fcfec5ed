#pragma once
// Date text and time text of a picker value, in the user's regional formats:
// the day in the short date format, the time of day in the long time format.
// Both ignore the other half of the value. The locale is handed in so that
// tests pin the formats.

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace permit {

class DateTimeTexts {
 public:
  explicit DateTimeTexts(const QLocale& locale = QLocale::system());

  QString DateText(const QDateTime& value) const;
  QString TimeText(const QDateTime& value) const;

  const QString& ShortDateFormat() const { return shortDate_; }
  const QString& LongTimeFormat() const { return longTime_; }

 private:
  QLocale locale_;
  QString shortDate_;
  QString longTime_;
};

// Qt's long time formats end with the time zone ("HH:mm:ss t",
// "H:mm:ss (t)"); a regional long time format is hours, minutes, seconds and
// the day-half designator only. Removes every unquoted zone field, an empty
// pair of brackets left behind and the blanks at either end.
QString WithoutTimeZone(const QString& timeFormat);

}  // namespace permit
