#include "DialogResources.h"

#include <QtGlobal>

static void RegisterDialogs() { Q_INIT_RESOURCE(Dialogs); }

namespace platform {

void InitDialogResources() {
  static const bool registered = (RegisterDialogs(), true);
  (void)registered;
}

}  // namespace platform
