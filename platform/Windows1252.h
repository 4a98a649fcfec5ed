#pragma once
// The Windows-1252 code page: which characters it holds, and conversion at
// the file boundary. Inside the program text is QString; the entry window
// accepts only characters this code page can hold, so that screen, paper and
// record show the same text.

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

// True when the code page has a byte for `c`. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) and every surrogate are
// not held.
bool IsWindows1252(QChar c);

// `text` without the characters the code page cannot hold (a surrogate pair
// goes as a whole).
QString KeepWindows1252(const QString& text);

// nullopt when some character of `text` cannot be held.
std::optional<QByteArray> EncodeWindows1252(const QString& text);
// Every character the code page cannot hold becomes `replacement` (a
// surrogate pair is one character, so one byte).
QByteArray EncodeWindows1252(const QString& text, char replacement);
// Every byte decodes; an undefined one becomes the control character of the
// same number, as Windows does.
QString DecodeWindows1252(const QByteArray& bytes);

}  // namespace platform
