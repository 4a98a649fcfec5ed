// Picker format pictures in Qt's format language, and the regional formats
// behind date text and time text.

#include <gtest/gtest.h>

#include <QDateTime>
#include <QLocale>

#include "QtPrintTo.h"
#include "RegionalSettings.h"

namespace {

using platform::PickerFormatToQt;

TEST(PickerFormat, Translation) {
  // Compared as shown, in a fixed locale: Qt may quote literals differently.
  const QLocale us(QLocale::English, QLocale::UnitedStates);
  const QDateTime value(QDate(2026, 3, 4), QTime(21, 7, 9));
  const struct {
    const char* picture;
    const char* shown;
  } cases[] = {
      {"dd/MMM/yyyy", "04/Mar/2026"},
      {"hh:mm tt", "09:07 PM"},
      {"HH:mm:ss", "21:07:09"},
      {"d/M/yy", "4/3/26"},
      {"dddd d 'de' MMMM", "Wednesday 4 de March"},
      // Quoted picture text stays literal even where it holds picture letters.
      {"'Hoy es' dd", "Hoy es 04"},
      // Two quotes stand for one, inside quoted text or alone.
      {"dd 'o''clock'", "04 o'clock"},
      {"dd''MM", "04'03"},
      {"'de''l' d", "de'l 4"},
      {"yyyyy", "2026"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(us.toString(value, PickerFormatToQt(c.picture)), QString(c.shown)) << c.picture;
}

TEST(PickerFormat, ShowsTwelveHourClockAndMonthAbbreviation) {
  const QDateTime value(QDate(2026, 12, 10), QTime(13, 5, 7));
  const struct {
    QLocale locale;
    const char* time;
    const char* date;
  } cases[] = {
      {QLocale(QLocale::Spanish, QLocale::Mexico), "01:05 ", "10/dic/2026"},
      {QLocale(QLocale::English, QLocale::UnitedStates), "01:05 ", "10/Dec/2026"},
  };
  for (const auto& c : cases) {
    // The designator as the locale spells it (Spanish: "p.<no-break space>m.").
    EXPECT_EQ(c.locale.toString(value, PickerFormatToQt("hh:mm tt")),
              QString::fromUtf8(c.time) + c.locale.pmText());
    EXPECT_EQ(c.locale.toString(value, PickerFormatToQt("dd/MMM/yyyy")), QString::fromUtf8(c.date));
  }
  // Morning: hour 09 and the morning designator.
  const QLocale us(QLocale::English, QLocale::UnitedStates);
  EXPECT_EQ(us.toString(QDateTime(QDate(2026, 1, 2), QTime(9, 0)), PickerFormatToQt("hh:mm tt")),
            QStringLiteral("09:00 AM"));
}

TEST(RegionalFormats, LongTimeHasNoZone) {
  EXPECT_EQ(platform::LongTimeFormat(QLocale(QLocale::Spanish, QLocale::Mexico)),
            QStringLiteral("HH:mm:ss"));
  EXPECT_EQ(platform::LongTimeFormat(QLocale(QLocale::English, QLocale::UnitedStates)),
            QStringLiteral("h:mm:ss AP"));
  // The pickers' short date keeps the locale's two digits; date text widens them.
  EXPECT_EQ(platform::ShortDateFormat(QLocale(QLocale::Spanish, QLocale::Mexico)),
            QStringLiteral("dd/MM/yy"));
  EXPECT_EQ(platform::DateTextFormat(QLocale(QLocale::Spanish, QLocale::Mexico)),
            QStringLiteral("dd/MM/yyyy"));
}

TEST(RegionalFormats, DateTextYearInFourDigits) {
  // Compared as shown: the year field alone changes, whatever surrounds it.
  const QDate day(2026, 12, 10);
  const struct {
    const char* format;
    const char* shown;
  } cases[] = {
      {"dd/MM/yy", "10/12/2026"},
      {"yy. M. d.", "2026. 12. 10."},      // ko_KR: the year first
      {"d.MM.yy 'g'.", "10.12.2026 g."},   // bg_BG: quoted text after the year
      {"d MMM yyyy", "10 Dec 2026"},       // C: four digits already
      {"'yy' dd/MM/yy", "yy 10/12/2026"},  // quoted letters are text
      {"dd/MM", "10/12"},                  // no year: nothing added
      // Qt reads runs of y greedily (four, then two, then a letter y): only
      // the two-digit part widens.
      {"dd/MM/yyy", "10/12/2026y"},
      {"y dd", "y 10"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(QLocale::c().toString(day, platform::WithFourDigitYear(c.format)),
              QString::fromUtf8(c.shown))
        << c.format;
}

}  // namespace
