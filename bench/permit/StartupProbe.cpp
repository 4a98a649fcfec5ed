// The program's start-up as main() runs it, ending at the first activation
// of the entry window: the activation defaults read the clock first, and
// that first read prints "ready" and ends the process.

#include <unistd.h>

#include <cstdio>

#include "Clock.h"
#include "PrinterDevice.h"
#include "QtPrinterDevice.h"
#include "Startup.h"
#include "TPermisoApplication.h"

namespace {

class TReadyClock final : public platform::IClock {
 public:
  QDateTime Now() override {
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    _exit(0);
  }
};

}  // namespace

int main(int argc, char** argv) {
  TReadyClock clock;
  platform::ScopedClock scoped(&clock);
  TPermisoApplication app(argc, argv);
  TQtPrinterDevice printer;
  ScopedPrinterDevice installed(&printer);
  return RunPermiso(app, LauncherShowRequest());
}
