#include "HandlerGuard.h"

#include <stdexcept>

#include "Dialogs.h"

namespace platform {

void ShowCurrentError() {
  try {
    throw;
  } catch (const std::exception& error) {
    ShowErrorBox(error);
  } catch (...) {
    ShowErrorBox(std::runtime_error("Unknown error"));
  }
}

void RunHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (...) {
    ShowCurrentError();
  }
}

}  // namespace platform
