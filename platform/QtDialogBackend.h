#pragma once
// The real dialog backend: QMessageBox for the message dialogs, the notice
// and the error box.

#include <QMessageBox>
#include <memory>

#include "DialogBackend.h"

namespace platform {

class QtDialogBackend final : public IDialogBackend {
 public:
  int ExecMessageDialog(const MessageDialogRequest& request) override;
  void ExecMessageBox(const MessageBoxRequest& request) override;
};

// The boxes as they would be shown, for tests that look at them without
// running them. A message dialog's buttons carry their code in the property
// "code".
std::unique_ptr<QMessageBox> BuildMessageDialog(const MessageDialogRequest& request);
std::unique_ptr<QMessageBox> BuildMessageBox(const MessageBoxRequest& request);

// Windows message boxes break lines at a lone carriage return; QLabel does not.
QString WithLineFeeds(const QString& text);

}  // namespace platform
