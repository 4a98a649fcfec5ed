#include "KeyPressFilter.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "HandlerGuard.h"

namespace {

// The characters a key event types, as the box would receive them.
QString TypedText(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
      return {};
  }
  const auto mods = event.modifiers();
  if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && event.key() >= Qt::Key_A &&
      event.key() <= Qt::Key_Z)
    return QString(QChar(char16_t(event.key() - Qt::Key_A + 1)));
  if (mods & Qt::ControlModifier) return {};
  return event.text();
}

}  // namespace

KeyPressFilter* KeyPressFilter::Bind(QObject* box, TKeyPressHandler handler) {
  if (auto* combo = qobject_cast<QComboBox*>(box); combo && combo->lineEdit())
    box = combo->lineEdit();
  auto* filter = new KeyPressFilter(box, std::move(handler));
  box->installEventFilter(filter);
  return filter;
}

KeyPressFilter::KeyPressFilter(QObject* box, TKeyPressHandler handler)
    : QObject(box), handler_(std::move(handler)) {}

bool KeyPressFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || resending_) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const QString typed = TypedText(*key);
  if (typed.isEmpty()) return false;

  QString result;
  for (QChar c : typed) {
    QChar k = c;
    bool failed = true;
    platform::RunHandler([&] {
      handler_(k);
      failed = false;
    });
    if (!failed && !k.isNull()) result += k;
  }
  if (result == typed) return false;
  if (!result.isEmpty()) {
    // A replaced character acts as if the replacement had been typed.
    QKeyEvent replaced(QEvent::KeyPress, key->key(), key->modifiers() & ~Qt::ControlModifier,
                       result, key->isAutoRepeat(), key->count());
    resending_ = true;
    QCoreApplication::sendEvent(watched, &replaced);
    resending_ = false;
  }
  return true;
}
