#include "DesignValue.h"

#include <charconv>
#include <cstdint>
#include <string>

namespace {

const char* KindName(TDesignValue::Kind kind) {
  switch (kind) {
    case TDesignValue::Kind::Integer: return "an integer";
    case TDesignValue::Kind::Float: return "a number";
    case TDesignValue::Kind::String: return "a text";
    case TDesignValue::Kind::Identifier: return "a name";
    case TDesignValue::Kind::Set: return "a set";
    case TDesignValue::Kind::List: return "a list";
  }
  return "a value";
}

[[noreturn]] void Expected(const TDesignValue& value, const QString& what) {
  throw EDesignError(value.Line(), QStringLiteral("expected %1, found %2 \"%3\"")
                                       .arg(what, QLatin1String(KindName(value.GetKind())),
                                            value.Text()));
}

// Integers are decimal or $-prefixed hexadecimal (colours are written so).
bool ParseInteger(const QString& text, std::int64_t& out) {
  const std::string s = text.toStdString();
  const char* first = s.data();
  const char* last = s.data() + s.size();
  int base = 10;
  bool negative = false;
  if (first != last && (*first == '-' || *first == '+')) {
    negative = *first == '-';
    ++first;
  }
  if (first != last && *first == '$') {
    base = 16;
    ++first;
  }
  if (first == last) return false;
  std::uint64_t magnitude = 0;
  auto [ptr, ec] = std::from_chars(first, last, magnitude, base);
  if (ec != std::errc() || ptr != last) return false;
  if (magnitude > std::uint64_t(INT64_MAX)) return false;
  out = negative ? -std::int64_t(magnitude) : std::int64_t(magnitude);
  return true;
}

struct TNamedColor {
  const char* name;
  QRgb rgb;
};

// The system colours resolve to the fixed values a standard desktop scheme
// gives them; the permit prints window text in black.
constexpr std::array<TNamedColor, 24> kColors{{
    {"clBlack", 0xFF000000}, {"clMaroon", 0xFF800000}, {"clGreen", 0xFF008000},
    {"clOlive", 0xFF808000}, {"clNavy", 0xFF000080}, {"clPurple", 0xFF800080},
    {"clTeal", 0xFF008080}, {"clGray", 0xFF808080}, {"clSilver", 0xFFC0C0C0},
    {"clRed", 0xFFFF0000}, {"clLime", 0xFF00FF00}, {"clYellow", 0xFFFFFF00},
    {"clBlue", 0xFF0000FF}, {"clFuchsia", 0xFFFF00FF}, {"clAqua", 0xFF00FFFF},
    {"clWhite", 0xFFFFFFFF}, {"clWindowText", 0xFF000000}, {"clWindow", 0xFFFFFFFF},
    {"clBtnFace", 0xFFF0F0F0}, {"clBtnText", 0xFF000000}, {"clHighlight", 0xFF0078D7},
    {"clHighlightText", 0xFFFFFFFF}, {"clGrayText", 0xFF6D6D6D}, {"clInfoBk", 0xFFFFFFE1},
}};

}  // namespace

int AsInteger(const TDesignValue& value) {
  std::int64_t n = 0;
  if (value.GetKind() != TDesignValue::Kind::Integer || !ParseInteger(value.Text(), n))
    Expected(value, QStringLiteral("an integer"));
  if (n < INT32_MIN || n > INT32_MAX)
    throw EDesignError(value.Line(), QStringLiteral("integer %1 out of range").arg(value.Text()));
  return int(n);
}

long double AsExtended(const TDesignValue& value) {
  if (value.GetKind() == TDesignValue::Kind::Integer) return AsInteger(value);
  if (value.GetKind() != TDesignValue::Kind::Float) Expected(value, QStringLiteral("a number"));
  const std::string s = value.Text().toStdString();
  const char* first = s.data();
  if (!s.empty() && s[0] == '+') ++first;
  long double result = 0;
  auto [ptr, ec] = std::from_chars(first, s.data() + s.size(), result);
  if (ec != std::errc() || ptr != s.data() + s.size())
    throw EDesignError(value.Line(), QStringLiteral("number %1 cannot be read").arg(value.Text()));
  return result;
}

bool AsBoolean(const TDesignValue& value) {
  if (value.GetKind() == TDesignValue::Kind::Identifier) {
    if (value.Text().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
    if (value.Text().compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
  }
  Expected(value, QStringLiteral("True or False"));
}

QString AsString(const TDesignValue& value) {
  if (value.GetKind() != TDesignValue::Kind::String) Expected(value, QStringLiteral("a text"));
  return value.Text();
}

QString AsIdentifier(const TDesignValue& value) {
  if (value.GetKind() != TDesignValue::Kind::Identifier) Expected(value, QStringLiteral("a name"));
  return value.Text();
}

QStringList AsStrings(const TDesignValue& value) {
  if (value.GetKind() != TDesignValue::Kind::List) Expected(value, QStringLiteral("a list of texts"));
  QStringList result;
  for (const TDesignValue& item : value.Items()) result.append(AsString(item));
  return result;
}

std::vector<long double> AsExtendedList(const TDesignValue& value) {
  if (value.GetKind() != TDesignValue::Kind::List)
    Expected(value, QStringLiteral("a list of numbers"));
  std::vector<long double> result;
  for (const TDesignValue& item : value.Items()) result.push_back(AsExtended(item));
  return result;
}

QStringList AsIdentifierSet(const TDesignValue& value) {
  if (value.GetKind() != TDesignValue::Kind::Set) Expected(value, QStringLiteral("a set"));
  QStringList result;
  for (const TDesignValue& item : value.Items()) result.append(AsIdentifier(item));
  return result;
}

QRgb AsColor(const TDesignValue& value) {
  if (value.GetKind() == TDesignValue::Kind::Identifier) {
    for (const TNamedColor& c : kColors)
      if (value.Text() == QLatin1String(c.name)) return c.rgb;
    throw EDesignError(value.Line(), QStringLiteral("unknown colour %1").arg(value.Text()));
  }
  std::int64_t n = 0;
  if (value.GetKind() != TDesignValue::Kind::Integer || !ParseInteger(value.Text(), n))
    Expected(value, QStringLiteral("a colour"));
  if (n < 0 || n > 0xFFFFFF)
    throw EDesignError(value.Line(), QStringLiteral("colour %1 out of range").arg(value.Text()));
  // Written as $00BBGGRR: red in the low byte.
  const int red = int(n & 0xFF), green = int((n >> 8) & 0xFF), blue = int((n >> 16) & 0xFF);
  return qRgb(red, green, blue);
}

int AsEnumIndex(const TDesignValue& value, const QStringList& names) {
  const QString name = AsIdentifier(value);
  const int index = names.indexOf(name);
  if (index < 0)
    throw EDesignError(value.Line(), QStringLiteral("unknown value %1; expected one of %2")
                                         .arg(name, names.join(QStringLiteral(", "))));
  return index;
}
