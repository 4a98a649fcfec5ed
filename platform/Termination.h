#pragma once
// The application's terminate flag. Closing the main window sets it; every
// nested wait (a preview, a progress window) tests it and returns, and message
// dialogs asked for afterwards show nothing.

namespace platform {

bool TerminationRequested();
void RequestTermination();
// Only for tests that simulate several runs in one process.
void ClearTermination();

}  // namespace platform
