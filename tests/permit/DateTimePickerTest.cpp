// The pickers hold one whole date-time value: setting the date keeps the
// time of day, setting the time keeps the day, reading returns both, and a
// user edit changes only the part the picker shows.

#include <QSignalSpy>

#include "EntryWindowFixture.h"
#include "TDateTimePicker.h"

namespace {

const QDateTime kHeld(QDate(2005, 9, 20), QTime(0, 0));

TEST(DateTimePicker, ValueRules) {
  TDateTimePicker picker;
  EXPECT_EQ(picker.Date(), kHeld);
  EXPECT_EQ(picker.Time(), kHeld);

  picker.SetTime(QDateTime(QDate(1999, 1, 1), QTime(10, 20, 30, 400)));
  EXPECT_EQ(picker.Date(), QDateTime(QDate(2005, 9, 20), QTime(10, 20, 30, 400)));
  picker.SetDate(QDateTime(QDate(2026, 2, 28), QTime(23, 59)));
  EXPECT_EQ(picker.Date(), QDateTime(QDate(2026, 2, 28), QTime(10, 20, 30, 400)));
  EXPECT_EQ(picker.Time(), picker.Date());

  // The same time of day again changes nothing.
  QSignalSpy changes(&picker, &QDateTimeEdit::dateTimeChanged);
  picker.SetTime(QDateTime(QDate(1980, 5, 5), QTime(10, 20, 30, 400)));
  EXPECT_EQ(changes.count(), 0);
  EXPECT_EQ(picker.Date(), QDateTime(QDate(2026, 2, 28), QTime(10, 20, 30, 400)));
}

TEST(DateTimePicker, UserEditInADatePickerChangesTheDayOnly) {
  TDateTimePicker picker;
  picker.SetKind(TDateTimeKind::Date);
  picker.SetFormat(QStringLiteral("dd/MMM/yyyy"));
  picker.SetTime(QDateTime(QDate(), QTime(7, 8, 9, 10)));
  picker.SetDate(QDateTime(QDate(2026, 12, 10), QTime()));
  picker.setCurrentSection(QDateTimeEdit::DaySection);
  QTest::keyClick(&picker, Qt::Key_Up);
  EXPECT_EQ(picker.Date(), QDateTime(QDate(2026, 12, 11), QTime(7, 8, 9, 10)));
  picker.setCurrentSection(QDateTimeEdit::MonthSection);
  QTest::keyClick(&picker, Qt::Key_Down);
  EXPECT_EQ(picker.Date(), QDateTime(QDate(2026, 11, 11), QTime(7, 8, 9, 10)));
}

TEST(DateTimePicker, UserEditInATimePickerChangesTheTimeOfDayOnly) {
  TDateTimePicker picker;
  picker.SetKind(TDateTimeKind::Time);
  picker.SetFormat(QStringLiteral("hh:mm tt"));
  picker.SetTime(QDateTime(QDate(), QTime(13, 5, 7, 250)));
  picker.setCurrentSection(QDateTimeEdit::MinuteSection);
  QTest::keyClick(&picker, Qt::Key_Up);
  // Seconds and milliseconds are not shown and keep their held values.
  EXPECT_EQ(picker.Time(), QDateTime(QDate(2005, 9, 20), QTime(13, 6, 7, 250)));
  picker.setCurrentSection(QDateTimeEdit::HourSection);
  QTest::keyClick(&picker, Qt::Key_Down);
  EXPECT_EQ(picker.Time(), QDateTime(QDate(2005, 9, 20), QTime(12, 6, 7, 250)));
  EXPECT_EQ(picker.text(), QStringLiteral("12:06 ") + QLocale::system().pmText());
}

}  // namespace
