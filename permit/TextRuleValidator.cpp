#include "TextRuleValidator.h"

#include <QLocale>

#include "Windows1252.h"

namespace {

// A letter whose upper case is several characters (ß) or lies outside the
// code page (µ) stays as it is, as the platform's single-character mapping
// leaves it.
QChar UpperOf(QChar c, const QLocale& locale) {
  const QString upper = locale.toUpper(QString(c));
  return upper.size() == 1 && platform::IsWindows1252(upper[0]) ? upper[0] : c;
}

}  // namespace

QString ApplyTextRule(const QString& text, TCaseRule rule) {
  QString out = platform::KeepWindows1252(text);
  if (rule == TCaseRule::Upper) {
    const QLocale locale = QLocale::system();
    for (QChar& c : out) c = UpperOf(c, locale);
  }
  return out;
}

TextRuleValidator::TextRuleValidator(TCaseRule rule, QObject* parent)
    : QValidator(parent), rule_(rule) {}

QValidator::State TextRuleValidator::validate(QString& input, int& pos) const {
  // Characters dropped before the cursor move it back by as many.
  const int before = static_cast<int>(platform::KeepWindows1252(input.left(pos)).size());
  input = ApplyTextRule(input, rule_);
  pos = qBound(0, before, static_cast<int>(input.size()));
  return Acceptable;
}

void TextRuleValidator::fixup(QString& input) const { input = ApplyTextRule(input, rule_); }
