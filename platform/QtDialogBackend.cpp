#include "QtDialogBackend.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QScreen>

#include "DialogResources.h"
#include "Pictures.h"

namespace platform {
namespace {

QString CaptionOf(TMsgDlgBtn button) {
  switch (button) {
    case TMsgDlgBtn::OK:
      return QStringLiteral("OK");
    case TMsgDlgBtn::Cancel:
      return QStringLiteral("Cancel");
    case TMsgDlgBtn::Yes:
      return QStringLiteral("&Yes");
    case TMsgDlgBtn::No:
      return QStringLiteral("&No");
    case TMsgDlgBtn::Abort:
      return QStringLiteral("&Abort");
    case TMsgDlgBtn::Retry:
      return QStringLiteral("&Retry");
    case TMsgDlgBtn::Ignore:
      return QStringLiteral("&Ignore");
  }
  return {};
}

QMessageBox::Icon IconOf(TMsgDlgType kind) {
  switch (kind) {
    case TMsgDlgType::Information:
      return QMessageBox::Information;
    case TMsgDlgType::Warning:
      return QMessageBox::Warning;
    case TMsgDlgType::Error:
      return QMessageBox::Critical;
    case TMsgDlgType::Plain:
    case TMsgDlgType::Confirmation:
      return QMessageBox::NoIcon;
  }
  return QMessageBox::NoIcon;
}

// Opens a parentless box on the monitor of the window the user works in.
void PlaceOnActiveScreen(QMessageBox& box) {
  QWidget* active = QApplication::activeWindow();
  if (!active || !active->screen()) return;
  box.adjustSize();
  const QRect area = active->screen()->availableGeometry();
  box.move(area.center() - QPoint(box.width() / 2, box.height() / 2));
}

}  // namespace

QString WithLineFeeds(const QString& text) {
  QString out = text;
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  out.replace(u'\r', u'\n');
  return out;
}

std::unique_ptr<QMessageBox> BuildMessageDialog(const MessageDialogRequest& request) {
  InitDialogResources();
  auto box = std::make_unique<QMessageBox>();
  box->setWindowTitle(request.title);
  box->setTextFormat(Qt::PlainText);
  box->setText(WithLineFeeds(request.text));
  if (!request.picture.isEmpty())
    box->setIconPixmap(TransparentBitmap(request.picture, box->devicePixelRatioF()));
  else
    box->setIcon(IconOf(request.kind));
  // One role for all keeps the buttons in the order given, whatever the
  // desktop's button layout; so no button answers the escape key either.
  for (TMsgDlgBtn code : request.buttons) {
    QPushButton* button = box->addButton(CaptionOf(code), QMessageBox::ActionRole);
    button->setProperty("code", static_cast<int>(code));
    if (code == request.buttons.front()) box->setDefaultButton(button);
  }
  return box;
}

std::unique_ptr<QMessageBox> BuildMessageBox(const MessageBoxRequest& request) {
  auto box = std::make_unique<QMessageBox>();
  box->setWindowTitle(request.caption);
  box->setTextFormat(Qt::PlainText);
  box->setText(WithLineFeeds(request.text));
  box->setIcon(request.icon == MessageBoxIcon::Error ? QMessageBox::Critical
                                                     : QMessageBox::Information);
  box->setStandardButtons(QMessageBox::Ok);
  box->setDefaultButton(QMessageBox::Ok);
  // The other windows take no input while the box shows.
  box->setWindowModality(Qt::ApplicationModal);
  return box;
}

int QtDialogBackend::ExecMessageDialog(const MessageDialogRequest& request) {
  auto box = BuildMessageDialog(request);
  box->exec();
  QAbstractButton* chosen = box->clickedButton();
  return chosen ? chosen->property("code").toInt() : kNoDialogResult;
}

void QtDialogBackend::ExecMessageBox(const MessageBoxRequest& request) {
  auto box = BuildMessageBox(request);
  PlaceOnActiveScreen(*box);
  box->exec();
}

namespace {
QtDialogBackend g_qtBackend;
IDialogBackend* g_backend = &g_qtBackend;
}  // namespace

IDialogBackend& DialogBackend() { return *g_backend; }

ScopedDialogBackend::ScopedDialogBackend(IDialogBackend* backend) : previous_(g_backend) {
  g_backend = backend ? backend : &g_qtBackend;
}

ScopedDialogBackend::~ScopedDialogBackend() { g_backend = previous_; }

}  // namespace platform
