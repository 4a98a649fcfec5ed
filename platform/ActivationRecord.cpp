#include "ActivationRecord.h"

#include <QApplication>
#include <QWindow>
#include <algorithm>

#include "HandlerGuard.h"

namespace platform {

ActivationRecord& ActivationRecord::Instance() {
  static ActivationRecord* record = new ActivationRecord;
  return *record;
}

ActivationRecord::ActivationRecord() = default;

void ActivationRecord::ListenToApplication() {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (!app || listening_ == app) return;
  listening_ = app;
  // The window that takes the keyboard focus, also one without any control
  // that accepts focus (a window gets the focus itself then).
  connect(app, &QGuiApplication::focusWindowChanged, this, [this](QWindow* window) {
    if (!window) return;
    for (const Entry& entry : entries_)
      if (entry.window && entry.window->windowHandle() == window) {
        FocusEntered(entry.window);
        return;
      }
  });
}

ActivationRecord::Entry* ActivationRecord::Find(QWidget* window) {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [window](const Entry& e) { return e.window == window; });
  return it == entries_.end() ? nullptr : &*it;
}

void ActivationRecord::Register(QWidget* window, std::function<void()> onActivate) {
  if (!window) return;
  ListenToApplication();
  window = window->window();
  if (Entry* existing = Find(window)) {
    existing->onActivate = std::move(onActivate);
    return;
  }
  entries_.push_back({window, std::move(onActivate)});
  connect(window, &QObject::destroyed, this,
          [this] { std::erase_if(entries_, [](const Entry& e) { return e.window.isNull(); }); });
}

void ActivationRecord::Unregister(QWidget* window) {
  if (!window) return;
  std::erase_if(entries_, [w = window->window()](const Entry& e) { return e.window == w; });
  if (current_ == window->window()) current_ = nullptr;
}

void ActivationRecord::FocusEntered(QWidget* widget) {
  if (!widget) return;
  QWidget* window = widget->window();
  Entry* entry = Find(window);
  if (!entry || current_ == window) return;
  current_ = window;
  // Copied: the handler may register or unregister windows.
  const std::function<void()> onActivate = entry->onActivate;
  if (onActivate) RunHandler(onActivate);
}

}  // namespace platform
