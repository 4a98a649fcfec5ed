#include "TQRPermiso.h"

#include "DesignLoader.h"
#include "EDesignError.h"
#include "MessageRecordDialogs.h"
#include "PermitResources.h"
#include "QRBand.h"
#include "QRLabel.h"
#include "QRMemo.h"
#include "TFormPermiso.h"
#include "TextRecord.h"

TQRPermiso* QRPermiso = nullptr;

QString PermitDesignPath() { return QStringLiteral(":/designs/QRPermiso.design"); }

TQRPermiso::TQRPermiso(TQRComponent* owner) : TQRReport(owner) {
  InitPermitResources();
  PublishMethod(
      QStringLiteral("QRPermisoAfterPrint"),
      TQRAfterPrintEvent([this](TQRCustomReport* sender) { QRPermisoAfterPrint(sender); }));
  LoadDesignFile(*this, PermitDesignPath());
  SummaryBand1 = Element<TQRBand>("SummaryBand1");
  QRFolio = Element<TQRLabel>("QRFolio");
  QRDias = Element<TQRLabel>("QRDias");
  QRDependencia = Element<TQRLabel>("QRDependencia");
  QRComision = Element<TQRLabel>("QRComision");
  QRConductor = Element<TQRLabel>("QRConductor");
  QRConductor2 = Element<TQRLabel>("QRConductor2");
  QRAdmon = Element<TQRLabel>("QRAdmon");
  QRTitular = Element<TQRLabel>("QRTitular");
  QRHorario = Element<TQRLabel>("QRHorario");
  QRVehiculo = Element<TQRMemo>("QRVehiculo");
}

TQRPermiso::~TQRPermiso() {
  if (QRPermiso == this) QRPermiso = nullptr;
}

template <class T>
T* TQRPermiso::Element(const char* name) const {
  auto* element = dynamic_cast<T*>(FindComponent(QString::fromLatin1(name)));
  // The program writes into these; a design without one is no permit.
  if (element == nullptr)
    throw EDesignError(1, QStringLiteral("the permit design has no %1").arg(QLatin1String(name)));
  return element;
}

void TQRPermiso::ClearCaptions() {
  for (TQRLabel* label : {QRFolio, QRDias, QRDependencia, QRComision, QRConductor, QRHorario})
    label->SetCaption(QString());
  QRVehiculo->SetLines({});
}

void TQRPermiso::WriteCaptions(const permit::PermitCaptions& c) {
  QRFolio->SetCaption(c.QRFolio);
  QRDias->SetCaption(c.QRDias);
  QRDependencia->SetCaption(c.QRDependencia);
  QRComision->SetCaption(c.QRComision);
  QRConductor->SetCaption(c.QRConductor);
  QRConductor2->SetCaption(c.QRConductor2);
  QRAdmon->SetCaption(c.QRAdmon);
  QRTitular->SetCaption(c.QRTitular);
  QRHorario->SetCaption(c.QRHorario);
  QRVehiculo->SetLines({c.QRVehiculo});
}

void TQRPermiso::QRPermisoAfterPrint(TQRCustomReport*) {
  // The record is built from the entry window as it is now, not from the
  // captions: changes typed after PRELIMINAR reach the record.
  const permit::PermitEntry entry = FormPermiso->Entry();
  // The hidden buffer keeps the last record until the next print.
  FormPermiso->RichEdit->setPlainText(permit::TextRecordText(entry, permit::DateTimeTexts()));
  permit::SavePermitRecord(entry);
}
