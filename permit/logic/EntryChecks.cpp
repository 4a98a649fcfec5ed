#include "EntryChecks.h"

#include "CommissionText.h"

namespace permit {
namespace {

struct EntryCheck {
  QString PermitEntry::*field;
  bool needsCommissionLength;  // otherwise: refused only when empty
  const char* message;
};

// Order matters: only the first failing message is shown.
const EntryCheck kChecks[] = {
    {&PermitEntry::Dependencia, false, "Falta anotar la Dependencia o Entidad"},
    {&PermitEntry::Folio, false, "Falta anotar el Folio o No. de Permiso"},
    {&PermitEntry::Comision, true, "La comision como minimo se debe describir en 40 caracteres"},
    {&PermitEntry::Placa, false, "Falta anotar la Placa del Vehiculo"},
    {&PermitEntry::Marca, false, "Falta anotar la Marca del Vehiculo"},
    {&PermitEntry::Tipo, false, "Falta anotar el Tipo del Vehiculo"},
    {&PermitEntry::Color, false, "Falta anotar el Color del Vehiculo"},
    {&PermitEntry::Destino, false, "Falta anotar el destino"},
    {&PermitEntry::Conductor, false, "Falta anotar el Responsable o Conductor del Vehiculo"},
    {&PermitEntry::Admon, false,
     "Falta anotar el Titular Administrativo de la Dependencia o Entidad"},
    {&PermitEntry::Titular, false, "Falta anotar el Titular de la Dependencia o Entidad"},
    {&PermitEntry::Modelo, false, "Falta anotar el modelo del Vehiculo"},
};

bool Refuses(const EntryCheck& check, const PermitEntry& entry) {
  const QString& text = entry.*check.field;
  if (check.needsCommissionLength) return CommissionAsStored(text).size() < kMinCommissionLength;
  return text.isEmpty();
}

}  // namespace

std::optional<QString> FirstEntryRefusal(const PermitEntry& entry) {
  for (const EntryCheck& check : kChecks)
    if (Refuses(check, entry)) return QString::fromUtf8(check.message);
  return std::nullopt;
}

}  // namespace permit
