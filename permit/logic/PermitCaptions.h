#pragma once
// The ten variable texts of the permit document, by the names of the elements
// that receive them. QRVehiculo is the memo's whole text: always one line.

#include <QString>

#include "DateTimeTexts.h"
#include "PermitEntry.h"

namespace permit {

struct PermitCaptions {
  QString QRFolio;
  QString QRDias;
  QString QRDependencia;
  QString QRComision;  // line breaks as CR LF, nothing added at the end
  QString QRConductor;
  QString QRConductor2;
  QString QRAdmon;
  QString QRTitular;
  QString QRHorario;
  QString QRVehiculo;
};

// Composes the captions from an entry whose Folio and NoEco are already
// padded.
PermitCaptions ComposeCaptions(const PermitEntry& entry, const DateTimeTexts& texts);

// One date when both validity days are the same, else "d1 al d2" (also when
// the end lies before the start). Date pickers hold whole days, so comparing
// the days alone equals comparing the whole values, and a stray time of day
// cannot split one day into "d al d".
QString ValidityDays(const QDateTime& from, const QDateTime& to, const DateTimeTexts& texts);

}  // namespace permit
