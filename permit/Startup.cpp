#include "Startup.h"

#include <QPointer>
#include <QScreen>
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

int RunPermiso(TPermisoApplication& app, TShowCommand command) {
  FormPermiso = new TFormPermiso;
  // The application owns the permit document for the whole run.
  std::unique_ptr<TQRPermiso> document = std::make_unique<TQRPermiso>();
  QRPermiso = document.get();
  ShowMainWindow(*FormPermiso, command);
  const int code = app.Terminated() ? 0 : app.exec();
  // The application destroys what it owns: any preview window still open,
  // the entry window and the permit document.
  // Guarded: a window may own another (a dialog of the preview) and take it
  // along.
  std::vector<QPointer<QWidget>> windows;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window != FormPermiso) windows.emplace_back(window);
  for (const QPointer<QWidget>& window : windows) delete window.data();
  delete FormPermiso;
  document.reset();
  return code;
}
