#pragma once
// A dialog backend for tests: every message dialog and message box the
// program would show is recorded, and message dialogs are answered from a
// script. While installed (it installs itself for its lifetime) nothing
// reaches the screen and nothing waits for a user.
//
//   TScriptedDialogs dialogs;
//   dialogs.Answer(TMsgDlgBtn::No);             // the next message dialog
//   ... run the code under test ...
//   EXPECT_EQ(dialogs.Log(), QStringList({"Confirm: El archivo ya existe. ..."}));
//
// A message dialog without a scripted answer is answered with its first
// (default) button, as pressing Enter would. `onShow` runs while a box is
// "on screen", so a test can look at the program in that moment or act
// (press a button of another window, close the program) before it returns.

#include <QStringList>
#include <deque>
#include <functional>
#include <variant>
#include <vector>

#include "DialogBackend.h"

class TScriptedDialogs final : public platform::IDialogBackend {
 public:
  using TShown = std::variant<platform::MessageDialogRequest, platform::MessageBoxRequest>;

  TScriptedDialogs();
  ~TScriptedDialogs() override;
  TScriptedDialogs(const TScriptedDialogs&) = delete;
  TScriptedDialogs& operator=(const TScriptedDialogs&) = delete;

  // Queues the answer of the next message dialog: a button, or -1 for a
  // dialog closed without choosing one.
  void Answer(TMsgDlgBtn button);
  void AnswerNothing();

  // Everything shown so far, in order.
  const std::vector<TShown>& Shown() const { return shown_; }
  // One line per box: "<title>: <text>" for a message dialog,
  // "<caption>: <text>" for a message box; a CR in the text shows as "|".
  QStringList Log() const;
  // The texts alone, in order.
  QStringList Texts() const;
  void Clear();

  const platform::MessageDialogRequest* LastMessageDialog() const;
  const platform::MessageBoxRequest* LastMessageBox() const;

  std::function<void(const TShown&)> onShow;

  int ExecMessageDialog(const platform::MessageDialogRequest& request) override;
  void ExecMessageBox(const platform::MessageBoxRequest& request) override;

 private:
  std::deque<int> answers_;
  std::vector<TShown> shown_;
  platform::ScopedDialogBackend scope_;
};
