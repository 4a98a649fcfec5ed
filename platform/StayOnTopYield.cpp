#include "StayOnTopYield.h"

#include <QApplication>
#include <QWindow>

namespace platform {
namespace {

// Told to the window system on the shown window itself: changing the
// widget's own flags would hide the window, build it anew and show it again
// elsewhere, handing the keyboard focus around on the way.
void SetStaysOnTop(QWidget& window, bool onTop) {
  QWindow* handle = window.windowHandle();
  handle->setFlags(onTop ? handle->flags() | Qt::WindowStaysOnTopHint
                         : handle->flags() & ~Qt::WindowStaysOnTopHint);
}

}  // namespace

TStayOnTopYield::TStayOnTopYield() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->isVisible() || window->windowHandle() == nullptr ||
        !window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
      continue;
    yielded_.emplace_back(window);
    SetStaysOnTop(*window, false);
  }
}

TStayOnTopYield::~TStayOnTopYield() {
  for (const QPointer<QWidget>& window : yielded_)
    if (window && window->windowHandle() != nullptr) SetStaysOnTop(*window, true);
}

}  // namespace platform
