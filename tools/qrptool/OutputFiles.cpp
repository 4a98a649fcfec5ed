#include "OutputFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "Errors.h"

namespace {

EFCreateError CreateError(const QString& name, const QString& reason) {
  return EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(name, reason));
}

}  // namespace

QString PageFileName(int page, const char* extension) {
  return QStringLiteral("page-%1.%2")
      .arg(page, 4, 10, QLatin1Char('0'))
      .arg(QLatin1String(extension));
}

void WriteAllOrNothing(const QString& folder, const std::vector<TOutputFile>& files) {
  bool madeFolder = false;
  if (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
    if (QFileInfo::exists(folder) || !QDir().mkpath(folder))
      throw CreateError(folder, QStringLiteral("Not a folder that can be created."));
    madeFolder = true;
  }
  std::vector<QString> written;
  try {
    for (const TOutputFile& f : files) {
      // An earlier file of the same name is replaced only by a complete one.
      QSaveFile out(f.path);
      if (!out.open(QIODevice::WriteOnly)) throw CreateError(f.path, out.errorString());
      if (out.write(f.bytes) != f.bytes.size() || !out.commit())
        throw CreateError(f.path, out.errorString());
      written.push_back(f.path);
    }
  } catch (...) {
    for (const QString& path : written) QFile::remove(path);
    if (madeFolder) QDir().rmdir(folder);
    throw;
  }
}
