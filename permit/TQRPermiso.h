#pragma once
// The permit document: a report loaded at start-up from its design
// (resources/QRPermiso.design), never shown as a window of its own. The
// preview command writes the ten variable texts through the fields below;
// every print run ends in QRPermisoAfterPrint, which writes the text record
// from the entry window as it is at that moment.

#include <QString>

#include "PermitCaptions.h"
#include "QRReport.h"

class TQRBand;
class TQRImage;
class TQRLabel;
class TQRMemo;

class TQRPermiso : public TQRReport {
 public:
  // Loads the design; a design that cannot be loaded raises EDesignError.
  explicit TQRPermiso(TQRComponent* owner = nullptr);
  ~TQRPermiso() override;

  QString ClassName() const override { return QStringLiteral("TQRPermiso"); }

  // Empties the captions the preview command clears before it writes them:
  // QRFolio, QRDias, QRDependencia, QRComision, QRConductor, QRHorario and
  // the lines of QRVehiculo.
  void ClearCaptions();
  // Writes the ten variable texts, in the preview command's order.
  void WriteCaptions(const permit::PermitCaptions& captions);

  // The design's AfterPrint handler.
  void QRPermisoAfterPrint(TQRCustomReport* sender);

  // Design elements the program addresses by name.
  TQRBand* SummaryBand1 = nullptr;
  TQRLabel* QRFolio = nullptr;
  TQRLabel* QRDias = nullptr;
  TQRLabel* QRDependencia = nullptr;
  TQRLabel* QRComision = nullptr;
  TQRLabel* QRConductor = nullptr;
  TQRLabel* QRConductor2 = nullptr;
  TQRLabel* QRAdmon = nullptr;
  TQRLabel* QRTitular = nullptr;
  TQRLabel* QRHorario = nullptr;
  TQRMemo* QRVehiculo = nullptr;

 private:
  template <class T>
  T* Element(const char* name) const;
};

// Where the design is read from.
QString PermitDesignPath();

// The permit document; created second at start-up, lives for the whole run.
extern TQRPermiso* QRPermiso;
