#pragma once
// A complete entry that passes every check, for tests to spoil one field at a
// time. Dates and times follow the pickers: date pickers at 00:00:00, time
// pickers on their unused day.

#include <QDate>
#include <QDateTime>
#include <QTime>

#include "PermitEntry.h"

namespace permit::test {

inline QDateTime Day(int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(0, 0)); }
inline QDateTime TimeOfDay(int h, int min, int s) {
  return QDateTime(QDate(2005, 9, 20), QTime(h, min, s));
}

inline PermitEntry SampleEntry() {
  PermitEntry e;
  e.Dependencia = QStringLiteral("SECRETARÍA DE OBRAS");
  e.Folio = QStringLiteral("7");
  e.Comision = QStringLiteral("SUPERVISIÓN DE LA OBRA DEL PUENTE EN EL KM 12");
  e.Destino = QStringLiteral("DORVANTIL");
  e.Conductor = QStringLiteral("JUAN PÉREZ");
  e.Placa = QStringLiteral("ABC123");
  e.NoEco = QStringLiteral("15");
  e.Marca = QStringLiteral("NISSAN");
  e.Tipo = QStringLiteral("PICK UP");
  e.Modelo = QStringLiteral("2004");
  e.Color = QStringLiteral("BLANCO");
  e.Admon = QStringLiteral("MARÍA LÓPEZ");
  e.Titular = QStringLiteral("ING. LUIS NÚÑEZ");
  e.Fecha = Day(2026, 12, 10);
  e.Fecha1 = Day(2026, 12, 10);
  e.Fecha2 = Day(2026, 12, 11);
  e.Hora1 = TimeOfDay(8, 30, 0);
  e.Hora2 = TimeOfDay(13, 5, 7);
  return e;
}

}  // namespace permit::test
