#pragma once
// How a print run opens its printing-progress window without knowing the
// window (it lives in a library above the report): the report asks the
// installed progress window class for one, made for the run's printer and
// shown or not. The program installs the standard window at start-up;
// without one a print runs with no window. Tests install their own.

#include <QObject>
#include <memory>

class TQRPrinter;

// Makes the window for `printer`, which listens to that printer's notices.
using TQRProgressWindowClass = std::unique_ptr<QObject> (*)(TQRPrinter* printer, bool show);

TQRProgressWindowClass ProgressWindowClass();
void SetProgressWindowClass(TQRProgressWindowClass windowClass);

// The window for one run: none when no class is installed.
std::unique_ptr<QObject> MakeProgressWindow(TQRPrinter* printer, bool show);
