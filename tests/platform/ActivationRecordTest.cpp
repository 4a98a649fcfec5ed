// Which focus changes run the entry window's activation handler: only those
// that come from another of the program's own registered windows (or from
// none, at start), never those from a message box, a file or printer dialog,
// another program or a restore from minimised.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <memory>

#include "ActivationRecord.h"
#include "Errors.h"
#include "QtPrintTo.h"
#include "ScriptedDialogs.h"

namespace {

using platform::ActivationRecord;

// Focus steps: E entry window, F a control inside it, P preview, G progress
// window (both registered, without handler), B an unregistered box or dialog,
// 0 focus left the program, X the preview is destroyed (no focus change).
struct Case {
  const char* name;
  const char* steps;
  int activations;
};

const Case kCases[] = {
    {"Start", "E", 1},
    {"FocusMovesWithinTheWindow", "EFEF", 1},
    {"BackFromMessageBox", "EBE", 1},
    {"BackFromAnotherProgramOrRestore", "E0E0F", 1},
    {"BackFromPreview", "EPE", 2},
    {"ClickIntoEntryWhilePreviewOpen", "EPEPE", 3},
    {"BackFromProgressWindow", "EGE", 2},
    {"DialogOverThePreviewThenBack", "EPBPE", 2},
    {"BackFromBoxOverPreviewToEntry", "EPBE", 2},
    {"PreviewClosedAndFreed", "EPXE", 2},
    {"FocusOnlyInUnregisteredWindows", "BB0B", 0},
};

class ActivationRuleTest : public testing::TestWithParam<Case> {};

TEST_P(ActivationRuleTest, Activations) {
  auto entry = std::make_unique<QWidget>();
  auto* field = new QLineEdit(entry.get());
  auto preview = std::make_unique<QWidget>();
  auto progress = std::make_unique<QWidget>();
  auto box = std::make_unique<QWidget>();
  int activations = 0;
  auto& record = ActivationRecord::Instance();
  record.Register(entry.get(), [&] { ++activations; });
  record.Register(preview.get());
  record.Register(progress.get());

  for (const char* s = GetParam().steps; *s; ++s) {
    switch (*s) {
      case 'E':
        record.FocusEntered(entry.get());
        break;
      case 'F':
        record.FocusEntered(field);
        break;
      case 'P':
        record.FocusEntered(preview.get());
        break;
      case 'G':
        record.FocusEntered(progress.get());
        break;
      case 'B':
        record.FocusEntered(box.get());
        break;
      case '0':
        record.FocusEntered(nullptr);
        break;
      case 'X':
        preview.reset();
        break;
    }
  }
  EXPECT_EQ(activations, GetParam().activations);
  record.Unregister(entry.get());
}

INSTANTIATE_TEST_SUITE_P(Table, ActivationRuleTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ActivationRecord, HandlerErrorGoesToTheErrorBox) {
  TScriptedDialogs dialogs;
  QWidget entry;
  auto& record = ActivationRecord::Instance();
  record.Register(&entry, [] { throw EError(QStringLiteral("Disk full")); });
  record.FocusEntered(&entry);
  ASSERT_EQ(dialogs.Shown().size(), 1u);
  EXPECT_EQ(dialogs.LastMessageBox()->text, QStringLiteral("Disk full."));
  EXPECT_EQ(record.Current(), &entry);
  record.Unregister(&entry);
}

TEST(ActivationRecord, FollowsTheApplicationsRealFocus) {
  QWidget entry;
  auto* field = new QLineEdit(&entry);
  QWidget preview;
  new QLineEdit(&preview);
  int activations = 0;
  auto& record = ActivationRecord::Instance();
  record.Register(&entry, [&] { ++activations; });
  record.Register(&preview);

  entry.show();
  entry.activateWindow();
  field->setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&entry));
  EXPECT_EQ(activations, 1);

  preview.show();
  preview.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&preview));
  preview.close();
  entry.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&entry));
  EXPECT_EQ(activations, 2);
  record.Unregister(&entry);
  record.Unregister(&preview);
}

}  // namespace
