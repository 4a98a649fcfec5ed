#pragma once
// The user's regional settings (QLocale::system()): date text and time text,
// and the translation of date-time picker format pictures into Qt's format
// language.

#include <QDateTime>
#include <QString>

namespace platform {

// Qt format strings of the system's short date and long time formats. The
// long time format carries no time-zone section: a time of day has none.
QString ShortDateFormat();
QString LongTimeFormat();

// The day of `value` in the short date format; its time of day is ignored.
QString DateText(const QDateTime& value);
// The time of day of `value` in the long time format; its day is ignored.
QString TimeText(const QDateTime& value);

// Translates a picker format picture ("dd/MMM/yyyy", "hh:mm tt") into a Qt
// display format. Picture letters: d dd ddd dddd, M MM MMM MMMM, y yy yyyy,
// h hh (12-hour), H HH (24-hour), m mm, s ss, t (first character of the
// AM/PM designator), tt (the whole designator); text in single quotes and
// every other character are literal.
QString PickerFormatToQt(const QString& picture);

}  // namespace platform
