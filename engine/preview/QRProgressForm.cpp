#include "QRProgressForm.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include "ActivationRecord.h"
#include "QRNotices.h"
#include "QRPrinter.h"

TQRProgressForm::TQRProgressForm(TQRPrinter* printer, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      printer_(printer) {
  setObjectName(QStringLiteral("QRProgressForm"));
  setWindowTitle(QStringLiteral("Printing progress"));
  setFixedSize(149, 97);  // client area, pixels

  Gauge = new QProgressBar(this);
  Gauge->setObjectName(QStringLiteral("Gauge"));
  Gauge->setGeometry(16, 18, 114, 16);
  Gauge->setRange(0, 100);
  Gauge->setValue(0);
  Gauge->setTextVisible(false);

  Info = new QLabel(this);
  Info->setObjectName(QStringLiteral("Info"));
  Info->setGeometry(0, 44, 145, 13);
  Info->setAlignment(Qt::AlignCenter);

  CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  CancelButton->setObjectName(QStringLiteral("CancelButton"));
  CancelButton->setGeometry(36, 60, 75, 25);
  connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButtonClick(); });

  // One of the program's own windows: when the focus comes back from it to
  // the entry window, that window is activated again.
  platform::ActivationRecord::Instance().Register(this);
}

void TQRProgressForm::CancelButtonClick() {
  if (printer_) printer_->CancelRun();
}

bool TQRProgressForm::event(QEvent* e) {
  if (e->type() == TQRProgressNotice::Kind) {
    ShowProgress();
    return true;
  }
  if (e->type() == TQRPageReadyNotice::Kind) return true;  // nothing to show per page
  return QDialog::event(e);
}

// The printer's current value is shown, not the notice's: notices are posted
// and may be stale by the time they arrive.
void TQRProgressForm::ShowProgress() {
  if (!printer_) return;
  const int percent = printer_->ProgressPercent();
  if (percent % 5 != 0) return;
  Gauge->setValue(percent);
  Info->setText(QString::number(percent) + QStringLiteral("% ") + QStringLiteral(" Completed"));
  QCoreApplication::processEvents();
}

void TQRProgressForm::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - frameGeometry().width()) / 2,
         area.y() + (area.height() - frameGeometry().height()) / 2);
  }
}
