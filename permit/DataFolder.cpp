#include "DataFolder.h"

#include <QDir>

#include "Dialogs.h"
#include "FileSystem.h"

QString DataFolderPath() { return QDir::homePath() + QStringLiteral("/Permiso"); }

void EnsureDataFolder() {
  auto& files = platform::FileSystem();
  const QString folder = DataFolderPath();
  if (files.DirectoryExists(folder) || files.CreateDirectory(folder)) return;
  ShowMessageDialog(QStringLiteral("No he podido crear el directorio"), TMsgDlgType::Warning, {TMsgDlgBtn::OK});
}
