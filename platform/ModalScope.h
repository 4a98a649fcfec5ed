#pragma once
// While a notice or error box shows, the program's other windows take no
// input: every visible, enabled top-level window is disabled for the scope's
// lifetime. Afterwards they are enabled again, the window that was active is
// activated again and the control that had the focus gets it back, so the
// user continues where the box interrupted.

#include <QPointer>
#include <QWidget>
#include <vector>

namespace platform {

class TModalScope {
 public:
  TModalScope();
  ~TModalScope();
  TModalScope(const TModalScope&) = delete;
  TModalScope& operator=(const TModalScope&) = delete;

 private:
  std::vector<QPointer<QWidget>> disabled_;
  QPointer<QWidget> active_;
  QPointer<QWidget> focus_;
};

}  // namespace platform
