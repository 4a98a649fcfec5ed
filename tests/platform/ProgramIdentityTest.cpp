// The two names taken from the program file: the application title (error
// box caption, taskbar) and the program name (plain dialog title).

#include <gtest/gtest.h>

#include "ProgramIdentity.h"
#include "QtPrintTo.h"

namespace {

struct Case {
  const char* name;
  const char* file;
  const char* title;
  const char* programName;
};

const Case kCases[] = {
    {"InstalledOnThePath", "/usr/local/bin/Permiso", "Permiso", "Permiso"},
    // Cut at the first full stop for the title; only the executable
    // extension goes from the program name.
    {"DottedWindowsName", "C:/Programas/PERMIT.V2.exe", "Permit", "PERMIT.V2"},
    {"DottedLinuxName", "/opt/PERMIT.V2", "Permit", "PERMIT.V2"},
    {"ExtensionInCapitals", "PERMISO.EXE", "Permiso", "PERMISO"},
    // The first character stays as stored.
    {"LowerCaseFirst", "./permiso", "permiso", "permiso"},
    // A full stop in a folder name does not count.
    {"DotInFolder", "/home/ana/v1.2/PERMISO", "Permiso", "PERMISO"},
    {"SingleCharacter", "/bin/P", "P", "P"},
    {"LeadingDot", "/bin/.hidden", "", ".hidden"},
    {"Accented", "/bin/ÁRBOL.x", "Árbol", "ÁRBOL.x"},
};

class ProgramIdentityTest : public testing::TestWithParam<Case> {};

TEST_P(ProgramIdentityTest, TitleAndName) {
  const Case& c = GetParam();
  EXPECT_EQ(platform::ApplicationTitleOf(QString::fromUtf8(c.file)), QString::fromUtf8(c.title));
  EXPECT_EQ(platform::ProgramNameOf(QString::fromUtf8(c.file)), QString::fromUtf8(c.programName));
}

INSTANTIATE_TEST_SUITE_P(Table, ProgramIdentityTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
