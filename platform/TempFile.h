#pragma once
// Temporary files: spilled page stores ("QRP" + hexadecimal digits + ".TMP"
// in the temporary folder) and new files on their way to their names, each
// created exclusively so that two runs (or two programs) never share one.
//
// A file in use is held with an advisory flock(2) lock for as long as its
// descriptor stays open, so that a program starting later can tell a file
// of a running program from one whose program was killed, and delete only
// the latter. flock, not fcntl's record locks: a record lock belongs to the
// process and goes as soon as the process closes any descriptor of the
// file, so a program testing its own live file would drop its own lock;
// flock belongs to the open file description, so only the holder's own
// close releases it, and the kernel releases it when the holder dies,
// however it dies. (Open-file-description fcntl locks would do as well;
// flock is the simpler call for a whole file.)

#include <QString>

namespace platform {

// The temporary folder ($TMPDIR or /tmp), without a trailing slash.
QString TempFolder();

// Creates a new empty file named `prefix` + hex digits + ".TMP" in `folder`
// with O_CREAT|O_EXCL, holds it with an exclusive lock on the returned
// descriptor, and returns that descriptor and the path; closing the
// descriptor releases the lock. Delete a temporary file before closing it,
// while it is still held. `mode` is handed to open(): the default lets only
// the owner read and write; 0666 gives what any new file of the user gets.
// Throws std::runtime_error whose what() is the system's reason when no file
// can be created (the folder is missing or not writable, or every name is
// taken).
struct TempFileHandle {
  int fd = -1;
  QString path;
};
TempFileHandle CreateUniqueTempFile(const QString& folder, const QString& prefix,
                                    unsigned mode = 0600);

// Deletes the files `prefix` + hex digits + ".TMP" in `folder` that belong
// to this user and that no process holds: those left behind by a program
// that was killed. Files of running programs, other users' files, links and
// anything but plain files are left alone. Returns how many were deleted.
int RemoveAbandonedTempFiles(const QString& folder, const QString& prefix);

}  // namespace platform
