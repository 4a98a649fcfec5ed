#include "StayOnTopYield.h"

#include <QApplication>
#include <QWindow>

namespace platform {
namespace {

void SetStaysOnTop(QWidget& window, bool onTop) {
  QWindow* handle = window.windowHandle();
  handle->setFlags(onTop ? handle->flags() | Qt::WindowStaysOnTopHint
                         : handle->flags() & ~Qt::WindowStaysOnTopHint);
}

}  // namespace

TStayOnTopYield::TStayOnTopYield() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->isVisible() || !window->testAttribute(Qt::WA_WState_Created) ||
        !window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
      continue;
    yielded_.emplace_back(window);
    SetStaysOnTop(*window, false);
  }
}

TStayOnTopYield::~TStayOnTopYield() {
  for (const QPointer<QWidget>& window : yielded_)
    if (window && window->isVisible()) SetStaysOnTop(*window, true);
}

}  // namespace platform
