// The printing-progress window: what it shows for each progress value, that
// it reads the printer's value rather than the notice's, and Cancel.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "ActivationRecord.h"
#include "QRNotices.h"
#include "QRPrinter.h"
#include "QRProgressForm.h"
#include "qrprinter_fixture.h"

namespace {

struct ProgressCase {
  const char* name;
  int percent;
  int gauge;         // expected gauge position
  const char* info;  // expected text
};

// Only multiples of 5 (0 included) are shown; every other value leaves the
// window as the previous multiple of 5 (here 40) left it.
const ProgressCase kProgressCases[] = {
    {"Zero", 0, 0, "0%  Completed"},          {"FortyFive", 45, 45, "45%  Completed"},
    {"Hundred", 100, 100, "100%  Completed"}, {"Three", 3, 40, "40%  Completed"},
    {"Seven", 7, 40, "40%  Completed"},       {"FortyOne", 41, 40, "40%  Completed"},
};

class ProgressFormTest : public QRPrinterFixture,
                         public ::testing::WithParamInterface<ProgressCase> {};

void Announce(TQRPrinter& printer, QObject& form, int percent) {
  printer.SetProgressPercent(percent);
  QCoreApplication::sendPostedEvents(&form);
}

TEST_P(ProgressFormTest, ShowsMultiplesOfFiveOnly) {
  TQRPrinter printer;
  TQRProgressForm form(&printer);
  printer.SetListener(&form);
  Announce(printer, form, 40);
  Announce(printer, form, GetParam().percent);
  EXPECT_EQ(form.Gauge->value(), GetParam().gauge);
  EXPECT_EQ(form.Info->text(), QString::fromUtf8(GetParam().info));
}

INSTANTIATE_TEST_SUITE_P(Values, ProgressFormTest, ::testing::ValuesIn(kProgressCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QRPrinterFixture, ProgressFormReadsThePrintersValueNotTheNotices) {
  TQRPrinter printer;
  TQRProgressForm form(&printer);
  printer.SetListener(&form);
  printer.SetProgressPercent(45);
  printer.SetProgressPercent(50);  // both notices arrive after the second change
  QCoreApplication::sendPostedEvents(&form);
  EXPECT_EQ(form.Gauge->value(), 50);
  // A notice carrying 3 while the printer says 55 shows 55.
  TQRProgressNotice stale(3, &printer);
  printer.SetListener(nullptr);
  printer.SetProgressPercent(55);
  QCoreApplication::sendEvent(&form, &stale);
  EXPECT_EQ(form.Info->text(), QStringLiteral("55%  Completed"));
}

TEST_F(QRPrinterFixture, ProgressFormIgnoresPageReadyNotices) {
  TQRPrinter printer;
  TQRProgressForm form(&printer);
  printer.SetListener(&form);
  printer.SetReadyPages(1);
  QCoreApplication::sendPostedEvents(&form);
  EXPECT_EQ(form.Info->text(), QString());
  EXPECT_EQ(form.Gauge->value(), 0);
}

TEST_F(QRPrinterFixture, ProgressFormCancelAsksTheRunToStop) {
  TQRPrinter printer;
  TQRProgressForm form(&printer);
  printer.BeginRun();
  form.CancelButton->click();
  EXPECT_TRUE(printer.CancelRequested());
  EXPECT_EQ(printer.RunState(), TQRPrinterRunState::Generating) << "cancelling only sets the flag";
}

TEST_F(QRPrinterFixture, ProgressFormDesign) {
  TQRPrinter printer;
  TQRProgressForm form(&printer);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Printing progress"));
  EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(form.size(), QSize(149, 97));
  EXPECT_EQ(form.Gauge->geometry(), QRect(16, 18, 114, 16));
  EXPECT_EQ(form.Gauge->minimum(), 0);
  EXPECT_EQ(form.Gauge->maximum(), 100);
  EXPECT_EQ(form.Info->geometry(), QRect(0, 44, 145, 13));
  EXPECT_EQ(form.Info->alignment(), Qt::AlignCenter);
  EXPECT_EQ(form.CancelButton->text(), QStringLiteral("Cancel"));
  EXPECT_EQ(form.CancelButton->geometry(), QRect(36, 60, 75, 25));
}

// Focus that goes from the entry window to the progress window and back
// activates the entry window again, as a return from any own window does.
TEST_F(QRPrinterFixture, ProgressFormCountsAsAnOwnWindowForActivation) {
  auto& record = platform::ActivationRecord::Instance();
  QWidget entry;
  int activations = 0;
  record.Register(&entry, [&] { ++activations; });
  TQRPrinter printer;
  {
    TQRProgressForm form(&printer);
    record.FocusEntered(&entry);
    record.FocusEntered(form.CancelButton);
    EXPECT_EQ(record.Current(), &form);
    record.FocusEntered(&entry);
  }
  EXPECT_EQ(activations, 2);
  record.Unregister(&entry);
}

}  // namespace
