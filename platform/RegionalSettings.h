#pragma once
// The user's regional settings (QLocale::system()): date text and time text,
// and the translation of date-time picker format pictures into Qt's format
// language.

#include <QLocale>
#include <QString>

namespace platform {

// Qt format strings of the short date and long time formats of `locale`
// (the user's regional settings by default). The long time format carries
// no time-zone section: a time of day has none.
QString ShortDateFormat(const QLocale& locale = QLocale::system());
QString LongTimeFormat(const QLocale& locale = QLocale::system());

// The format of date text: the short date format with its year always in
// four digits, since a permit is an official paper ("10/12/2026", never
// "10/12/26"). Pickers keep showing the plain short date format.
QString DateTextFormat(const QLocale& locale = QLocale::system());

// Widens every unquoted two-digit year field ("yy") of a Qt date format to
// four digits ("yyyy"); every other field and all literal text stay.
QString WithFourDigitYear(const QString& dateFormat);

// Qt's long time formats end with the time zone ("HH:mm:ss t",
// "H:mm:ss (t)"); a regional long time format is hours, minutes, seconds and
// the day-half designator only. Removes every unquoted zone field, an empty
// pair of brackets left behind and the blanks at either end.
QString WithoutTimeZone(const QString& timeFormat);

// Translates a picker format picture ("dd/MMM/yyyy", "hh:mm tt") into a Qt
// display format. Picture letters: d dd ddd dddd, M MM MMM MMMM, y yy yyyy,
// h hh (12-hour), H HH (24-hour), m mm, s ss, tt (the locale's AM/PM
// designator as the locale spells it); text in single quotes and every other
// character are literal. Qt has no first-letter designator, so a single t
// shows the whole designator in capitals.
QString PickerFormatToQt(const QString& picture);

}  // namespace platform
