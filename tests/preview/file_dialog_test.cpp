// The engine's dialog filters turned into Qt's name filters, and the default
// extension rule applied to a chosen file name.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "QRFileDialog.h"
#include "preview_fixture.h"

namespace {

TEST(FileDialogFilters, BecomeQtNameFilters) {
  struct Case {
    const char* filter;
    QStringList qt;
  };
  const Case cases[] = {
      {"Corvelle file(*.QRP)|*.QRP", {"Corvelle file(*.QRP)"}},    // names its own pattern
      {"Corvelle file (*.QRP)|*.QRP", {"Corvelle file (*.QRP)"}},  // with the blank, too
      {"Text|*.txt", {"Text (*.txt)"}},
      {"Pages|*.QRP;*.qrp", {"Pages (*.QRP *.qrp)"}},
      {"Corvelle file(*.QRP)|*.QRP|Text file (*.TXT)|*.TXT",
       {"Corvelle file(*.QRP)", "Text file (*.TXT)"}},
      {"Dangling description", {}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(QtNameFilters(c.filter), c.qt) << c.filter;
}

TEST(FileDialogFilters, DefaultExtensionOnlyWhenNoneWasTyped) {
  struct Case {
    const char* name;
    const char* extension;
    const char* result;
  };
  const Case cases[] = {
      {"/tmp/permit", "QRP", "/tmp/permit.QRP"},
      {"/tmp/permit.QRP", "QRP", "/tmp/permit.QRP"},
      {"/tmp/permit.qrp", "QRP", "/tmp/permit.qrp"},
      {"/tmp/permit.txt", "QRP", "/tmp/permit.txt"},
      {"/tmp/v1.0/permit", "QRP", "/tmp/v1.0/permit.QRP"},  // a dot in a folder is no extension
      {"/tmp/permit", "", "/tmp/permit"},
      {"", "QRP", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WithDefaultExtension(c.name, c.extension), c.result) << c.name;
}

TEST(FileDialogFilters, TheExtensionAFilterNames) {
  EXPECT_EQ(FilterExtension(QStringLiteral("PDF file (*.pdf)")), QStringLiteral("pdf"));
  EXPECT_EQ(FilterExtension(QStringLiteral("Corvelle file(*.QRP)")), QStringLiteral("QRP"));
  EXPECT_EQ(FilterExtension(QStringLiteral("Pages (*.QRP *.qrp)")), QString()) << "two patterns";
  EXPECT_EQ(FilterExtension(QStringLiteral("All (*)")), QString());
  EXPECT_EQ(FilterExtension(QString()), QString());
}

// The Qt dialog itself: a name typed without an extension takes the chosen
// entry's, so "permiso" saved as a PDF file is "permiso.pdf".
TEST(QtFileDialog, TheDefaultExtensionFollowsTheChosenEntry) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  struct Case {
    int entry;
    const char* file;
  };
  for (const Case c : {Case{1, "permiso.QRP"}, Case{2, "permiso.pdf"}}) {
    SCOPED_TRACE(c.file);
    bool answered = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->setDirectory(folder.path());
      // As a person chooses it: through the file type box.
      auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
      ASSERT_NE(types, nullptr);
      while (types->currentIndex() < c.entry - 1) QTest::keyClick(types, Qt::Key_Down);
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      ASSERT_NE(name, nullptr);
      name->setText(QStringLiteral("permiso"));
      answered = true;
      QTest::keyClick(name, Qt::Key_Return);
    });
    TQRFileDialogRequest request;
    request.title = QStringLiteral("Save report");
    request.filter = QStringLiteral("Corvelle file(*.QRP)|*.QRP|PDF file (*.pdf)|*.pdf");
    request.defaultExtension = QStringLiteral("QRP");
    const TQRFileDialogAnswer answer = FileDialog().RunSave(request);
    ASSERT_TRUE(answered);
    ASSERT_TRUE(answer.confirmed);
    EXPECT_EQ(answer.filterIndex, c.entry);
    EXPECT_EQ(QFileInfo(answer.fileName).fileName(), QString::fromUtf8(c.file));
  }
}

}  // namespace
