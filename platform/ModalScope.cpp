#include "ModalScope.h"

#include <QApplication>

namespace platform {

TModalScope::TModalScope()
    : active_(QApplication::activeWindow()), focus_(QApplication::focusWidget()) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->isVisible() || !window->isEnabled()) continue;
    window->setEnabled(false);
    disabled_.emplace_back(window);
  }
}

TModalScope::~TModalScope() {
  for (const QPointer<QWidget>& window : disabled_)
    if (window) window->setEnabled(true);
  if (active_) active_->activateWindow();
  if (focus_ && focus_->isEnabled()) focus_->setFocus(Qt::OtherFocusReason);
}

}  // namespace platform
