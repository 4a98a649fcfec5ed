#pragma once
// A fresh entry window per test, with a settable clock, a scratch home
// folder (so the data folder is the test's own) and dialogs that answer.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <memory>

#include "Clock.h"
#include "QtPrintTo.h"
#include "ScriptedDialogs.h"
#include "TFormPermiso.h"

// Returns `now`, then moves it on by `step` milliseconds for the next read.
class TSteppingClock final : public platform::IClock {
 public:
  QDateTime now{QDate(2026, 12, 10), QTime(13, 5, 7, 250)};
  qint64 stepMs = 0;
  int reads = 0;
  QDateTime Now() override {
    ++reads;
    const QDateTime current = now;
    now = now.addMSecs(stepMs);
    return current;
  }
};

// The key of a keyboard that types `c`, as the window system names it;
// characters without a key of their own (ñ, á) come as Qt::Key_unknown with
// their text, as a keyboard layout that has them sends them.
inline int KeyOf(QChar c) {
  if (c == u'\r') return Qt::Key_Return;
  if (c == u'\b') return Qt::Key_Backspace;
  if (c.unicode() < 0x80 && c.isLetterOrNumber()) return c.toUpper().unicode();
  if (c == u' ') return Qt::Key_Space;
  if (c == u'-') return Qt::Key_Minus;
  return Qt::Key_unknown;
}

// Presses and releases `key` as the keyboard does: the window system hands
// the events to the window that has the focus, which offers them as a
// shortcut first and then gives them to the widget that has the keyboard
// focus (QApplication::focusWidget()), never to a widget the test picked.
inline void PressAtFocus(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QWindow* window = QGuiApplication::focusWindow();
  if (window == nullptr) {
    ADD_FAILURE() << "no window has the keyboard focus";
    return;
  }
  QTest::sendKeyEvent(QTest::Click, window, Qt::Key(key), text, modifiers);
}

// Ctrl with a letter: the text is the control character (Ctrl+V is 22).
inline void PressControlAtFocus(char letter) {
  PressAtFocus(Qt::Key_A + (letter - 'A'), Qt::ControlModifier,
               QString(QChar(char16_t(letter - 'A' + 1))));
}

// Types `text` one character at a time at the keyboard focus. A CR is the
// Enter key, a BS the backspace key.
inline void TypeAtFocus(const QString& text) {
  for (QChar c : text) PressAtFocus(KeyOf(c), Qt::NoModifier, QString(c));
}

// Text committed by an input method (a dead key's accent under ibus or
// fcitx arrives so): one input-method event to the object that has the focus.
inline void CommitAtFocus(const QString& text) {
  QObject* focus = QGuiApplication::focusObject();
  if (focus == nullptr) {
    ADD_FAILURE() << "nothing has the focus";
    return;
  }
  QInputMethodEvent event;
  event.setCommitString(text);
  QCoreApplication::sendEvent(focus, &event);
}

class EntryWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    oldHome_ = qgetenv("HOME");
    qputenv("HOME", home_.path().toLocal8Bit());
    form_ = std::make_unique<TFormPermiso>();
    FormPermiso = form_.get();
  }

  void TearDown() override {
    form_.reset();
    qputenv("HOME", oldHome_);
  }

  // Shows the window and waits until it is active (which runs FormActivate).
  void ShowAndActivate() {
    form_->show();
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  }

  QString DataFolder() const { return home_.path() + QStringLiteral("/Permiso"); }

  QTemporaryDir home_;
  QByteArray oldHome_;
  TSteppingClock clock_;
  platform::ScopedClock scopedClock_{&clock_};
  TScriptedDialogs dialogs_;
  std::unique_ptr<TFormPermiso> form_;
};
