#pragma once
// The report's named values for expressions (its Functions): an ordered list
// of names with their current texts. A report starts with PAGENUMBER "0",
// COLUMNNUMBER "0" and REPORTTITLE "''"; generation keeps them current.
// Designs store the names and the texts as two parallel lists.

#include <QString>

#include <list>

class TDesignValue;

struct TQRNamedValue {
  QString name;
  QString value;
};

class TQREvEnvironment {
 public:
  TQREvEnvironment();

  // The entry of that name (compared without regard to case), or none. The
  // entry stays where it is while the environment lives.
  TQRNamedValue* Find(const QString& name);
  const std::list<TQRNamedValue>& Values() const { return values_; }
  // Adds a name, or sets the text of an existing one.
  TQRNamedValue& SetValue(const QString& name, const QString& value);

  // Names (a list of texts; replaces the entries) then Values (one text per
  // name); false for another property.
  bool ReadProperty(const QString& name, const TDesignValue& value);

 private:
  std::list<TQRNamedValue> values_;
};
