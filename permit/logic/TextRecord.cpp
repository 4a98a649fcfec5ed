#include "TextRecord.h"

#include <iterator>

#include "CommissionText.h"

namespace permit {

QString TextRecordText(const PermitEntry& e, const DateTimeTexts& t) {
  const QString lines[] = {
      QStringLiteral("Dependencia: ") + e.Dependencia,
      QStringLiteral("Folio: ") + e.Folio,
      QStringLiteral("Placa: ") + e.Placa,
      QStringLiteral("No. Eco.: ") + e.NoEco,
      QStringLiteral("Marca: ") + e.Marca,
      QStringLiteral("Tipo: ") + e.Tipo,
      QStringLiteral("Modelo: ") + e.Modelo,
      QStringLiteral("Color: ") + e.Color,
      QStringLiteral("Comisión: ") + CommissionAsStored(e.Comision),
      QStringLiteral("Destino: ") + e.Destino,
      QStringLiteral("Responsable/Conductor: ") + e.Conductor,
      QStringLiteral("A partir de: ") + t.DateText(e.Fecha1) + u' ' + t.TimeText(e.Hora1),
      QStringLiteral("hasta: ") + t.DateText(e.Fecha2) + u' ' + t.TimeText(e.Hora2),
      QStringLiteral("Hoy es: ") + t.DateText(e.Fecha),
      e.reservada ? QStringLiteral("Reservado: SI") : QStringLiteral("Reservado: NO"),
      QStringLiteral("Administrativo: ") + e.Admon,
      QStringLiteral("Titular: ") + e.Titular,
  };
  static_assert(std::size(lines) == 17);
  QString text;
  for (const QString& line : lines) text += line + QStringLiteral("\r\n");
  return text;
}

}  // namespace permit
