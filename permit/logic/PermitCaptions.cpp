#include "PermitCaptions.h"

#include "CommissionText.h"

namespace permit {
namespace {

QString ValidityPeriod(const PermitEntry& e, const DateTimeTexts& t) {
  return QStringLiteral("PERMISO APARTIR DEL: ") + t.DateText(e.Fecha1) + u' ' +
         t.TimeText(e.Hora1) + QStringLiteral(" HASTA EL: ") + t.DateText(e.Fecha2) + u' ' +
         t.TimeText(e.Hora2);
}

QString VehicleLine(const PermitEntry& e) {
  return QStringLiteral("PLACA: ") + e.Placa + QStringLiteral(" No. ECO.: ") + e.NoEco +
         QStringLiteral(" MARCA: ") + e.Marca + QStringLiteral(" TIPO: ") + e.Tipo +
         QStringLiteral(" MODELO: ") + e.Modelo + QStringLiteral(" COLOR: ") + e.Color;
}

}  // namespace

QString ValidityDays(const QDateTime& from, const QDateTime& to, const DateTimeTexts& texts) {
  if (to.date() != from.date())
    return texts.DateText(from) + QStringLiteral(" al ") + texts.DateText(to);
  return texts.DateText(from);
}

PermitCaptions ComposeCaptions(const PermitEntry& e, const DateTimeTexts& t) {
  PermitCaptions c;
  c.QRFolio = e.Folio;
  c.QRDias = ValidityDays(e.Fecha1, e.Fecha2, t);
  c.QRDependencia = e.Dependencia;
  c.QRComision = CommissionAsStored(e.Comision);
  c.QRConductor = e.Conductor;
  c.QRConductor2 = e.Conductor;
  c.QRAdmon = e.Admon;
  c.QRTitular = e.Titular;
  c.QRHorario = ValidityPeriod(e, t);
  c.QRVehiculo = VehicleLine(e);
  return c;
}

}  // namespace permit
