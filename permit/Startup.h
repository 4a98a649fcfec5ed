#pragma once
// Start-up and the main loop: the entry window first (the main window), the
// permit document second, then the message loop until termination.

#include <chrono>

class TPermisoApplication;
class QWidget;

enum class TShowCommand { Normal, Minimised, Maximised };

// Linux launchers pass no show request; the program starts normal.
TShowCommand LauncherShowRequest();

// Shows the main window as the launcher asked; a normal window is centred on
// the desktop.
void ShowMainWindow(QWidget& window, TShowCommand command);

// Handles messages until `window` has painted itself once, at most `limit`
// (at once for a window that is hidden or minimised).
void AwaitFirstPaint(QWidget& window, std::chrono::milliseconds limit);

// Creates FormPermiso and shows it, then QRPermiso once the window is on the
// screen; runs the loop, destroys every window still open and returns the
// exit code.
int RunPermiso(TPermisoApplication& app, TShowCommand command);
