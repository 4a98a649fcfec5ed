#pragma once
// What the dialog functions hand to the screen. The real backend builds
// QMessageBoxes; tests install a scripted one (tests/support/dialogs).

#include <QString>
#include <vector>

#include "MessageDialogTypes.h"

namespace platform {

struct MessageDialogRequest {
  TMsgDlgType kind = TMsgDlgType::Plain;
  QString title;
  QString text;
  std::vector<TMsgDlgBtn> buttons;  // left to right; the first is the default
  QString picture;                  // resource path replacing the icon, or empty
};

enum class MessageBoxIcon { Information, Error };

struct MessageBoxRequest {
  QString caption;
  QString text;
  MessageBoxIcon icon = MessageBoxIcon::Information;
};

class IDialogBackend {
 public:
  virtual ~IDialogBackend() = default;
  // Runs the dialog modally; the chosen button's code or kNoDialogResult.
  virtual int ExecMessageDialog(const MessageDialogRequest& request) = 0;
  // Runs the standard message box modally over every window of the program.
  virtual void ExecMessageBox(const MessageBoxRequest& request) = 0;
};

// The QMessageBox backend unless a test installed another.
IDialogBackend& DialogBackend();

class ScopedDialogBackend {
 public:
  explicit ScopedDialogBackend(IDialogBackend* backend);
  ~ScopedDialogBackend();
  ScopedDialogBackend(const ScopedDialogBackend&) = delete;
  ScopedDialogBackend& operator=(const ScopedDialogBackend&) = delete;

 private:
  IDialogBackend* previous_;
};

}  // namespace platform
