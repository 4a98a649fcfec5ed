#include "QREvEnvironment.h"

#include "DesignValue.h"

TQREvEnvironment::TQREvEnvironment() {
  values_.push_back({QStringLiteral("PAGENUMBER"), QStringLiteral("0")});
  values_.push_back({QStringLiteral("COLUMNNUMBER"), QStringLiteral("0")});
  values_.push_back({QStringLiteral("REPORTTITLE"), QStringLiteral("''")});
}

TQRNamedValue* TQREvEnvironment::Find(const QString& name) {
  for (TQRNamedValue& v : values_)
    if (v.name.compare(name, Qt::CaseInsensitive) == 0) return &v;
  return nullptr;
}

TQRNamedValue& TQREvEnvironment::SetValue(const QString& name, const QString& value) {
  if (TQRNamedValue* found = Find(name)) {
    found->value = value;
    return *found;
  }
  values_.push_back({name, value});
  return values_.back();
}

bool TQREvEnvironment::ReadProperty(const QString& name, const TDesignValue& value) {
  if (name == QLatin1String("Names")) {
    const QStringList names = AsStrings(value);
    values_.clear();
    for (const QString& n : names) {
      if (Find(n) != nullptr)
        throw EDesignError(value.Line(), QStringLiteral("named value %1 given twice").arg(n));
      values_.push_back({n, QString()});
    }
    return true;
  }
  if (name == QLatin1String("Values")) {
    const QStringList texts = AsStrings(value);
    if (texts.size() != int(values_.size()))
      throw EDesignError(value.Line(), QStringLiteral("%1 texts for %2 named values")
                                           .arg(texts.size())
                                           .arg(values_.size()));
    int i = 0;
    for (TQRNamedValue& v : values_) v.value = texts[i++];
    return true;
  }
  return false;
}
