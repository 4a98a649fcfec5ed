#include "TPermisoApplication.h"

#include <QIcon>

#include "HandlerGuard.h"
#include "PermitResources.h"
#include "Pictures.h"
#include "ProgramIdentity.h"
#include "QRProgressForm.h"
#include "QRProgressWindowClass.h"
#include "QRStandardPreview.h"
#include "Termination.h"

TPermisoApplication::TPermisoApplication(int& argc, char** argv) : QApplication(argc, argv) {
  platform::SetProgramFile(argc > 0 && argv[0] ? QString::fromLocal8Bit(argv[0])
                                               : applicationFilePath());
  setApplicationName(platform::ApplicationTitle());
  InitPermitResources();
  const QString icon = QStringLiteral(":/pictures/Permiso.ico");
  QIcon icons(icon);
  icons.addFile(platform::DoubleSizeName(icon));  // used on screens of twice the density
  setWindowIcon(icons);
  // Only the main window ends the program (TFormPermiso::closeEvent).
  setQuitOnLastWindowClosed(false);
  // Reports preview in the standard preview window.
  InstallStandardPreview();
  // A print shows the printing-progress window while it runs.
  SetProgressWindowClass([](TQRPrinter* printer, bool show) -> std::unique_ptr<QObject> {
    auto window = std::make_unique<TQRProgressForm>(printer);
    if (show) window->show();
    return window;
  });
}

QString TPermisoApplication::Title() const { return platform::ApplicationTitle(); }

bool TPermisoApplication::Terminated() const { return platform::TerminationRequested(); }

void TPermisoApplication::Terminate() { platform::RequestTermination(); }

bool TPermisoApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    platform::ShowCurrentError();
    return false;
  }
}
