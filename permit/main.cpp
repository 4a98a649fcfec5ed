// The one place where the real platform pieces are made and handed in: the
// application object, the process-wide printer (CUPS, asked for its
// printers only when a dialog or a print first needs them), the export
// formats the preview's save dialog offers, the signals that end the program,
// and the clearing of page files left by killed runs.

#include "PrinterDevice.h"
#include "QRExportFilter.h"
#include "QRPdfFilter.h"
#include "QtPrinterDevice.h"
#include "Startup.h"
#include "TPermisoApplication.h"
#include "TQRStream.h"
#include "Termination.h"

int main(int argc, char** argv) {
  TPermisoApplication app(argc, argv);
  platform::TTerminationSignals endOnSignal;
  // Page stores of earlier runs that were killed; those of running copies
  // are held and stay.
  TQRStream::RemoveAbandonedStoreFiles();
  TQtPrinterDevice printer;
  ScopedPrinterDevice installed(&printer);
  TQRPdfFilter pdf;
  TQRExportFilterRegistration offered(&pdf);
  return RunPermiso(app, LauncherShowRequest());
}
