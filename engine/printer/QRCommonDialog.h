#pragma once
// Base of the engine's common dialogs: published Ctl3D and HelpContext, the
// OnShow and OnClose events, and the task-modal run. Its window exists only
// while the dialog runs; when shown it is centred horizontally and placed a
// third of the free height from the top of its screen.

#include <QPointer>
#include <QWidget>

#include <functional>

class TQRCommonDialog {
 public:
  using TNotifyEvent = std::function<void(TQRCommonDialog& sender)>;

  TQRCommonDialog() = default;
  virtual ~TQRCommonDialog() = default;
  TQRCommonDialog(const TQRCommonDialog&) = delete;
  TQRCommonDialog& operator=(const TQRCommonDialog&) = delete;

  bool Ctl3D = true;  // kept for designs; no visible effect
  int HelpContext = 0;
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

  virtual bool Execute() = 0;

  // Called by the system dialog: its window is about to show (null when the
  // dialog has no window of its own), and its window is gone.
  void DialogShown(QWidget* window);
  void DialogClosed();

  // The dialog window while it exists.
  QWidget* Window() const { return window_; }

 protected:
  // Runs `dialog` with the application's other windows disabled and gives
  // the focus back to the window active before, also when it fails.
  bool TaskModalRun(const std::function<bool()>& dialog);

 private:
  QPointer<QWidget> window_;
};

// Moves `window` on its screen to x = (screen width - window width) / 2,
// y = (screen height - window height) / 3 (whole pixels, cut toward zero);
// size, activation and stacking order stay as they are.
void CentreDialogWindow(QWidget& window);
