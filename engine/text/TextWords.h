#pragma once
// How a text is cut into words for line breaking: a word runs up to and
// including the first space, hyphen or carriage return, or to the end of the
// text. The separator stays with its word, so a line's width includes it.

#include <QStringView>

constexpr bool IsWordEnd(char16_t c) { return c == u' ' || c == u'-' || c == u'\r'; }

// Length of the word that starts at `from` (0 when `from` is at the end).
inline qsizetype WordLength(QStringView text, qsizetype from) {
  qsizetype i = from;
  while (i < text.size()) {
    if (IsWordEnd(text[i++].unicode())) break;
  }
  return i - from;
}
