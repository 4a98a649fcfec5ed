#pragma once
// The rule every text box of the entry window applies to what enters it,
// typed or pasted: characters Windows-1252 cannot hold are dropped, and an
// upper-case box turns every letter into its upper case by the locale's rules
// (ñ -> Ñ), one character for one.

#include <QValidator>

enum class TCaseRule { AsTyped, Upper };

QString ApplyTextRule(const QString& text, TCaseRule rule);

class TextRuleValidator : public QValidator {
  Q_OBJECT
 public:
  explicit TextRuleValidator(TCaseRule rule, QObject* parent = nullptr);
  State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;

 private:
  TCaseRule rule_;
};
