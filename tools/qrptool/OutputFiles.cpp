#include "OutputFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "TQRStream.h"

QString PageFileName(int page, const char* extension) {
  return QStringLiteral("page-%1.%2")
      .arg(page, 4, 10, QLatin1Char('0'))
      .arg(QLatin1String(extension));
}

void WriteAllOrNothing(const QString& folder, const std::vector<TOutputFile>& files) {
  bool madeFolder = false;
  if (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
    if (QFileInfo::exists(folder) || !QDir().mkpath(folder))
      throw CannotCreateFile(folder, QStringLiteral("Not a folder that can be created."));
    madeFolder = true;
  }
  std::vector<QString> written;
  try {
    for (const TOutputFile& f : files) {
      // An earlier file of the same name is replaced only by a complete one.
      QSaveFile out(f.path);
      if (!out.open(QIODevice::WriteOnly)) throw CannotCreateFile(f.path, out.errorString());
      if (out.write(f.bytes) != f.bytes.size() || !out.commit())
        throw CannotCreateFile(f.path, out.errorString());
      written.push_back(f.path);
    }
  } catch (...) {
    for (const QString& path : written) QFile::remove(path);
    if (madeFolder) QDir().rmdir(folder);
    throw;
  }
}
