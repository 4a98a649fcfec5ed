#include "RegionalSettings.h"

#include <QLocale>
#include <algorithm>

namespace platform {
namespace {

// Literal text in Qt's format language. Text with letters goes inside
// quotes, a quote within it doubled; otherwise the separators pass as they
// are and a lone quote character is written as two quotes.
QString QuotedLiteral(const QString& text) {
  QString escaped = text;
  escaped.replace(u'\'', QStringLiteral("''"));
  const bool letters = std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
  return letters ? u'\'' + escaped + u'\'' : escaped;
}

bool IsPictureLetter(QChar c) { return QStringView(u"dMyhHmst").contains(c); }

QString TranslateRun(QChar letter, qsizetype count) {
  switch (letter.unicode()) {
    case u'd':
      return QString(qMin<qsizetype>(count, 4), u'd');
    case u'M':
      return QString(qMin<qsizetype>(count, 4), u'M');
    case u'y':
      return count >= 3 ? QStringLiteral("yyyy") : QString(count == 1 ? 1 : 2, u'y');
    case u'h':
      return QString(qMin<qsizetype>(count, 2), u'h');
    case u'H':
      return QString(qMin<qsizetype>(count, 2), u'H');
    case u'm':
      return QString(qMin<qsizetype>(count, 2), u'm');
    case u's':
      return QString(qMin<qsizetype>(count, 2), u's');
    // Qt's "Ap" is the locale's designator as the locale spells it.
    case u't':
      return count == 1 ? QStringLiteral("A") : QStringLiteral("Ap");
  }
  return {};
}

// Appends the quoted text starting at `start` (a quote) to `literal` and
// returns the index after its closing quote. Two quotes in a row stand for
// one quote character, inside quoted text or on their own.
qsizetype ReadQuoted(const QString& picture, qsizetype start, QString& literal) {
  qsizetype i = start + 1;
  if (i < picture.size() && picture[i] == u'\'') {
    literal += u'\'';
    return i + 1;
  }
  while (i < picture.size()) {
    if (picture[i] != u'\'') {
      literal += picture[i++];
    } else if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
      literal += u'\'';
      i += 2;
    } else {
      return i + 1;
    }
  }
  return i;
}

}  // namespace

QString ShortDateFormat(const QLocale& locale) { return locale.dateFormat(QLocale::ShortFormat); }

QString DateTextFormat(const QLocale& locale) { return WithFourDigitYear(ShortDateFormat(locale)); }

QString WithFourDigitYear(const QString& dateFormat) {
  QString out;
  bool quoted = false;
  for (qsizetype i = 0; i < dateFormat.size();) {
    const QChar c = dateFormat[i];
    if (c == u'\'') quoted = !quoted;
    if (quoted || c != u'y') {
      out += c;
      ++i;
      continue;
    }
    qsizetype run = 1;
    while (i + run < dateFormat.size() && dateFormat[i + run] == u'y') ++run;
    i += run;
    // Qt reads a run of y greedily: four-digit years, then one two-digit
    // year, then a lone y, which is a letter.
    for (; run >= 4; run -= 4) out += QStringLiteral("yyyy");
    if (run >= 2) {
      out += QStringLiteral("yyyy");
      run -= 2;
    }
    if (run == 1) out += u'y';
  }
  return out;
}

QString LongTimeFormat(const QLocale& locale) {
  return WithoutTimeZone(locale.timeFormat(QLocale::LongFormat));
}

QString WithoutTimeZone(const QString& timeFormat) {
  QString kept;
  bool quoted = false;
  for (QChar c : timeFormat) {
    if (c == u'\'') quoted = !quoted;
    if (!quoted && c == u't') continue;
    kept += c;
  }
  kept.remove(QStringLiteral("()"));
  return kept.trimmed();
}

QString PickerFormatToQt(const QString& picture) {
  // Qt's h is 12-hour only beside an AM/PM section; the pictures this
  // program uses always pair h with tt.
  QString out;
  QString literal;
  for (qsizetype i = 0; i < picture.size();) {
    const QChar c = picture[i];
    if (c == u'\'') {
      i = ReadQuoted(picture, i, literal);
      continue;
    }
    if (!IsPictureLetter(c)) {
      literal += c;
      ++i;
      continue;
    }
    qsizetype run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    out += QuotedLiteral(literal);
    literal.clear();
    out += TranslateRun(c, run);
    i += run;
  }
  return out + QuotedLiteral(literal);
}

}  // namespace platform
