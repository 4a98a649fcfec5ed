#include "ProgramIdentity.h"

namespace platform {
namespace {

// Linux executables have no extension; a name built for Windows keeps
// working the same way.
constexpr QLatin1StringView kWindowsExecutableSuffix(".exe");

QString g_programFile = QStringLiteral("Permiso");

QString FileNameOf(const QString& path) {
  const qsizetype slash = path.lastIndexOf(u'/');
  return slash < 0 ? path : path.mid(slash + 1);
}

}  // namespace

QString ApplicationTitleOf(const QString& programFile) {
  QString name = FileNameOf(programFile);
  const qsizetype dot = name.indexOf(u'.');
  if (dot >= 0) name.truncate(dot);
  if (name.size() > 1) name = name.left(1) + name.mid(1).toLower();
  return name;
}

QString ProgramNameOf(const QString& programFile) {
  QString name = FileNameOf(programFile);
  if (name.endsWith(kWindowsExecutableSuffix, Qt::CaseInsensitive))
    name.chop(kWindowsExecutableSuffix.size());
  return name;
}

void SetProgramFile(const QString& programFile) { g_programFile = programFile; }

QString ApplicationTitle() { return ApplicationTitleOf(g_programFile); }

QString ProgramName() { return ProgramNameOf(g_programFile); }

}  // namespace platform
