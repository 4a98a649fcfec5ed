#pragma once
// The program's modal boxes. Message dialogs (plain, information, warning,
// error, confirmation) come from ShowMessageDialog; the notice box and the
// error box are the standard message box. All of them reach the screen
// through the installed dialog backend (platform::DialogBackend), so tests
// see what would be shown and answer it.

#include <QString>
#include <exception>

#include "MessageDialogTypes.h"

// Shows the dialog and returns the code of the chosen button; -1 without
// showing anything once the application is terminating. Throws
// EInvalidOperation for a set of more than three buttons (or none).
int ShowMessageDialog(const QString& text, TMsgDlgType kind, TMsgDlgButtons buttons);

// ShowMessageDialog(text, plain, {OK}).
void ShowPlainMessage(const QString& text);

// Standard message box with the information icon and OK; the program's other
// windows take no input while it shows.
void ShowNotice(const QString& text, const QString& caption);

// Shows an error that escaped a handler: caption = application title, error
// icon, OK. The silent abort (EAbort) shows nothing.
void ShowErrorBox(const std::exception& error);

// The error box's text for `message`: a full stop is appended when the last
// character's code is above that of the full stop (46).
QString ErrorBoxText(const QString& message);
