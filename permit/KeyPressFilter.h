#pragma once
// Binds a key-press handler (OnKeyPress) to a box: the handler sees each
// typed character before the box acts on it and may discard it (set it to
// QChar()) or replace it. Control-letter shortcuts reach it as their control
// characters (Ctrl+V as code 22); keys that type nothing (arrows, Delete, Tab)
// never reach it. Text an input method commits (dead-key accents under ibus
// or fcitx) goes through the handler one character at a time as well.

#include <QObject>
#include <functional>

class QWidget;

using TKeyPressHandler = std::function<void(QChar& key)>;

class KeyPressFilter : public QObject {
  Q_OBJECT
 public:
  // Installs itself on `box` and is owned by it. An editable choice box holds
  // the keyboard focus itself and hands keys and input-method text to its
  // line edit by a direct call that passes no filter there, so the filter
  // watches the box; it watches the line edit too, for what is sent to it.
  static KeyPressFilter* Bind(QWidget* box, TKeyPressHandler handler);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  KeyPressFilter(QObject* box, TKeyPressHandler handler);
  // `typed` after the handler: replaced characters in place, discarded ones
  // gone.
  QString Filtered(const QString& typed);
  bool FilterKeyPress(QObject* watched, QEvent* event);
  void FilterCommit(QEvent* event);

  TKeyPressHandler handler_;
  bool resending_ = false;
};
