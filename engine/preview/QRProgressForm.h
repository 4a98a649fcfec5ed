#pragma once
// The printing-progress window: a gauge and a percentage for the printer it
// reports on, and a Cancel button that asks the run to stop. It listens to
// the printer's progress notices and never closes itself; the report that
// made it frees it when the run ends.

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class TQRPrinter;

class TQRProgressForm : public QDialog {
  Q_OBJECT

 public:
  explicit TQRProgressForm(TQRPrinter* printer, QWidget* parent = nullptr);

  TQRPrinter* QRPrinter() const { return printer_; }
  void SetQRPrinter(TQRPrinter* printer) { printer_ = printer; }

  QProgressBar* Gauge;
  QLabel* Info;
  QPushButton* CancelButton;

  void CancelButtonClick();

 protected:
  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void ShowProgress();

  TQRPrinter* printer_;
};
