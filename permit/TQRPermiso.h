#pragma once
// The permit document. Until the report engine lands this is a plain object
// with the document's name; the permit document design replaces it.

#include <QObject>

class TQRPermiso : public QObject {
  Q_OBJECT
 public:
  explicit TQRPermiso(QObject* owner);
  ~TQRPermiso() override;
};

// The permit document; created second at start-up, lives for the whole run.
extern TQRPermiso* QRPermiso;
