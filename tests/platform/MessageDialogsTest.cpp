// The message dialogs, the notice box and the error box: titles, icons and
// the question picture, buttons in order with the first as default, result
// codes, -1 once the program is terminating, the error-box text rule, the
// other windows blocked while a notice or error box shows, and no window of
// the program staying on top of an open box.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "DialogBackend.h"
#include "Dialogs.h"
#include "EInvalidOperation.h"
#include "Errors.h"
#include "HandlerGuard.h"
#include "ProgramIdentity.h"
#include "QtDialogBackend.h"
#include "QtPrintTo.h"
#include "ScriptedDialogs.h"
#include "Termination.h"

namespace {

using B = TMsgDlgBtn;
using K = TMsgDlgType;

std::vector<B> Buttons(std::initializer_list<B> b) { return b; }

// ---------------------------------------------------------------- kinds

struct KindCase {
  const char* name;
  K kind;
  const char* title;  // null: the program name
  QMessageBox::Icon icon;
};

const KindCase kKinds[] = {
    {"Plain", K::Plain, nullptr, QMessageBox::NoIcon},
    {"Information", K::Information, "Information", QMessageBox::Information},
    {"Warning", K::Warning, "Warning", QMessageBox::Warning},
    {"Error", K::Error, "Error", QMessageBox::Critical},
    {"Confirmation", K::Confirmation, "Confirm", QMessageBox::NoIcon},
};

class DialogKindTest : public testing::TestWithParam<KindCase> {};

TEST_P(DialogKindTest, TitleIconAndPicture) {
  const KindCase& c = GetParam();
  platform::SetProgramFile(QStringLiteral("/opt/PERMIT.V2"));
  TScriptedDialogs dialogs;
  EXPECT_EQ(ShowMessageDialog(QStringLiteral("Texto"), c.kind, {B::OK}), 1);
  const auto* shown = dialogs.LastMessageDialog();
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->title, c.title ? QString(c.title) : QStringLiteral("PERMIT.V2"));
  EXPECT_EQ(shown->text, QStringLiteral("Texto"));

  const auto box = platform::BuildMessageDialog(*shown);
  EXPECT_EQ(box->windowTitle(), shown->title);
  EXPECT_EQ(box->icon(), c.icon);
  if (c.kind == K::Confirmation) {
    // The question picture replaces the icon; its olive background is
    // transparent, the bubble is not.
    const QImage picture = box->iconPixmap().toImage();
    ASSERT_EQ(picture.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(picture.pixel(0, 31)), 0);
    EXPECT_EQ(qAlpha(picture.pixel(31, 0)), 0);
    EXPECT_EQ(qAlpha(picture.pixel(16, 12)), 255);
  }
  platform::SetProgramFile(QStringLiteral("Permiso"));
}

INSTANTIATE_TEST_SUITE_P(Table, DialogKindTest, testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- buttons

struct ButtonCase {
  const char* name;
  TMsgDlgButtons set;
  std::vector<B> shown;
};

const ButtonCase kButtonSets[] = {
    {"Ok", {B::OK}, Buttons({B::OK})},
    {"OkCancel", {B::OK, B::Cancel}, Buttons({B::OK, B::Cancel})},
    {"YesNo", {B::Yes, B::No}, Buttons({B::Yes, B::No})},
    // The one standard set not in code order.
    {"YesNoCancel", {B::Yes, B::No, B::Cancel}, Buttons({B::Yes, B::No, B::Cancel})},
    {"AbortRetryIgnore", {B::Abort, B::Retry, B::Ignore}, Buttons({B::Abort, B::Retry, B::Ignore})},
    // Any other set: ascending code order, however it was written.
    {"NoOk", {B::No, B::OK}, Buttons({B::OK, B::No})},
    {"IgnoreCancelYes", {B::Ignore, B::Cancel, B::Yes}, Buttons({B::Cancel, B::Yes, B::Ignore})},
    {"RetryAlone", {B::Retry}, Buttons({B::Retry})},
};

class ButtonSetTest : public testing::TestWithParam<ButtonCase> {};

TEST_P(ButtonSetTest, OrderDefaultAndCodes) {
  const ButtonCase& c = GetParam();
  TScriptedDialogs dialogs;
  // Unanswered, the first button is chosen: it is the default.
  EXPECT_EQ(ShowMessageDialog(QStringLiteral("x"), K::Warning, c.set),
            static_cast<int>(c.shown[0]));
  ASSERT_NE(dialogs.LastMessageDialog(), nullptr);
  EXPECT_EQ(dialogs.LastMessageDialog()->buttons, c.shown);

  const auto box = platform::BuildMessageDialog(*dialogs.LastMessageDialog());
  const QList<QAbstractButton*> buttons = box->buttons();
  ASSERT_EQ(buttons.size(), static_cast<qsizetype>(c.shown.size()));
  // Left to right as given, whatever the desktop's button layout.
  box->show();
  std::vector<std::pair<int, int>> byPosition;
  for (QAbstractButton* b : buttons) byPosition.emplace_back(b->x(), b->property("code").toInt());
  std::sort(byPosition.begin(), byPosition.end());
  for (std::size_t i = 0; i < c.shown.size(); ++i)
    EXPECT_EQ(byPosition[i].second, static_cast<int>(c.shown[i]));
  EXPECT_EQ(box->defaultButton()->property("code").toInt(), static_cast<int>(c.shown[0]));
  // No button answers the escape key.
  EXPECT_EQ(box->escapeButton(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Table, ButtonSetTest, testing::ValuesIn(kButtonSets),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MessageDialog, ResultIsTheChosenButtonsCode) {
  TScriptedDialogs dialogs;
  dialogs.Answer(B::No);
  dialogs.Answer(B::Yes);
  dialogs.AnswerNothing();
  EXPECT_EQ(ShowMessageDialog("a", K::Confirmation, {B::Yes, B::No}), 4);
  EXPECT_EQ(ShowMessageDialog("b", K::Confirmation, {B::Yes, B::No}), 3);
  EXPECT_EQ(ShowMessageDialog("c", K::Confirmation, {B::Yes, B::No}), -1);
  EXPECT_EQ(dialogs.Log(), QStringList({"Confirm: a", "Confirm: b", "Confirm: c"}));
  EXPECT_EQ(dialogs.LastMessageDialog()->picture, QStringLiteral(":/MSGDLG_CONFIRM"));
}

TEST(MessageDialog, MoreThanThreeButtonsFail) {
  TScriptedDialogs dialogs;
  try {
    ShowMessageDialog("x", K::Plain, {B::OK, B::Cancel, B::Yes, B::No});
    FAIL() << "no error";
  } catch (const EInvalidOperation& error) {
    EXPECT_EQ(error.Message(), QStringLiteral("Too many buttons specified for message box"));
  }
  EXPECT_TRUE(dialogs.Shown().empty());
}

TEST(MessageDialog, PlainMessageIsPlainWithOk) {
  TScriptedDialogs dialogs;
  ShowPlainMessage(QStringLiteral("Falta anotar el destino"));
  ASSERT_NE(dialogs.LastMessageDialog(), nullptr);
  EXPECT_EQ(dialogs.LastMessageDialog()->kind, K::Plain);
  EXPECT_EQ(dialogs.LastMessageDialog()->title, QStringLiteral("Permiso"));
  EXPECT_EQ(dialogs.LastMessageDialog()->buttons, Buttons({B::OK}));
}

// Leaves the nested loops Qt refuses to run once exit() was called.
void ResetQtQuit() {
  platform::ClearTermination();
  QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  qApp->exec();
}

TEST(MessageDialog, NothingShownOnceTerminating) {
  TScriptedDialogs dialogs;
  dialogs.Answer(B::Yes);
  platform::RequestTermination();
  EXPECT_EQ(ShowMessageDialog("x", K::Confirmation, {B::Yes, B::No}), -1);
  ResetQtQuit();
  EXPECT_TRUE(dialogs.Shown().empty());
}

// The real box: Enter answers with the default button, Yes.
TEST(MessageDialog, EnterAnswersYesOnTheRealBox) {
  platform::QtDialogBackend backend;
  platform::ScopedDialogBackend scope(&backend);
  QTimer::singleShot(0, [] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box, Qt::Key_Return);
  });
  EXPECT_EQ(ShowMessageDialog(QStringLiteral("¿Seguro?"), K::Confirmation, {B::Yes, B::No}), 3);
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    for (QAbstractButton* b : box->buttons())
      if (b->property("code").toInt() == 4) b->click();
  });
  EXPECT_EQ(ShowMessageDialog(QStringLiteral("¿Seguro?"), K::Confirmation, {B::Yes, B::No}), 4);
}

// ---------------------------------------------------------------- error box

struct ErrorTextCase {
  const char* name;
  const char* message;
  const char* shown;
};

const ErrorTextCase kErrorTexts[] = {
    {"Letter", "Disk full", "Disk full."},
    {"QuestionMark", "Ready?", "Ready?."},
    {"Exclamation", "Done!", "Done!"},
    {"FullStop", "Imposible crear respaldo.", "Imposible crear respaldo."},
    {"Empty", "", ""},
    {"Blank", "x ", "x "},
    {"Comma", "x,", "x,"},
    {"Hyphen", "x-", "x-"},
    // The quotation mark (34) sorts before the full stop.
    {"Quote", "Cannot create file \"a\"", "Cannot create file \"a\""},
    // The first code above the full stop.
    {"Slash", "a/b/", "a/b/."},
    {"Digit", "Error 5", "Error 5."},
    {"Colon", "Motivo:", "Motivo:."},
    {"Accented", "Extensión", "Extensión."},
};

class ErrorBoxTextTest : public testing::TestWithParam<ErrorTextCase> {};

TEST_P(ErrorBoxTextTest, FullStopRule) {
  TScriptedDialogs dialogs;
  platform::SetProgramFile(QStringLiteral("/opt/PERMIT.V2"));
  ShowErrorBox(EError(QString::fromUtf8(GetParam().message)));
  platform::SetProgramFile(QStringLiteral("Permiso"));
  const auto* box = dialogs.LastMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text, QString::fromUtf8(GetParam().shown));
  EXPECT_EQ(box->caption, QStringLiteral("Permit"));
  EXPECT_EQ(box->icon, platform::MessageBoxIcon::Error);
}

INSTANTIATE_TEST_SUITE_P(Table, ErrorBoxTextTest, testing::ValuesIn(kErrorTexts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ErrorBox, SilentAbortShowsNothingOthersShowTheirMessage) {
  TScriptedDialogs dialogs;
  platform::RunHandler([] { throw EAbort(); });
  EXPECT_TRUE(dialogs.Shown().empty());
  platform::RunHandler([] { throw EWriteError(); });
  platform::RunHandler([] { throw std::runtime_error("plain failure"); });
  platform::RunHandler([] { throw 42; });
  EXPECT_EQ(dialogs.Texts(),
            QStringList({"Stream write error.", "plain failure.", "Unknown error."}));
}

TEST(ErrorBox, RealBoxHasCaptionIconAndOk) {
  const auto box = platform::BuildMessageBox(
      {QStringLiteral("Permiso"), QStringLiteral("Uno\rDos"), platform::MessageBoxIcon::Error});
  EXPECT_EQ(box->windowTitle(), QStringLiteral("Permiso"));
  EXPECT_EQ(box->icon(), QMessageBox::Critical);
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
  // A lone carriage return breaks the line as on the original platform.
  EXPECT_EQ(box->text(), QStringLiteral("Uno\nDos"));
}

// ---------------------------------------------------------------- notice box

TEST(NoticeBox, OtherWindowsTakeNoInputWhileItShows) {
  QWidget entry;
  auto* field = new QLineEdit(&entry);
  QWidget preview;
  entry.show();
  preview.show();
  entry.activateWindow();
  field->setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&entry));

  TScriptedDialogs dialogs;
  bool entryEnabled = true, previewEnabled = true;
  dialogs.onShow = [&](const TScriptedDialogs::TShown&) {
    entryEnabled = entry.isEnabled();
    previewEnabled = preview.isEnabled();
  };
  ShowNotice(QStringLiteral("Aviso"), QStringLiteral("Información"));
  EXPECT_FALSE(entryEnabled);
  EXPECT_FALSE(previewEnabled);
  EXPECT_TRUE(entry.isEnabled());
  EXPECT_TRUE(preview.isEnabled());
  EXPECT_EQ(QApplication::focusWidget(), field);
  ASSERT_NE(dialogs.LastMessageBox(), nullptr);
  EXPECT_EQ(dialogs.LastMessageBox()->caption, QStringLiteral("Información"));
  EXPECT_EQ(dialogs.LastMessageBox()->icon, platform::MessageBoxIcon::Information);

  // The error box blocks the same way.
  entryEnabled = true;
  ShowErrorBox(EError(QStringLiteral("x")));
  EXPECT_FALSE(entryEnabled);
  EXPECT_TRUE(entry.isEnabled());
}

// A window that stays on top (the printing-progress window) gives up that
// place while any of the boxes is open, so that it cannot cover the box, and
// takes it back afterwards; a hidden one is left alone.
TEST(Boxes, WindowsThatStayOnTopGiveWayWhileOneIsOpen) {
  QDialog progress(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint);
  progress.setWindowTitle(QStringLiteral("Printing progress"));
  progress.setFixedSize(149, 97);
  progress.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&progress));
  QDialog hidden(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint);
  const auto onTop = [](QWidget& w) {
    return w.windowHandle() && w.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
  };

  TScriptedDialogs dialogs;
  std::vector<bool> onTopWhileShown, visibleWhileShown;
  dialogs.onShow = [&](const TScriptedDialogs::TShown&) {
    onTopWhileShown.push_back(onTop(progress));
    visibleWhileShown.push_back(progress.isVisible());
  };
  ShowMessageDialog(QStringLiteral("El archivo ya existe."), K::Confirmation, {B::Yes, B::No});
  ShowNotice(QStringLiteral("Aviso"), QStringLiteral("Información"));
  ShowErrorBox(EError(QStringLiteral("Imposible crear respaldo.")));
  EXPECT_EQ(onTopWhileShown, std::vector<bool>({false, false, false}));
  EXPECT_EQ(visibleWhileShown, std::vector<bool>({true, true, true}));
  EXPECT_TRUE(onTop(progress));
  EXPECT_TRUE(progress.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(progress.size(), QSize(149, 97));
  EXPECT_EQ(progress.windowTitle(), QStringLiteral("Printing progress"));
  EXPECT_FALSE(hidden.isVisible());
}

}  // namespace
