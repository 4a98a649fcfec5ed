#pragma once
// The record's bytes: Windows-1252, one byte per character. The entry window
// admits only characters this code page holds; anything else that still
// arrives becomes "?", as the code page conversion of the original system
// does, so the record is written rather than lost.

#include <QByteArray>
#include <QString>

namespace permit {

QByteArray RecordBytes(const QString& text);

}  // namespace permit
