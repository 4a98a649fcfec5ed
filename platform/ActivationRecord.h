#pragma once
// Which of the program's own windows last received the keyboard focus.
//
// A window registers with an activation handler. When the focus enters a
// registered window while the record names another window (or none, or a
// window that has since closed), the record moves to it and its handler runs.
// Focus that enters any unregistered window (message boxes, file and printer
// dialogs) or leaves the program changes nothing, so coming back from those,
// or restoring a minimised window, runs no handler.
//
//   ActivationRecord::Instance().Register(previewWindow);          // no handler
//   ActivationRecord::Instance().Register(this, [this] { FormActivate(); });

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

namespace platform {

class ActivationRecord : public QObject {
  Q_OBJECT
 public:
  static ActivationRecord& Instance();

  // Registers a top-level window; it unregisters itself when destroyed.
  // `onActivate` runs through RunHandler.
  void Register(QWidget* window, std::function<void()> onActivate = {});
  void Unregister(QWidget* window);

  // The window the record names, or null.
  QWidget* Current() const { return current_; }

  // The rule itself: the focus has entered `widget` (any widget of any
  // window). Called whenever the focus window of the application changes;
  // tests call it too.
  void FocusEntered(QWidget* widget);

 private:
  ActivationRecord();
  struct Entry {
    QPointer<QWidget> window;
    std::function<void()> onActivate;
  };
  Entry* Find(QWidget* window);
  void ListenToApplication();

  QPointer<QObject> listening_;

  std::vector<Entry> entries_;
  QPointer<QWidget> current_;
};

}  // namespace platform
