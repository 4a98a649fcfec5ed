#pragma once
// A design that cannot be read: the message names the line it stopped at.

#include "Errors.h"

class EDesignError : public EError {
 public:
  EDesignError(int line, const QString& reason)
      : EError(QStringLiteral("Design error at line %1: %2").arg(line).arg(reason)),
        line_(line),
        reason_(reason) {}
  int Line() const { return line_; }
  const QString& Reason() const { return reason_; }

 private:
  int line_;
  QString reason_;
};
