#include "QRCommonDialog.h"

#include <QApplication>
#include <QScreen>

void CentreDialogWindow(QWidget& window) {
  QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  const QSize size = window.frameGeometry().size();
  const int x = (area.width() - size.width()) / 2;
  const int y = (area.height() - size.height()) / 3;
  window.move(area.left() + x, area.top() + y);
}

void TQRCommonDialog::DialogShown(QWidget* window) {
  window_ = window;
  if (window) CentreDialogWindow(*window);
  if (OnShow) OnShow(*this);
}

void TQRCommonDialog::DialogClosed() {
  window_ = nullptr;
  if (OnClose) OnClose(*this);
}

bool TQRCommonDialog::TaskModalRun(const std::function<bool()>& dialog) {
  QPointer<QWidget> active = QApplication::activeWindow();
  struct Restore {
    QPointer<QWidget>& window;
    ~Restore() {
      if (window) window->activateWindow();
    }
  } restore{active};
  // The dialog runs application-modal, which keeps the other windows from
  // taking input while it shows.
  return dialog();
}
