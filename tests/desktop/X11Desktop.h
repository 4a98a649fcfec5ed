#pragma once
// The desktop as the X server sees it, through the standard tools: input
// with xdotool (it reaches the program as a person's mouse and keyboard
// would), window stacking and rectangles with xwininfo. For a test's driver
// thread; nothing here touches Qt's objects.

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace desktop {

// A window directly below the root: a window manager's frame around a
// program's window, or a window the manager does not frame.
struct TopWindow {
  QString id;    // "0x200261"
  QRect rect;    // on the screen
  QString line;  // as xwininfo describes it
};

// The windows directly below the root, the topmost first.
std::vector<TopWindow> TopWindowsTopFirst();

// The window directly below the root that holds `window` (its frame).
std::optional<QString> TopWindowOf(unsigned long window);

// Mapped and not inside an unmapped window.
bool IsViewable(const QString& id);

// Viewable windows that lie above `window`'s frame and overlap it; empty
// when nothing covers any part of it. `failure` says why it could not be
// told (the window is not on the screen).
std::vector<TopWindow> WindowsCovering(unsigned long window, QString* failure);

// The pointer moves to `point` of the screen and clicks the left button.
void ClickAt(QPoint point);
// Presses and releases a key (an X key name: "Return", "Escape", "space")
// for the window that has the keyboard focus.
void PressKey(const char* keyName);
// Saves the whole screen as a PNG file.
void SaveScreen(const QString& path);

}  // namespace desktop
