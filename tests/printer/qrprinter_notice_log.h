#pragma once
// A window stand-in that logs the printer's notices in arrival order, as
// "progress 45", "ready 2", "print", "closed".

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QStringList>

#include "QRNotices.h"

class TNoticeLog : public QObject {
 public:
  QStringList lines;
  TQRPrinter* closedPrinter = nullptr;

  // Delivers what has been posted so far.
  QStringList Flush() {
    QCoreApplication::sendPostedEvents(this);
    return lines;
  }

 protected:
  bool event(QEvent* e) override {
    switch (static_cast<int>(e->type())) {
      case QR_PROGRESS:
        lines << QStringLiteral("progress %1").arg(static_cast<TQRProgressNotice*>(e)->Value());
        return true;
      case QR_PAGEREADY:
        lines << QStringLiteral("ready %1").arg(static_cast<TQRPageReadyNotice*>(e)->PageNumber());
        return true;
      case QR_PRINT:
        lines << QStringLiteral("print");
        return true;
      case QR_PREVIEWCLOSED:
        closedPrinter = static_cast<TQRPreviewClosedNotice*>(e)->Printer();
        lines << QStringLiteral("closed");
        return true;
      default:
        return QObject::event(e);
    }
  }
};
