#pragma once
// The entry window, built from TFormPermiso.ui. Its controls are public under
// their design names (FormPermiso->Folio, ->Placa ...): the permit document's
// after-print handler reads them through the global reference.

#include <QPointer>
#include <QWidget>

#include "PermitEntry.h"
#include "ui_TFormPermiso.h"

class TFormPermiso : public QWidget, public Ui::TFormPermiso {
  Q_OBJECT
 public:
  explicit TFormPermiso(QWidget* parent = nullptr);
  ~TFormPermiso() override;

  // Handlers bound by the design.
  void FormActivate();
  void NoEcoKeyPress(QChar& Key);
  void ComisionKeyPress(QChar& Key);
  void BtnPreliminarClick();

  // What the window holds now, as the preview command and the text record
  // read it.
  permit::PermitEntry Entry() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ApplyDesignProperties();
  void LoadPictures();
  void BindHandlers();
  // Activated again, the window gives the focus back to the control that had
  // it when the person left the window (normally PRELIMINAR): a box that
  // disabled the windows meanwhile makes the window forget it, and its first
  // control (Folio) would take keys meant for the button.
  void RememberFocus(QWidget* old, QWidget* now);
  void RestoreFocus();

  QPointer<QWidget> lastFocus_;
  QMetaObject::Connection focusWatch_;
};

// The entry window; created first at start-up, lives for the whole run.
extern TFormPermiso* FormPermiso;
