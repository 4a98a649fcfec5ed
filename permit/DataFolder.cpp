#include "DataFolder.h"

#include "Dialogs.h"
#include "FileSystem.h"
#include "RecordNames.h"

void EnsureDataFolder() {
  auto& files = platform::FileSystem();
  const QString folder = permit::DefaultDataFolder();
  if (files.DirectoryExists(folder) || files.CreateDirectory(folder)) return;
  ShowMessageDialog(QStringLiteral("No he podido crear el directorio"), TMsgDlgType::Warning,
                    {TMsgDlgBtn::OK});
}
