#pragma once
// Temporary files: spilled page stores ("QRP" + hexadecimal digits + ".TMP"
// in the temporary folder) and new files on their way to their names, each
// created exclusively so that two runs (or two programs) never share one.

#include <QString>

namespace platform {

// The temporary folder ($TMPDIR or /tmp), without a trailing slash.
QString TempFolder();

// Creates a new empty file named `prefix` + hex digits + ".TMP" in `folder`
// with O_CREAT|O_EXCL and returns its open descriptor and path; the caller
// closes the descriptor. `mode` is handed to open(): the default lets only
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

}  // namespace platform
