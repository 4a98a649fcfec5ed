#include "Startup.h"

#include <QScreen>

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
  QRPermiso = new TQRPermiso(&app);
  ShowMainWindow(*FormPermiso, command);
  const int code = app.Terminated() ? 0 : app.exec();
  // The application destroys what it owns: the entry window, the permit
  // document and any preview window still open.
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window != FormPermiso) delete window;
  delete FormPermiso;
  delete QRPermiso;
  return code;
}
