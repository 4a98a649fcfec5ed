#include "PermitResources.h"

#include <QtGlobal>

static void RegisterPermiso() { Q_INIT_RESOURCE(Permiso); }

void InitPermitResources() {
  static const bool registered = (RegisterPermiso(), true);
  (void)registered;
}
