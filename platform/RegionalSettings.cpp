#include "RegionalSettings.h"

#include <QLocale>

#include <algorithm>

namespace platform {
namespace {

// Removes Qt's time-zone letters ("t", "tt", "ttt"...) and the blanks left
// around them, outside quoted text.
QString WithoutTimeZone(const QString& format) {
  QString out;
  bool quoted = false;
  for (QChar c : format) {
    if (c == u'\'') quoted = !quoted;
    if (!quoted && c == u't') continue;
    out += c;
  }
  return out.trimmed();
}

// Separators pass as they are; only text with letters needs quotes in Qt.
QString QuotedLiteral(const QString& text) {
  if (std::none_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); })) return text;
  QString escaped = text;
  escaped.replace(u'\'', QStringLiteral("''"));
  return u'\'' + escaped + u'\'';
}

bool IsPictureLetter(QChar c) {
  return QStringView(u"dMyhHmst").contains(c);
}

QString TranslateRun(QChar letter, qsizetype count) {
  switch (letter.unicode()) {
    case u'd': return QString(qMin<qsizetype>(count, 4), u'd');
    case u'M': return QString(qMin<qsizetype>(count, 4), u'M');
    case u'y': return count >= 3 ? QStringLiteral("yyyy") : QString(count == 1 ? 1 : 2, u'y');
    case u'h': return QString(qMin<qsizetype>(count, 2), u'h');
    case u'H': return QString(qMin<qsizetype>(count, 2), u'H');
    case u'm': return QString(qMin<qsizetype>(count, 2), u'm');
    case u's': return QString(qMin<qsizetype>(count, 2), u's');
    // Qt's "Ap" is the locale's designator as the locale spells it.
    case u't': return count == 1 ? QStringLiteral("A") : QStringLiteral("Ap");
  }
  return {};
}

}  // namespace

QString ShortDateFormat() { return QLocale::system().dateFormat(QLocale::ShortFormat); }

QString LongTimeFormat() { return WithoutTimeZone(QLocale::system().timeFormat(QLocale::LongFormat)); }

QString DateText(const QDateTime& value) { return QLocale::system().toString(value.date(), ShortDateFormat()); }

QString TimeText(const QDateTime& value) { return QLocale::system().toString(value.time(), LongTimeFormat()); }

QString PickerFormatToQt(const QString& picture) {
  // Qt's h is 12-hour only beside an AM/PM section; the pictures this
  // program uses always pair h with tt.
  QString out;
  QString literal;
  for (qsizetype i = 0; i < picture.size();) {
    const QChar c = picture[i];
    if (c == u'\'') {
      const qsizetype end = picture.indexOf(u'\'', i + 1);
      literal += picture.mid(i + 1, (end < 0 ? picture.size() : end) - i - 1);
      i = end < 0 ? picture.size() : end + 1;
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
