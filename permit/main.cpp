// The one place where the real platform pieces are made and handed in: the
// application object, the process-wide printer (CUPS, asked for its
// printers only when a dialog or a print first needs them) and the export
// formats the preview's save dialog offers.

#include "PrinterDevice.h"
#include "QRExportFilter.h"
#include "QRPdfFilter.h"
#include "QtPrinterDevice.h"
#include "Startup.h"
#include "TPermisoApplication.h"

int main(int argc, char** argv) {
  TPermisoApplication app(argc, argv);
  TQtPrinterDevice printer;
  ScopedPrinterDevice installed(&printer);
  TQRPdfFilter pdf;
  TQRExportFilterRegistration offered(&pdf);
  return RunPermiso(app, LauncherShowRequest());
}
