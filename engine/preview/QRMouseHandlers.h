#pragma once
// Mouse handlers a program can set on the preview control. The control
// copies them to its page image when a printer is attached, so that a click
// on the page reaches the same handlers as a click beside it. Positions are
// in the receiving control's own pixels; the sender is the control that
// received the event.

#include <QPoint>
#include <functional>

class QObject;
class QDragMoveEvent;
class QDropEvent;

struct TQRMouseHandlers {
  std::function<void(QObject* sender)> OnClick;
  std::function<void(QObject* sender)> OnDblClick;
  std::function<void(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                     QPoint at)>
      OnMouseDown;
  std::function<void(QObject* sender, Qt::KeyboardModifiers shift, QPoint at)> OnMouseMove;
  std::function<void(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                     QPoint at)>
      OnMouseUp;
  // Something dragged over the control: set `accept` to take a drop.
  std::function<void(QObject* sender, QDragMoveEvent* event, bool& accept)> OnDragOver;
  std::function<void(QObject* sender, QDropEvent* event)> OnDragDrop;
};

#include <QEvent>

class QWidget;

// Turns one widget's mouse and drag events into handler calls: a press, a
// move, a release (and a click when the left button went down and up inside
// the widget), a double click, a drag over and a drop.
class TQRMouseDispatcher {
 public:
  // True when `event`, received by `widget`, was a mouse or drag event, now
  // handled; the handlers see `sender` as the control that received it.
  bool Dispatch(QWidget* widget, QObject* sender, const TQRMouseHandlers& handlers, QEvent* event);
  // Mouse moves without a button held need tracking, drops need the widget
  // to accept them.
  static void Prepare(QWidget* widget, const TQRMouseHandlers& handlers);

 private:
  static bool IsMouseOrDrag(QEvent::Type type);
  bool DispatchUnguarded(QWidget* widget, QObject* sender, const TQRMouseHandlers& handlers,
                         QEvent* event);

  bool leftDown_ = false;
};
