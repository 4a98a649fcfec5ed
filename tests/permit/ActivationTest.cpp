// FormActivate: the five pickers set from the clock (each reading it anew),
// their display formats, and the data folder created or warned about; and
// which real focus changes of the program run it.

#include <QDir>
#include <QFile>
#include <QMessageBox>

#include "ActivationRecord.h"
#include "EntryWindowFixture.h"
#include "RegionalSettings.h"
#include "TDateTimePicker.h"

namespace {

class Activation : public EntryWindowTest {};

TEST_F(Activation, SetsEveryPickerFromItsOwnClockRead) {
  // Each read is one day and one hour later than the one before.
  clock_.now = QDateTime(QDate(2026, 12, 10), QTime(13, 5, 7, 250));
  clock_.stepMs = (24 + 1) * 3600 * 1000;
  const QTime heldTime(0, 0);
  form_->Hora2->SetTime(QDateTime(QDate(2001, 1, 1), QTime(8, 0)));
  ShowAndActivate();
  EXPECT_EQ(clock_.reads, 5);
  const QDate heldDay(2005, 9, 20);
  // Date pickers take the day only; time pickers the time of day only.
  EXPECT_EQ(form_->Fecha->Date(), QDateTime(QDate(2026, 12, 10), heldTime));
  EXPECT_EQ(form_->Fecha1->Date(), QDateTime(QDate(2026, 12, 11), heldTime));
  EXPECT_EQ(form_->Fecha2->Date(), QDateTime(QDate(2026, 12, 12), heldTime));
  EXPECT_EQ(form_->Hora1->Time(), QDateTime(heldDay, QTime(16, 5, 7, 250)));
  EXPECT_EQ(form_->Hora2->Time(), QDateTime(heldDay, QTime(17, 5, 7, 250)));
  EXPECT_EQ(QApplication::focusWidget(), form_->Folio);
}

TEST_F(Activation, DisplayFormats) {
  ShowAndActivate();
  EXPECT_EQ(form_->Hora1->Format(), QStringLiteral("hh:mm tt"));
  EXPECT_EQ(form_->Hora2->Format(), QStringLiteral("hh:mm tt"));
  EXPECT_EQ(form_->Fecha1->Format(), QStringLiteral("dd/MMM/yyyy"));
  EXPECT_EQ(form_->Fecha2->Format(), QStringLiteral("dd/MMM/yyyy"));
  EXPECT_TRUE(form_->Fecha->Format().isEmpty());
  // 13:05 shows as 01:05 and the afternoon designator.
  const QLocale locale = QLocale::system();
  EXPECT_EQ(form_->Hora1->text(), QStringLiteral("01:05 ") + locale.pmText());
  EXPECT_EQ(
      form_->Fecha1->text(),
      QStringLiteral("10/") + locale.monthName(12, QLocale::ShortFormat) + QStringLiteral("/2026"));
}

TEST_F(Activation, CreatesTheDataFolderWhenMissing) {
  ShowAndActivate();
  EXPECT_TRUE(QFileInfo(DataFolder()).isDir());
  EXPECT_TRUE(dialogs_.Shown().empty());
  // Present already: nothing created, nothing shown.
  form_->FormActivate();
  EXPECT_TRUE(dialogs_.Shown().empty());
}

TEST_F(Activation, WarnsAtEveryActivationWhileTheFolderCannotBeMade) {
  QFile blocker(DataFolder());
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  ShowAndActivate();
  form_->FormActivate();
  EXPECT_EQ(dialogs_.Log(), QStringList({"Warning: No he podido crear el directorio",
                                         "Warning: No he podido crear el directorio"}));
  const auto* warning = dialogs_.LastMessageDialog();
  EXPECT_EQ(warning->kind, TMsgDlgType::Warning);
  EXPECT_EQ(warning->buttons, std::vector<TMsgDlgBtn>({TMsgDlgBtn::OK}));
  EXPECT_TRUE(QFileInfo(DataFolder()).isFile());
  // The window stays usable.
  form_->Folio->setFocus(Qt::MouseFocusReason);
  TypeAtFocus(QStringLiteral("12"));
  EXPECT_EQ(form_->Folio->text(), QStringLiteral("12"));
}

// Real focus changes: another of the program's windows runs the defaults on
// the way back; a message box or dialog does not.
TEST_F(Activation, RealFocusChanges) {
  ShowAndActivate();
  ASSERT_EQ(clock_.reads, 5);

  QMessageBox box(QMessageBox::Information, "x", "y");
  box.show();
  box.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
  box.close();
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  EXPECT_EQ(clock_.reads, 5) << "back from a message box";

  QWidget preview;
  platform::ActivationRecord::Instance().Register(&preview);
  preview.show();
  preview.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&preview));
  form_->activateWindow();  // a click into the entry window
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  EXPECT_EQ(clock_.reads, 10) << "back from the preview";
}

// A user choice is kept until the next activation replaces it.
TEST_F(Activation, ValidityChosenByTheUserIsLostAtTheNextActivation) {
  ShowAndActivate();
  form_->Fecha1->SetDate(QDateTime(QDate(2027, 1, 5), QTime()));
  form_->FormActivate();
  EXPECT_EQ(form_->Fecha1->Date().date(), QDate(2026, 12, 10));
}

}  // namespace
