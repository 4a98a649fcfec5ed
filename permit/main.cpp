// The one place where the real platform pieces are made and handed in: the
// application object and the process-wide printer (CUPS, asked for its
// printers only when a dialog or a print first needs them).

#include "PrinterDevice.h"
#include "QtPrinterDevice.h"
#include "Startup.h"
#include "TPermisoApplication.h"

int main(int argc, char** argv) {
  TPermisoApplication app(argc, argv);
  TQtPrinterDevice printer;
  ScopedPrinterDevice installed(&printer);
  return RunPermiso(app, LauncherShowRequest());
}
