#include "QRReportPrinterSettings.h"

#include <QStringList>

#include "DesignValue.h"

const QStringList& BinNames() {
  static const QStringList names = QStringLiteral(
      "First Upper Lower Middle Manual Envelope EnvManual Auto Tractor SmallFormat LargeFormat "
      "LargeCapacity Cassette Last").split(QLatin1Char(' '));
  return names;
}

bool TQRReportPrinterSettings::ReadProperty(const QString& name, const TDesignValue& value) {
  auto nonNegative = [&value](int n) {
    if (n < 0) throw EDesignError(value.Line(), QStringLiteral("%1 is below 0").arg(n));
    return n;
  };
  if (name == QLatin1String("Copies")) {
    const int copies = AsInteger(value);
    if (copies < 1) throw EDesignError(value.Line(), QStringLiteral("Copies must be at least 1"));
    Copies = copies;
  } else if (name == QLatin1String("Duplex")) {
    Duplex = AsBoolean(value);
  } else if (name == QLatin1String("FirstPage")) {
    FirstPage = nonNegative(AsInteger(value));
  } else if (name == QLatin1String("LastPage")) {
    LastPage = nonNegative(AsInteger(value));
  } else if (name == QLatin1String("OutputBin")) {
    OutputBin = AsEnum<TQRBin>(value, BinNames());
  } else {
    return false;
  }
  return true;
}
