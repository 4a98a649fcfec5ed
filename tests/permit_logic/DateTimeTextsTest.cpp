// Date text and time text in the user's formats, with the locale pinned.

#include <gtest/gtest.h>

#include "DateTimeTexts.h"
#include "SampleEntry.h"

namespace permit {
namespace {

TEST(DateTimeTexts, ZoneFieldLeavesTheLongTimeFormat) {
  const std::pair<const char*, const char*> cases[] = {
      {"HH:mm:ss t", "HH:mm:ss"},       {"h:mm:ss AP t", "h:mm:ss AP"},
      {"H:mm:ss (t)", "H:mm:ss"},        // es_ES: no empty brackets left
      {"H'h'mm 'at' t", "H'h'mm 'at'"},  // quoted letters are text, not a zone
      {"HH:mm:ss", "HH:mm:ss"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(WithoutTimeZone(in), QString(out)) << in;
}

TEST(DateTimeTexts, EachTextIgnoresTheOtherHalf) {
  const QDateTime value(QDate(2026, 12, 10), QTime(13, 5, 7, 250));
  struct {
    QLocale locale;
    const char *date, *time;
  } const cases[] = {
      // The short date's two-digit year is written in four digits.
      {QLocale(QLocale::Spanish, QLocale::Mexico), "10/12/2026", "13:05:07"},
      {QLocale(QLocale::English, QLocale::UnitedStates), "12/10/2026", "1:05:07 PM"},
      {QLocale(QLocale::Spanish, QLocale::Spain), "10/12/2026", "13:05:07"},
      {QLocale::c(), "10 Dec 2026", "13:05:07"},
  };
  for (const auto& c : cases) {
    const DateTimeTexts texts(c.locale);
    EXPECT_EQ(texts.DateText(value), c.date) << c.locale.name().toStdString();
    EXPECT_EQ(texts.TimeText(value), c.time) << c.locale.name().toStdString();
    // The other half of the value plays no part.
    EXPECT_EQ(texts.DateText(QDateTime(value.date(), QTime(23, 59))), c.date);
    EXPECT_EQ(texts.TimeText(QDateTime(QDate(2005, 9, 20), value.time())), c.time);
  }
}

}  // namespace
}  // namespace permit
