#include "KeyPressFilter.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QInputMethodEvent>
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

KeyPressFilter* KeyPressFilter::Bind(QWidget* box, TKeyPressHandler handler) {
  auto* filter = new KeyPressFilter(box, std::move(handler));
  box->installEventFilter(filter);
  if (auto* combo = qobject_cast<QComboBox*>(box); combo && combo->lineEdit())
    combo->lineEdit()->installEventFilter(filter);
  return filter;
}

KeyPressFilter::KeyPressFilter(QObject* box, TKeyPressHandler handler)
    : QObject(box), handler_(std::move(handler)) {}

QString KeyPressFilter::Filtered(const QString& typed) {
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
  return result;
}

bool KeyPressFilter::eventFilter(QObject* watched, QEvent* event) {
  if (resending_) return false;
  if (event->type() == QEvent::KeyPress) return FilterKeyPress(watched, event);
  if (event->type() == QEvent::InputMethod) FilterCommit(event);
  return false;
}

bool KeyPressFilter::FilterKeyPress(QObject* watched, QEvent* event) {
  auto* key = static_cast<QKeyEvent*>(event);
  const QString typed = TypedText(*key);
  if (typed.isEmpty()) return false;
  const QString result = Filtered(typed);
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

// The committed text is changed in the event itself, which then goes on: the
// same event also carries the input method's pre-edit text, which must
// reach the box whatever happens to the commit.
void KeyPressFilter::FilterCommit(QEvent* event) {
  auto* input = static_cast<QInputMethodEvent*>(event);
  const QString committed = input->commitString();
  if (committed.isEmpty()) return;
  const QString result = Filtered(committed);
  if (result != committed)
    input->setCommitString(result, input->replacementStart(), input->replacementLength());
}
