// The standard preview factory: it opens nothing until the preview window's
// constructor is registered, then shows the window and has it write its
// page status; installed, it is the factory every printer uses.

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include "QRPreviewInterface.h"
#include "QRStandardPreviewInterface.h"

namespace {

class TStatusWindow : public QWidget {
  Q_OBJECT
 public:
  int statusUpdates = 0;
  Q_INVOKABLE void UpdatePageStatus() { ++statusUpdates; }
};

TQRPrinter* g_printer = nullptr;
QWidget* MakeStatusWindow(TQRPrinter* printer) {
  g_printer = printer;
  return new TStatusWindow;
}

QWidget* MakeDialog(TQRPrinter*) {
  auto* dialog = new QDialog;
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  QTimer::singleShot(0, dialog, &QDialog::close);
  return dialog;
}

TQRPrinter* const kPrinter = reinterpret_cast<TQRPrinter*>(0x10);  // never dereferenced

class StandardPreviewInterfaceTest : public ::testing::Test {
 protected:
  void TearDown() override {
    SetStandardPreviewConstructor(nullptr);
    SetPreviewInterfaceClass(nullptr);
  }
};

TEST_F(StandardPreviewInterfaceTest, OpensNothingWithoutAWindowConstructor) {
  TQRStandardPreviewInterface factory;
  EXPECT_EQ(factory.OpenWindow(kPrinter), nullptr);
  EXPECT_EQ(factory.OpenWindowModal(kPrinter), nullptr);
}

TEST_F(StandardPreviewInterfaceTest, OpenWindowShowsTheWindowThenWritesItsStatus) {
  SetStandardPreviewConstructor(&MakeStatusWindow);
  TQRStandardPreviewInterface factory;
  std::unique_ptr<QWidget> window(factory.OpenWindow(kPrinter));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(g_printer, kPrinter);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(static_cast<TStatusWindow*>(window.get())->statusUpdates, 1);
}

TEST_F(StandardPreviewInterfaceTest, ModalWindowReturnsOnceClosedAndFreed) {
  SetStandardPreviewConstructor(&MakeDialog);
  TQRStandardPreviewInterface factory;
  EXPECT_EQ(factory.OpenWindowModal(kPrinter), nullptr) << "the dialog freed itself on closing";
}

TEST_F(StandardPreviewInterfaceTest, InstallingMakesItThePrintersFactory) {
  InstallStandardPreviewInterface();
  auto factory = PreviewInterfaceClass()();
  EXPECT_NE(dynamic_cast<TQRStandardPreviewInterface*>(factory.get()), nullptr);
  SetPreviewInterfaceClass(nullptr);
  factory = PreviewInterfaceClass()();
  EXPECT_EQ(dynamic_cast<TQRStandardPreviewInterface*>(factory.get()), nullptr);
}

}  // namespace

#include "standard_preview_interface_test.moc"
