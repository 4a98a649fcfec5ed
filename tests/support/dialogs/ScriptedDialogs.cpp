#include "ScriptedDialogs.h"

namespace {

QString LogText(const QString& text) {
  QString out = text;
  out.replace(QStringLiteral("\r\n"), QStringLiteral("|"));
  out.replace(u'\r', u'|');
  out.replace(u'\n', u'|');
  return out;
}

}  // namespace

TScriptedDialogs::TScriptedDialogs() : scope_(this) {}

TScriptedDialogs::~TScriptedDialogs() = default;

void TScriptedDialogs::Answer(TMsgDlgBtn button) { answers_.push_back(static_cast<int>(button)); }

void TScriptedDialogs::AnswerNothing() { answers_.push_back(kNoDialogResult); }

QStringList TScriptedDialogs::Log() const {
  QStringList lines;
  for (const TShown& shown : shown_) {
    if (const auto* dialog = std::get_if<platform::MessageDialogRequest>(&shown))
      lines << dialog->title + QStringLiteral(": ") + LogText(dialog->text);
    else if (const auto* box = std::get_if<platform::MessageBoxRequest>(&shown))
      lines << box->caption + QStringLiteral(": ") + LogText(box->text);
  }
  return lines;
}

QStringList TScriptedDialogs::Texts() const {
  QStringList texts;
  for (const TShown& shown : shown_) {
    if (const auto* dialog = std::get_if<platform::MessageDialogRequest>(&shown))
      texts << dialog->text;
    else if (const auto* box = std::get_if<platform::MessageBoxRequest>(&shown))
      texts << box->text;
  }
  return texts;
}

void TScriptedDialogs::Clear() {
  shown_.clear();
  answers_.clear();
}

const platform::MessageDialogRequest* TScriptedDialogs::LastMessageDialog() const {
  for (auto it = shown_.rbegin(); it != shown_.rend(); ++it)
    if (const auto* dialog = std::get_if<platform::MessageDialogRequest>(&*it)) return dialog;
  return nullptr;
}

const platform::MessageBoxRequest* TScriptedDialogs::LastMessageBox() const {
  for (auto it = shown_.rbegin(); it != shown_.rend(); ++it)
    if (const auto* box = std::get_if<platform::MessageBoxRequest>(&*it)) return box;
  return nullptr;
}

int TScriptedDialogs::ExecMessageDialog(const platform::MessageDialogRequest& request) {
  shown_.push_back(request);
  // A copy: onShow may open further boxes, which grow the list.
  if (onShow) onShow(TShown(request));
  if (answers_.empty())
    return request.buttons.empty() ? kNoDialogResult : static_cast<int>(request.buttons.front());
  const int answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void TScriptedDialogs::ExecMessageBox(const platform::MessageBoxRequest& request) {
  shown_.push_back(request);
  if (onShow) onShow(TShown(request));
}
