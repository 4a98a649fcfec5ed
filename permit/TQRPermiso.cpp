#include "TQRPermiso.h"

TQRPermiso* QRPermiso = nullptr;

TQRPermiso::TQRPermiso(QObject* owner) : QObject(owner) {
  setObjectName(QStringLiteral("QRPermiso"));
}

TQRPermiso::~TQRPermiso() {
  if (QRPermiso == this) QRPermiso = nullptr;
}
