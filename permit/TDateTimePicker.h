#pragma once
// Date or time picker holding one whole date-time value. Setting the date
// replaces only the held day, setting the time only the held time of day;
// reading either returns the whole value. User edits change only the part the
// picker's kind shows.

#include <QDateTime>
#include <QDateTimeEdit>

enum class TDateTimeKind { Date, Time };

class TDateTimePicker : public QDateTimeEdit {
  Q_OBJECT
 public:
  explicit TDateTimePicker(QWidget* parent = nullptr);

  TDateTimeKind Kind() const { return kind_; }
  void SetKind(TDateTimeKind kind);

  QDateTime Date() const { return held_; }
  QDateTime Time() const { return held_; }
  void SetDate(const QDateTime& value);
  void SetTime(const QDateTime& value);

  // Picker format picture such as "dd/MMM/yyyy" or "hh:mm tt".
  QString Format() const { return format_; }
  void SetFormat(const QString& picture);

 protected:
  bool event(QEvent* event) override;
  // Tab leaves the picker instead of walking its sections.
  bool focusNextPrevChild(bool next) override;

 private:
  void ShowHeld();
  void TakeUserEdit(const QDateTime& shown);

  // Every picker is created holding 20 September 2005, 00:00:00.
  QDateTime held_{QDate(2005, 9, 20), QTime(0, 0)};
  TDateTimeKind kind_ = TDateTimeKind::Date;
  QString format_;
  bool showing_ = false;
};
