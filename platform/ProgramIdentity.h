#pragma once
// The two names the program takes from its own file name. The application
// title (taskbar text, error-box caption): the file name without folder, cut
// at its first full stop, every character after the first lower-cased. The
// program name (title of the plain message dialog): the file name without
// folder and without the executable extension, spelled as stored.

#include <QString>

namespace platform {

QString ApplicationTitleOf(const QString& programFile);
QString ProgramNameOf(const QString& programFile);

// The running program's names, fixed once at start-up from its file.
void SetProgramFile(const QString& programFile);
QString ApplicationTitle();
QString ProgramName();

}  // namespace platform
