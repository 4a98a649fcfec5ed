#include "TBitBtn.h"

#include <QKeyEvent>

TBitBtn::TBitBtn(QWidget* parent) : QToolButton(parent) {
  setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  setFocusPolicy(Qt::StrongFocus);
}

void TBitBtn::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
    event->accept();
    click();
    return;
  }
  QToolButton::keyPressEvent(event);
}
