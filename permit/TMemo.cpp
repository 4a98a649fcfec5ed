#include "TMemo.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

#include "Windows1252.h"

TMemo::TMemo(QWidget* parent) : QPlainTextEdit(parent) {}

QString TMemo::Text() const {
  QString text = toPlainText();
  text.replace(u'\n', QStringLiteral("\r\n"));
  return text;
}

void TMemo::SetText(const QString& text) {
  QString plain = text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  setPlainText(platform::KeepWindows1252(plain));
}

void TMemo::insertFromMimeData(const QMimeData* source) {
  if (!source || !source->hasText()) return;
  insertPlainText(platform::KeepWindows1252(source->text()));
}

void TMemo::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  if (!text.isEmpty() && platform::KeepWindows1252(text) != text) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TMemo::inputMethodEvent(QInputMethodEvent* event) {
  const QString kept = platform::KeepWindows1252(event->commitString());
  if (kept == event->commitString()) {
    QPlainTextEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent filtered(event->preeditString(), event->attributes());
  filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&filtered);
  event->accept();
}
