#pragma once
// What the entry window holds at one moment, as plain values: the texts of its
// boxes, the five picker values and the reserved check box. The preview
// command's rules and the text record read only this, so they run without a
// window.

#include <QDateTime>
#include <QString>

namespace permit {

struct PermitEntry {
  QString Dependencia;
  QString Folio;
  // The memo's text. Line breaks may come as "\n" (what a Qt memo gives), as
  // CR LF, or as a lone CR; the rules turn each into CR LF before counting or
  // writing it (see CommissionText.h).
  QString Comision;
  QString Destino;
  QString Conductor;
  QString Placa;
  QString NoEco;
  QString Marca;
  QString Tipo;
  QString Modelo;
  QString Color;
  QString Admon;
  QString Titular;

  // Whole picker values. The date pickers carry 00:00:00 as their time of day
  // and the time pickers an unused day; the texts below read only the part
  // that matters.
  QDateTime Fecha;  // issue date (hidden picker)
  QDateTime Fecha1;
  QDateTime Fecha2;
  QDateTime Hora1;
  QDateTime Hora2;

  bool reservada = false;
};

}  // namespace permit
