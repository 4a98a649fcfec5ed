// The print dialog: the option bits it hands the system dialog, what it
// reads back when the user confirms, cancel changing nothing, the events,
// and the window placed centred and a third of the free height down. The
// system dialog is answered by a script, and once by Qt's own dialog.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPrintDialog>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>

#include "DialogBackend.h"
#include "PrintDialogRecord.h"
#include "QRPrintDialog.h"
#include "QtSystemPrintDialog.h"
#include "ScriptedPrinter.h"

namespace {

using O = TPrintDialogOption;

// Answers like the system dialog: keeps what it was handed, shows and
// closes a window of its own, then confirms with `answer` or cancels.
class TScriptedPrintDialog : public TSystemPrintDialog {
 public:
  bool Run(TPrintDialogRecord& record, TQRCommonDialog& owner) override {
    received = record;
    owner.DialogShown(&window);
    owner.DialogClosed();
    if (!answer) return false;
    record = *answer;
    return true;
  }

  std::optional<TPrintDialogRecord> received;
  std::optional<TPrintDialogRecord> answer;  // none: the user cancels
  QWidget window;
};

class PrintDialogTest : public ::testing::Test {
 protected:
  PrintDialogTest() {
    script->printers = QStringList({"Office", "Plotter"});
    script->defaultMode.copies = 3;
    window.resize(300, 200);
  }

  // What the dialog answers when the user picks the plotter and confirms.
  TPrintDialogRecord PlotterAnswer(std::uint32_t flags, std::uint16_t copies) const {
    TPrintDialogRecord answer;
    answer.flags = flags;
    answer.fromPage = 2;
    answer.toPage = 5;
    answer.copies = copies;
    answer.names = {QStringLiteral("Plotter"), QString(), QString()};
    TDeviceMode mode = script->defaultMode;
    mode.orientation = DMORIENT_LANDSCAPE;
    mode.copies = 6;
    answer.deviceMode = mode;
    return answer;
  }

  std::shared_ptr<TScriptedPrinterScript> script = std::make_shared<TScriptedPrinterScript>();
  TScriptedPrinter printer{script};
  ScopedPrinterDevice applicationPrinter{&printer};
  TScriptedPrintDialog system;
  ScopedSystemPrintDialog systemScope{&system};
  QWidget& window = system.window;
};

struct OptionCase {
  const char* name;
  TPrintDialogOptions options;
  TPrintRange range;
  bool collate;
  bool printToFile;
  std::uint32_t flags;
};

constexpr std::uint32_t kHooks = PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;

const OptionCase kOptions[] = {
    {"NothingOffered",
     {},
     TPrintRange::prAllPages,
     false,
     false,
     kHooks | PD_HIDEPRINTTOFILE | PD_NOPAGENUMS | PD_NOSELECTION | PD_NOWARNING},
    // The report's print setup.
    {"PageNumbersAndWarning",
     {O::poPageNums, O::poWarning},
     TPrintRange::prAllPages,
     false,
     false,
     kHooks | PD_HIDEPRINTTOFILE | PD_NOSELECTION},
    {"EverythingOffered",
     {O::poPrintToFile, O::poPageNums, O::poSelection, O::poWarning, O::poHelp},
     TPrintRange::prSelection,
     true,
     true,
     kHooks | PD_SELECTION | PD_COLLATE | PD_PRINTTOFILE | PD_SHOWHELP},
    {"PrintToFileDisabled",
     {O::poPrintToFile, O::poDisablePrintToFile},
     TPrintRange::prPageNums,
     false,
     false,
     kHooks | PD_PAGENUMS | PD_DISABLEPRINTTOFILE | PD_NOPAGENUMS | PD_NOSELECTION | PD_NOWARNING},
};

class OptionBits : public PrintDialogTest, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(OptionBits, AreHandedToTheSystemDialog) {
  const OptionCase& c = GetParam();
  TQRPrintDialog dialog;
  dialog.Options = c.options;
  dialog.PrintRange = c.range;
  dialog.Collate = c.collate;
  dialog.PrintToFile = c.printToFile;
  dialog.Execute();
  ASSERT_TRUE(system.received);
  EXPECT_EQ(system.received->flags, c.flags);
}

INSTANTIATE_TEST_SUITE_P(Table, OptionBits, ::testing::ValuesIn(kOptions),
                         [](const auto& info) { return std::string(info.param.name); });

// The print setup of a complete one-page preview.
TEST_F(PrintDialogTest, OnePagePreviewSetupOffersPagesOneToOne) {
  TQRPrintDialog dialog;
  dialog.MinPage = 1;
  dialog.MaxPage = 1;
  dialog.FromPage = 1;
  dialog.ToPage = 1;
  dialog.Options = {O::poPageNums, O::poWarning};
  const TPrintDialogRecord record = dialog.MakeRecord();
  EXPECT_EQ(record.minPage, 1);
  EXPECT_EQ(record.maxPage, 1);
  EXPECT_EQ(record.fromPage, 1);
  EXPECT_EQ(record.toPage, 1);
  EXPECT_EQ(record.copies, 0) << "copies travel in the device mode";
  EXPECT_EQ(record.names, printer.Names());
  EXPECT_EQ(record.deviceMode, printer.DeviceMode());
  const auto offered = QtPrintDialogOptions(record.flags);
  EXPECT_TRUE(offered.testFlag(QAbstractPrintDialog::PrintPageRange));
  EXPECT_FALSE(offered.testFlag(QAbstractPrintDialog::PrintSelection));
  EXPECT_FALSE(offered.testFlag(QAbstractPrintDialog::PrintToFile));
  EXPECT_TRUE(offered.testFlag(QAbstractPrintDialog::PrintCollateCopies));
}

TEST_F(PrintDialogTest, PageNumbersOutOfSixteenBitsAreHeldAtTheLimit) {
  TQRPrintDialog dialog;
  dialog.MaxPage = 99999;
  dialog.FromPage = -3;
  const TPrintDialogRecord record = dialog.MakeRecord();
  EXPECT_EQ(record.maxPage, 0xFFFF);
  EXPECT_EQ(record.fromPage, 0);
}

struct QtOptionCase {
  const char* name;
  std::uint32_t flags;
  bool pageRange, selection, toFile;
};

const QtOptionCase kQtOptions[] = {
    {"AllOffered", 0, true, true, true},
    {"NoPageNumbers", PD_NOPAGENUMS, false, true, true},
    {"NoSelection", PD_NOSELECTION, true, false, true},
    {"PrintToFileHidden", PD_HIDEPRINTTOFILE, true, true, false},
    {"PrintToFileDisabled", PD_DISABLEPRINTTOFILE, true, true, false},
};

class QtDialogOptions : public ::testing::TestWithParam<QtOptionCase> {};

TEST_P(QtDialogOptions, FollowTheBits) {
  const QtOptionCase& c = GetParam();
  const auto offered = QtPrintDialogOptions(c.flags);
  EXPECT_EQ(offered.testFlag(QAbstractPrintDialog::PrintPageRange), c.pageRange);
  EXPECT_EQ(offered.testFlag(QAbstractPrintDialog::PrintSelection), c.selection);
  EXPECT_EQ(offered.testFlag(QAbstractPrintDialog::PrintToFile), c.toFile);
  EXPECT_TRUE(offered.testFlag(QAbstractPrintDialog::PrintCollateCopies));
}

INSTANTIATE_TEST_SUITE_P(Table, QtDialogOptions, ::testing::ValuesIn(kQtOptions),
                         [](const auto& info) { return std::string(info.param.name); });

struct ResultCase {
  const char* name;
  std::uint32_t flags;
  bool collate, printToFile;
  TPrintRange range;
};

const ResultCase kResults[] = {
    {"AllPages", PD_ALLPAGES, false, false, TPrintRange::prAllPages},
    {"PageNumbers", PD_PAGENUMS | PD_COLLATE, true, false, TPrintRange::prPageNums},
    {"Selection", PD_SELECTION | PD_PRINTTOFILE, false, true, TPrintRange::prSelection},
    // Selection wins when a dialog sets both.
    {"SelectionBeforePageNumbers", PD_SELECTION | PD_PAGENUMS, false, false,
     TPrintRange::prSelection},
};

class DialogResults : public PrintDialogTest, public ::testing::WithParamInterface<ResultCase> {};

TEST_P(DialogResults, AreReadBackFromTheAnswer) {
  const ResultCase& c = GetParam();
  system.answer = PlotterAnswer(c.flags | kHooks, 1);
  TQRPrintDialog dialog;
  dialog.Collate = !c.collate;
  dialog.PrintToFile = !c.printToFile;
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Collate, c.collate);
  EXPECT_EQ(dialog.PrintToFile, c.printToFile);
  EXPECT_EQ(dialog.PrintRange, c.range);
  EXPECT_EQ(dialog.FromPage, 2);
  EXPECT_EQ(dialog.ToPage, 5);
}

INSTANTIATE_TEST_SUITE_P(Table, DialogResults, ::testing::ValuesIn(kResults),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintDialogTest, ConfirmAppliesThePrinterAndItsDeviceMode) {
  system.answer = PlotterAnswer(kHooks, 1);
  TQRPrintDialog dialog;
  const TPrinterNames before = printer.Names();
  ASSERT_TRUE(dialog.Execute());
  // The device comes from the dialog; driver and port are those it was handed.
  EXPECT_EQ(printer.Names(), (TPrinterNames{"Plotter", before.driver, before.port}));
  EXPECT_EQ(printer.PrinterIndex(), 1);
  EXPECT_EQ(printer.DeviceMode()->orientation, DMORIENT_LANDSCAPE);
  // A copies field of 1 means the copies are the printer's.
  EXPECT_EQ(dialog.Copies(), 6);
  EXPECT_EQ(PrinterCopies(printer), 6);
}

TEST_F(PrintDialogTest, CopiesAnsweredInTheRecordReachThePrinter) {
  system.answer = PlotterAnswer(kHooks, 4);
  TQRPrintDialog dialog;
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Copies(), 4);
  EXPECT_EQ(PrinterCopies(printer), 4);
}

TEST_F(PrintDialogTest, CancelChangesNothing) {
  TQRPrintDialog dialog;
  dialog.SetCopies(2);
  dialog.Collate = true;
  dialog.PrintRange = TPrintRange::prPageNums;
  dialog.FromPage = 3;
  dialog.ToPage = 4;
  dialog.MinPage = 1;
  dialog.MaxPage = 9;
  const TPrinterNames names = printer.Names();
  const std::optional<TDeviceMode> mode = printer.DeviceMode();
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(printer.Names(), names);
  EXPECT_EQ(printer.DeviceMode(), mode);
  EXPECT_EQ(dialog.Copies(), 2);
  EXPECT_TRUE(dialog.Collate);
  EXPECT_FALSE(dialog.PrintToFile);
  EXPECT_EQ(dialog.PrintRange, TPrintRange::prPageNums);
  EXPECT_EQ(dialog.FromPage, 3);
  EXPECT_EQ(dialog.ToPage, 4);
  EXPECT_EQ(dialog.MinPage, 1);
  EXPECT_EQ(dialog.MaxPage, 9);
}

TEST_F(PrintDialogTest, SettingCopiesSetsThePrintersCopies) {
  TQRPrintDialog dialog;
  dialog.SetCopies(7);
  EXPECT_EQ(PrinterCopies(printer), 7);
}

TEST_F(PrintDialogTest, ShowAndCloseRaiseTheEventsAndPlaceTheWindow) {
  QStringList events;
  TQRPrintDialog dialog;
  dialog.OnShow = [&](TQRCommonDialog& sender) {
    events << QStringLiteral("show");
    EXPECT_EQ(sender.Window(), &window);
  };
  dialog.OnClose = [&](TQRCommonDialog& sender) {
    events << QStringLiteral("close");
    EXPECT_EQ(sender.Window(), nullptr);
  };
  dialog.Execute();
  EXPECT_EQ(events, QStringList({"show", "close"}));
  const QRect screen = window.screen()->geometry();
  const QRect frame = window.frameGeometry();
  EXPECT_EQ(frame.left() - screen.left(), (screen.width() - frame.width()) / 2);
  EXPECT_EQ(frame.top() - screen.top(), (screen.height() - frame.height()) / 3);
}

TEST_F(PrintDialogTest, WindowIsCentredAcrossAndAThirdOfTheFreeHeightDown) {
  const QRect screen = window.screen()->geometry();
  ASSERT_GT(screen.width(), 300);
  for (QSize size : {QSize(300, 200), QSize(301, 101)}) {
    window.resize(size);
    window.move(0, 0);
    CentreDialogWindow(window);
    const int freeWidth = screen.width() - window.frameGeometry().width();
    const int freeHeight = screen.height() - window.frameGeometry().height();
    EXPECT_EQ(window.frameGeometry().topLeft() - screen.topLeft(),
              QPoint(freeWidth / 2, freeHeight / 3));
    EXPECT_EQ(window.size(), size) << "placed, not resized";
  }
}

// ---- Qt's own dialog -------------------------------------------------------

// Collects the warnings shown instead of showing them.
class TWarningLog : public platform::IDialogBackend {
 public:
  int ExecMessageDialog(const platform::MessageDialogRequest& request) override {
    shown << request.text;
    return 1;
  }
  void ExecMessageBox(const platform::MessageBoxRequest&) override {}
  QStringList shown;
};

// A dialog object that is only told of the system dialog's window.
class TWindowOwner : public TQRCommonDialog {
 public:
  bool Execute() override { return false; }
};

struct QtDialogSeen {
  bool found = false;
  QString title;
  QPoint offset;    // frame's top-left from the screen's
  QPoint expected;  // free width / 2, free height / 3
};

// Closes the dialog Qt shows with `close` once it is up, noting where it is.
void CloseQtDialogWhenShown(QtDialogSeen& seen, void (QDialog::*close)()) {
  QTimer::singleShot(0, [&seen, close] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    seen.found = true;
    seen.title = dialog->windowTitle();
    const QRect screen = dialog->screen()->geometry();
    const QRect frame = dialog->frameGeometry();
    seen.offset = frame.topLeft() - screen.topLeft();
    seen.expected =
        QPoint((screen.width() - frame.width()) / 2, (screen.height() - frame.height()) / 3);
    (dialog->*close)();
  });
}

TEST(QtSystemPrintDialogTest, OpensPlacedAndCancelLeavesTheRecord) {
  TQtSystemPrintDialog qtDialog;
  TWindowOwner owner;
  TPrintDialogRecord record;
  record.flags = kHooks | PD_HIDEPRINTTOFILE | PD_NOSELECTION;
  record.names = {QStringLiteral("Nowhere"), QString(), QString()};
  record.minPage = 1;
  record.maxPage = 3;
  const TPrintDialogRecord sent = record;
  QtDialogSeen seen;
  CloseQtDialogWhenShown(seen, &QDialog::reject);
  EXPECT_FALSE(qtDialog.Run(record, owner));
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.title, QStringLiteral("Print"));
  EXPECT_EQ(seen.offset, seen.expected);
  EXPECT_EQ(record, sent);
}

TEST(QtSystemPrintDialogTest, WarnsFirstWhenNoPrinterIsNamed) {
  for (std::uint32_t noWarning : {0u, std::uint32_t(PD_NOWARNING)}) {
    TWarningLog warnings;
    platform::ScopedDialogBackend backend(&warnings);
    TQtSystemPrintDialog qtDialog;
    TWindowOwner owner;
    TPrintDialogRecord record;
    record.flags = kHooks | noWarning;
    QtDialogSeen seen;
    CloseQtDialogWhenShown(seen, &QDialog::reject);
    qtDialog.Run(record, owner);
    EXPECT_TRUE(seen.found);
    EXPECT_EQ(warnings.shown, noWarning ? QStringList() : QStringList(NoPrinterWarningText()));
  }
}

}  // namespace
