#include "Startup.h"

#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <memory>
#include <vector>

#include "TFormPermiso.h"
#include "TPermisoApplication.h"
#include "TQRPermiso.h"

TShowCommand LauncherShowRequest() { return TShowCommand::Normal; }

void ShowMainWindow(QWidget& window, TShowCommand command) {
  switch (command) {
    case TShowCommand::Minimised:
      window.showMinimized();
      return;
    case TShowCommand::Maximised:
      window.showMaximized();
      return;
    case TShowCommand::Normal:
      break;
  }
  if (QScreen* screen = window.screen()) {
    const QRect area = screen->availableGeometry();
    window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
  }
  window.show();
  window.activateWindow();
}

namespace {

// Quits `loop` right after the first paint of the watched window.
class TFirstPaintWatch : public QObject {
 public:
  explicit TFirstPaintWatch(QEventLoop& loop) : loop_(loop) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) QTimer::singleShot(0, &loop_, &QEventLoop::quit);
    return false;
  }

 private:
  QEventLoop& loop_;
};

}  // namespace

void AwaitFirstPaint(QWidget& window, std::chrono::milliseconds limit) {
  // A minimised window paints only when the user restores it.
  if (!window.isVisible() || window.isMinimized()) return;
  QEventLoop loop;
  TFirstPaintWatch watch(loop);
  window.installEventFilter(&watch);
  QTimer::singleShot(limit, &loop, &QEventLoop::quit);
  loop.exec();
  window.removeEventFilter(&watch);
}

int RunPermiso(TPermisoApplication& app, TShowCommand command) {
  FormPermiso = new TFormPermiso;
  ShowMainWindow(*FormPermiso, command);
  // The permit document is second, and the first paint does not need it:
  // made before, it would keep the window off the screen while the report
  // asks the print system for the printer's paper.
  AwaitFirstPaint(*FormPermiso, std::chrono::milliseconds(500));
  // The application owns the permit document for the whole run.
  std::unique_ptr<TQRPermiso> document = std::make_unique<TQRPermiso>();
  QRPermiso = document.get();
  const int code = app.Terminated() ? 0 : app.exec();
  // The application destroys what it owns: any preview window still open,
  // the entry window and the permit document. Guarded: a window may own
  // another (a dialog of the preview) and take it along.
  std::vector<QPointer<QWidget>> windows;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window != FormPermiso) windows.emplace_back(window);
  for (const QPointer<QWidget>& window : windows) delete window.data();
  delete FormPermiso;
  document.reset();
  return code;
}
