#include "TDateTimePicker.h"

#include <QDynamicPropertyChangeEvent>

#include "RegionalSettings.h"

TDateTimePicker::TDateTimePicker(QWidget* parent) : QDateTimeEdit(parent) {
  setTimeSpec(Qt::LocalTime);
  setMinimumDateTime(QDateTime(QDate(1601, 1, 1), QTime(0, 0)));
  setDisplayFormat(platform::ShortDateFormat());
  ShowHeld();
  connect(this, &QDateTimeEdit::dateTimeChanged, this, &TDateTimePicker::TakeUserEdit);
}

void TDateTimePicker::SetKind(TDateTimeKind kind) {
  kind_ = kind;
  setCalendarPopup(kind == TDateTimeKind::Date);
  if (format_.isEmpty())
    setDisplayFormat(kind == TDateTimeKind::Date ? platform::ShortDateFormat()
                                                 : platform::LongTimeFormat());
  ShowHeld();
}

void TDateTimePicker::SetDate(const QDateTime& value) {
  held_ = QDateTime(value.date(), held_.time());
  ShowHeld();
}

void TDateTimePicker::SetTime(const QDateTime& value) {
  if (value.time() == held_.time()) return;
  held_ = QDateTime(held_.date(), value.time());
  ShowHeld();
}

void TDateTimePicker::SetFormat(const QString& picture) {
  format_ = picture;
  setDisplayFormat(platform::PickerFormatToQt(picture));
  ShowHeld();
}

void TDateTimePicker::ShowHeld() {
  showing_ = true;
  setDateTime(held_);
  showing_ = false;
}

void TDateTimePicker::TakeUserEdit(const QDateTime& shown) {
  if (showing_) return;
  if (kind_ == TDateTimeKind::Date) {
    held_ = QDateTime(shown.date(), held_.time());
    return;
  }
  // Parts of the time of day the display leaves out keep their held values.
  const QTime t = shown.time(), h = held_.time();
  const Sections s = displayedSections();
  held_ = QDateTime(held_.date(),
                    QTime(t.hour(), t.minute(), s & SecondSection ? t.second() : h.second(),
                          s & MSecSection ? t.msec() : h.msec()));
}

bool TDateTimePicker::event(QEvent* event) {
  if (event->type() == QEvent::DynamicPropertyChange &&
      static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == "pickerKind")
    SetKind(property("pickerKind").toString() == QLatin1String("time") ? TDateTimeKind::Time
                                                                       : TDateTimeKind::Date);
  return QDateTimeEdit::event(event);
}

bool TDateTimePicker::focusNextPrevChild(bool next) { return QWidget::focusNextPrevChild(next); }
