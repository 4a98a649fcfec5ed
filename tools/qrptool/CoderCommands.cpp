#include "CoderCommands.h"

#include "Errors.h"
#include "TQRCompress.h"

QByteArray CompressInput(const QByteArray& plain) { return CompressBytes(plain); }

QByteArray ExpandInput(const QByteArray& packed, qint64 count) {
  // One bit is the shortest code, so no input can hold more than 8 bytes per
  // byte: a larger count is refused before anything is allocated for it.
  if (count < 0 || count > qint64(packed.size()) * 8) throw EReadError();
  return ExpandBytes(packed, static_cast<std::size_t>(count));
}
