#include "RecordNames.h"

#include <QDir>

namespace permit {
namespace {

QString BaseName(const QString& placa, const QString& folio) { return placa + u'f' + folio; }

}  // namespace

QString DefaultDataFolder() { return QDir::homePath() + QStringLiteral("/Permiso"); }

QString RecordFileName(const QString& dataFolder, const QString& placa, const QString& folio) {
  return dataFolder + u'/' + BaseName(placa, folio) + QStringLiteral(".txt");
}

QString BackupFileName(const QString& dataFolder, const QString& placa, const QString& folio) {
  return dataFolder + QStringLiteral("/~") + BaseName(placa, folio) + QStringLiteral(".BKD");
}

bool HoldsRefusedNameCharacter(const QString& part) {
  static const QString kRefused = QStringLiteral("\\/:*?\"<>|");
  for (QChar c : part) {
    const char16_t u = c.unicode();
    if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || kRefused.contains(c)) return true;
  }
  return false;
}

}  // namespace permit
