#pragma once
// The two message dialogs the text record shows, as the record sees them.
// The window's message-dialog service stands behind it; tests answer it.

#include <QString>

namespace permit {

// Button codes of the message dialogs; only Yes is acted on.
inline constexpr int kYesButton = 3;

class RecordDialogs {
 public:
  virtual ~RecordDialogs() = default;
  // Information dialog with one OK button.
  virtual void ShowInformation(const QString& text) = 0;
  // Confirmation dialog with Yes and No; returns the chosen button's code
  // (-1 when none was shown). Anything but kYesButton is taken as No.
  virtual int ShowConfirmation(const QString& text) = 0;
};

}  // namespace permit
