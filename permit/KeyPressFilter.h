#pragma once
// Binds a key-press handler (OnKeyPress) to a box: the handler sees each
// typed character before the box acts on it and may discard it (set it to
// QChar()) or replace it. Control-letter shortcuts reach it as their control
// characters (Ctrl+V as code 22); keys that type nothing (arrows, Delete, Tab)
// never reach it.

#include <QObject>
#include <functional>

using TKeyPressHandler = std::function<void(QChar& key)>;

class KeyPressFilter : public QObject {
  Q_OBJECT
 public:
  // Installs itself on `box` (the line edit of an editable choice box) and is
  // owned by it.
  static KeyPressFilter* Bind(QObject* box, TKeyPressHandler handler);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  KeyPressFilter(QObject* box, TKeyPressHandler handler);
  TKeyPressHandler handler_;
  bool resending_ = false;
};
