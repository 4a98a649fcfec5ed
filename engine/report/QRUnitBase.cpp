#include "QRUnitBase.h"

#include <QLocale>
#include <cmath>

#include "DesignValue.h"
#include "QRCustomReport.h"
#include "QRRound.h"
#include "ReferenceCanvas.h"

namespace {
constexpr long double kTenthsPerInch = 254;
// Used when there is no report to take a font size from, or its size is 0.
constexpr long double kDefaultFontSize = 10;
// The largest measure a design may store, tenths of a millimetre (1 km).
constexpr long double kMaxDesignMeasure = 1e7L;
}  // namespace

TQRUnit LocaleDefaultUnits() {
  return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? TQRUnit::Inches : TQRUnit::MM;
}

TQRUnitBase::TQRUnitBase(int valueCount)
    : values_(std::size_t(valueCount), 0.0L),
      resolution_(ScreenPixelsPerInch()),
      units_(LocaleDefaultUnits()),
      savedUnits_(units_) {}

long double TQRUnitBase::CharacterSize(TQRDirection direction) const {
  long double f = report_ != nullptr ? std::fabs(report_->Font().pointSize) : 0;
  if (f == 0) f = kDefaultFontSize;
  const long double perChar = direction == TQRDirection::Horizontal ? 80 : 145.3L;
  return (perChar / f) / 2.54L;
}

long double TQRUnitBase::ToUnitsAs(TQRUnit units, long double s, TQRDirection direction) const {
  switch (units) {
    case TQRUnit::MM:
      return s / 10;
    case TQRUnit::Inches:
      return s / kTenthsPerInch;
    case TQRUnit::Pixels:
      return s / (kTenthsPerInch / resolution_) * zoom_ / 100;
    case TQRUnit::Characters:
      return s / CharacterSize(direction) / 10;
    case TQRUnit::Native:
      return s;
  }
  return s;
}

long double TQRUnitBase::FromUnitsAs(TQRUnit units, long double x, TQRDirection direction) const {
  switch (units) {
    case TQRUnit::MM:
      return x * 10;
    case TQRUnit::Inches:
      return x * kTenthsPerInch;
    case TQRUnit::Pixels:
      return x * (kTenthsPerInch / resolution_) / zoom_ * 100;
    case TQRUnit::Characters:
      return x * CharacterSize(direction) * 10;
    case TQRUnit::Native:
      return x;
  }
  return x;
}

long double TQRUnitBase::ToUnits(long double stored, TQRDirection direction) const {
  return ToUnitsAs(Units(), stored, direction);
}

long double TQRUnitBase::FromUnits(long double value, TQRDirection direction) const {
  return FromUnitsAs(Units(), value, direction);
}

int TQRUnitBase::RoundedPixels(int index, TQRDirection direction) const {
  return QRRound(ToUnitsAs(TQRUnit::Pixels, values_[std::size_t(index)], direction));
}

long double TQRUnitBase::Get(int index, TQRDirection direction) const {
  return ToUnits(values_[std::size_t(index)], direction);
}

void TQRUnitBase::Put(int index, TQRDirection direction, long double value) {
  values_[std::size_t(index)] = FromUnits(value, direction);
}

void TQRUnitBase::ReadValues(const std::vector<long double>& values) {
  for (std::size_t i = 0; i < values.size() && i < values_.size(); ++i) values_[i] = values[i];
}

void TQRUnitBase::SwitchToPixels() {
  savedUnits_ = Units();
  SetUnits(TQRUnit::Pixels);
}

void TQRUnitBase::RestoreUnits() { SetUnits(savedUnits_); }

bool TQRUnitBase::ReadProperty(const QString& name, const TDesignValue& value, TDesignReader&) {
  if (name != QLatin1String("Values")) return false;
  const std::vector<long double> values = AsExtendedList(value);
  if (int(values.size()) != ValueCount())
    throw EDesignError(value.Line(), QStringLiteral("Values holds %1 numbers; %2 expected")
                                         .arg(values.size())
                                         .arg(ValueCount()));
  // A kilometre of paper is no page: such a number is a damaged design.
  for (long double v : values)
    if (!std::isfinite(v) || std::fabs(v) > kMaxDesignMeasure)
      throw EDesignError(value.Line(), QStringLiteral("Values holds a number out of range"));
  ReadValues(values);
  return true;
}
