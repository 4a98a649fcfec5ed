#pragma once
// The file operations the text record needs, on POSIX. Paths are QStrings
// turned into the file system's encoding; a path holding a NUL character is
// refused, since the system calls would silently cut it there.

#include <QByteArray>
#include <QString>

namespace permit {

// True when something other than a folder has this name.
bool IsExistingFile(const QString& path);

// Renames `from` to `to` only when nothing has the name `to`; never replaces.
// False on any refusal of the file system.
bool RenameNoReplace(const QString& from, const QString& to);

// Creates the file or empties it, for reading and writing, locked against
// other writers while open, and writes all of `bytes`. The final name is
// never followed as a symbolic link. Throws EFCreateError
// ("Cannot create file "<path>". <reason>") when the file cannot be opened
// and EWriteError ("Stream write error") when fewer bytes reach it. The file
// is closed on every path.
void WriteWholeFile(const QString& path, const QByteArray& bytes);

// The message of a file that cannot be created.
QString CannotCreateFileMessage(const QString& path, const QString& reason);

}  // namespace permit
