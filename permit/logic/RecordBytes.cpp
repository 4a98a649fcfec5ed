#include "RecordBytes.h"

#include "Windows1252.h"

namespace permit {

QByteArray RecordBytes(const QString& text) { return platform::EncodeWindows1252(text, '?'); }

}  // namespace permit
