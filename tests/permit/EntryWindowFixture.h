#pragma once
// A fresh entry window per test, with a settable clock, a scratch home
// folder (so the data folder is the test's own) and dialogs that answer.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
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

// Types `text` into `target` one character at a time, as a keyboard would
// (QTest's key clicks only know ASCII). A CR is the Enter key.
inline void TypeText(QWidget* target, const QString& text) {
  for (QChar c : text) {
    int key = Qt::Key_unknown;
    if (c == u'\r')
      key = Qt::Key_Return;
    else if (c.unicode() < 0x80 && c.isLetterOrNumber())
      key = c.toUpper().unicode();
    else if (c == u' ')
      key = Qt::Key_Space;
    else if (c == u'-')
      key = Qt::Key_Minus;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(target, &release);
  }
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
