// The engine's dialog filters turned into Qt's name filters, and the default
// extension rule applied to a chosen file name.

#include <gtest/gtest.h>

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

}  // namespace
