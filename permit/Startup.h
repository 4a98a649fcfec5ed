#pragma once
// Start-up and the main loop: the entry window first (the main window), the
// permit document second, then the message loop until termination.

class TPermisoApplication;
class QWidget;

enum class TShowCommand { Normal, Minimised, Maximised };

// Linux launchers pass no show request; the program starts normal.
TShowCommand LauncherShowRequest();

// Shows the main window as the launcher asked; a normal window is centred on
// the desktop.
void ShowMainWindow(QWidget& window, TShowCommand command);

// Creates FormPermiso and QRPermiso, runs the loop, destroys every window
// still open and returns the exit code.
int RunPermiso(TPermisoApplication& app, TShowCommand command);
