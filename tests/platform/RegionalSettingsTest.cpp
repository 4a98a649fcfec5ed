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
  EXPECT_EQ(platform::ShortDateFormat(QLocale(QLocale::Spanish, QLocale::Mexico)),
            QStringLiteral("dd/MM/yy"));
}

}  // namespace
