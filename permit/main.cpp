#include "Startup.h"
#include "TPermisoApplication.h"

int main(int argc, char** argv) {
  TPermisoApplication app(argc, argv);
  return RunPermiso(app, LauncherShowRequest());
}
