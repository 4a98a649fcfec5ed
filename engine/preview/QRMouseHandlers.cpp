#include "QRMouseHandlers.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QWidget>

#include "HandlerGuard.h"

void TQRMouseDispatcher::Prepare(QWidget* widget, const TQRMouseHandlers& handlers) {
  widget->setMouseTracking(bool(handlers.OnMouseMove));
  widget->setAcceptDrops(handlers.OnDragOver || handlers.OnDragDrop);
}

bool TQRMouseDispatcher::Dispatch(QWidget* widget, QObject* sender,
                                  const TQRMouseHandlers& handlers, QEvent* event) {
  bool handled = false;
  // A failing handler ends there and is shown; the event counts as handled.
  platform::RunHandler([&] { handled = DispatchUnguarded(widget, sender, handlers, event); });
  return handled || IsMouseOrDrag(event->type());
}

bool TQRMouseDispatcher::IsMouseOrDrag(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

bool TQRMouseDispatcher::DispatchUnguarded(QWidget* widget, QObject* sender,
                                           const TQRMouseHandlers& handlers, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* e = static_cast<QMouseEvent*>(event);
      if (e->button() == Qt::LeftButton) leftDown_ = true;
      if (handlers.OnMouseDown)
        handlers.OnMouseDown(sender, e->button(), e->modifiers(), e->position().toPoint());
      return true;
    }
    case QEvent::MouseButtonDblClick: {
      auto* e = static_cast<QMouseEvent*>(event);
      if (handlers.OnDblClick) handlers.OnDblClick(sender);
      if (handlers.OnMouseDown)
        handlers.OnMouseDown(sender, e->button(), e->modifiers(), e->position().toPoint());
      return true;
    }
    case QEvent::MouseMove: {
      auto* e = static_cast<QMouseEvent*>(event);
      if (handlers.OnMouseMove)
        handlers.OnMouseMove(sender, e->modifiers(), e->position().toPoint());
      return true;
    }
    case QEvent::MouseButtonRelease: {
      auto* e = static_cast<QMouseEvent*>(event);
      const QPoint at = e->position().toPoint();
      const bool click = e->button() == Qt::LeftButton && leftDown_ && widget->rect().contains(at);
      if (e->button() == Qt::LeftButton) leftDown_ = false;
      if (click && handlers.OnClick) handlers.OnClick(sender);
      if (handlers.OnMouseUp) handlers.OnMouseUp(sender, e->button(), e->modifiers(), at);
      return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* e = static_cast<QDragMoveEvent*>(event);
      bool accept = bool(handlers.OnDragOver);
      if (handlers.OnDragOver) handlers.OnDragOver(sender, e, accept);
      if (accept) {
        e->acceptProposedAction();
      } else {
        e->ignore();
      }
      return true;
    }
    case QEvent::Drop: {
      auto* e = static_cast<QDropEvent*>(event);
      if (handlers.OnDragDrop) handlers.OnDragDrop(sender, e);
      e->acceptProposedAction();
      return true;
    }
    default:
      return false;
  }
}
