#pragma once
// Temporary files for spilled page stores: "QRP" + hexadecimal digits +
// ".TMP" in the temporary folder, created exclusively so that two runs (or two
// programs) never share one.

#include <QString>

namespace platform {

// The temporary folder ($TMPDIR or /tmp), without a trailing slash.
QString TempFolder();

// Creates a new empty file named `prefix` + hex digits + ".TMP" in `folder`
// with O_CREAT|O_EXCL (owner read and write only) and returns its open
// descriptor and path; the caller closes the descriptor. Throws
// std::runtime_error whose what() is the system's reason when no file can
// be created (the folder is missing or not writable, or every name is taken).
struct TempFileHandle {
  int fd = -1;
  QString path;
};
TempFileHandle CreateUniqueTempFile(const QString& folder, const QString& prefix);

}  // namespace platform
