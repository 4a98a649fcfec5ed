#include "Termination.h"

#include <QCoreApplication>

namespace platform {
namespace {
bool g_terminated = false;
}

bool TerminationRequested() { return g_terminated; }

void RequestTermination() {
  g_terminated = true;
  // exit() leaves every running event loop, nested ones included.
  if (QCoreApplication::instance()) QCoreApplication::exit(0);
}

void ClearTermination() { g_terminated = false; }

}  // namespace platform
