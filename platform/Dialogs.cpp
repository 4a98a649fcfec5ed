#include "Dialogs.h"

#include <QPointer>
#include <QWidget>

#include "DialogBackend.h"
#include "DialogResources.h"
#include "EInvalidOperation.h"
#include "Errors.h"
#include "ModalScope.h"
#include "ProgramIdentity.h"
#include "StayOnTopYield.h"
#include "Termination.h"

std::vector<TMsgDlgBtn> TMsgDlgButtons::InShownOrder() const {
  using B = TMsgDlgBtn;
  // Yes, No, Cancel is the one standard set not in code order.
  if (*this == TMsgDlgButtons{B::Yes, B::No, B::Cancel}) return {B::Yes, B::No, B::Cancel};
  std::vector<TMsgDlgBtn> shown;
  for (int code = 1; code <= 7; ++code)
    if (Contains(static_cast<B>(code))) shown.push_back(static_cast<B>(code));
  return shown;
}

namespace {

QString TitleOf(TMsgDlgType kind) {
  switch (kind) {
    case TMsgDlgType::Plain:
      return platform::ProgramName();
    case TMsgDlgType::Information:
      return QStringLiteral("Information");
    case TMsgDlgType::Warning:
      return QStringLiteral("Warning");
    case TMsgDlgType::Error:
      return QStringLiteral("Error");
    case TMsgDlgType::Confirmation:
      return QStringLiteral("Confirm");
  }
  return {};
}

// Ends a drag or a held button before a box takes the input.
void CancelMouseMode() {
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
}

}  // namespace

int ShowMessageDialog(const QString& text, TMsgDlgType kind, TMsgDlgButtons buttons) {
  if (platform::TerminationRequested()) return kNoDialogResult;
  platform::MessageDialogRequest request;
  request.kind = kind;
  request.title = TitleOf(kind);
  request.text = text;
  request.buttons = buttons.InShownOrder();
  if (request.buttons.size() > 3)
    throw EInvalidOperation(QStringLiteral("Too many buttons specified for message box"));
  // A dialog nobody can answer would hold the program for good.
  if (request.buttons.empty())
    throw EInvalidOperation(QStringLiteral("No buttons specified for message box"));
  platform::InitDialogResources();
  if (kind == TMsgDlgType::Confirmation) request.picture = QStringLiteral(":/MSGDLG_CONFIRM");

  QPointer<QWidget> grabber = QWidget::mouseGrabber();
  if (grabber) grabber->releaseMouse();
  platform::TStayOnTopYield inView;
  const int result = platform::DialogBackend().ExecMessageDialog(request);
  if (grabber) grabber->grabMouse();
  return result;
}

void ShowPlainMessage(const QString& text) {
  ShowMessageDialog(text, TMsgDlgType::Plain, {TMsgDlgBtn::OK});
}

void ShowNotice(const QString& text, const QString& caption) {
  platform::TModalScope modal;
  platform::TStayOnTopYield inView;
  platform::DialogBackend().ExecMessageBox({caption, text, platform::MessageBoxIcon::Information});
}

QString ErrorBoxText(const QString& message) {
  if (!message.isEmpty() && message.back().unicode() > u'.') return message + u'.';
  return message;
}

void ShowErrorBox(const std::exception& error) {
  CancelMouseMode();
  if (dynamic_cast<const EAbort*>(&error)) return;
  const auto* own = dynamic_cast<const EError*>(&error);
  const QString message = own ? own->Message() : QString::fromLocal8Bit(error.what());
  platform::TModalScope modal;
  platform::TStayOnTopYield inView;
  platform::DialogBackend().ExecMessageBox(
      {platform::ApplicationTitle(), ErrorBoxText(message), platform::MessageBoxIcon::Error});
}
