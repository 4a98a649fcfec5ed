#pragma once
// One property value of a design as written: a number, a quoted text, an
// identifier (enumeration names, True/False, colours, handler and component
// names), a set in brackets or a list in parentheses. Numbers keep their
// text so that stored measures arrive with every digit they were given.
// The As* readers raise EDesignError naming the value's line.

#include <QRgb>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

#include "EDesignError.h"

class TDesignValue {
 public:
  enum class Kind { Integer, Float, String, Identifier, Set, List };

  TDesignValue(Kind kind, QString text, int line) : kind_(kind), text_(std::move(text)), line_(line) {}
  Kind GetKind() const { return kind_; }
  const QString& Text() const { return text_; }
  int Line() const { return line_; }
  const std::vector<TDesignValue>& Items() const { return items_; }
  void AddItem(TDesignValue item) { items_.push_back(std::move(item)); }

 private:
  Kind kind_;
  QString text_;
  int line_;
  std::vector<TDesignValue> items_;
};

int AsInteger(const TDesignValue& value);
long double AsExtended(const TDesignValue& value);  // integer or float
bool AsBoolean(const TDesignValue& value);           // True or False
QString AsString(const TDesignValue& value);
QString AsIdentifier(const TDesignValue& value);
QStringList AsStrings(const TDesignValue& value);               // list of texts
std::vector<long double> AsExtendedList(const TDesignValue& value);  // list of numbers
QStringList AsIdentifierSet(const TDesignValue& value);         // [a, b]
// A colour name (clBlack, clNavy, clWindowText ...) or a number in the
// $00BBGGRR form colours are written in; the result carries full alpha.
QRgb AsColor(const TDesignValue& value);

// Index of the identifier in `names`, which lists an enumeration's names in
// its order.
int AsEnumIndex(const TDesignValue& value, const QStringList& names);
template <class E>
E AsEnum(const TDesignValue& value, const QStringList& names) {
  return static_cast<E>(AsEnumIndex(value, names));
}
