#pragma once
// The application's terminate flag. Closing the main window sets it; every
// nested wait (a preview, a progress window) tests it and returns, and message
// dialogs asked for afterwards show nothing.

#include <memory>

class QSocketNotifier;

namespace platform {

bool TerminationRequested();
void RequestTermination();
// Only for tests that simulate several runs in one process.
void ClearTermination();

// While it lives, SIGTERM and SIGINT end the program as closing its main
// window does: RequestTermination runs from the message loop (nested waits
// included), so every window and page store is freed on the way out and no
// temporary file is left. A second signal before the program has ended ends
// it at once, the system's way. Needs the application object; one at a time.
class TTerminationSignals {
 public:
  TTerminationSignals();
  ~TTerminationSignals();
  TTerminationSignals(const TTerminationSignals&) = delete;
  TTerminationSignals& operator=(const TTerminationSignals&) = delete;

 private:
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace platform
