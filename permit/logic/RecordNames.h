#pragma once
// Where a permit's record and its one backup live: in the data folder, named
// from the plate and the permit number as the entry holds them.
//   record: <folder>/<Placa>f<Folio>.txt
//   backup: <folder>/~<Placa>f<Folio>.BKD

#include <QString>

namespace permit {

// $HOME/Permiso, which stands for the original system's C:\Permiso.
QString DefaultDataFolder();

QString RecordFileName(const QString& dataFolder, const QString& placa, const QString& folio);
QString BackupFileName(const QString& dataFolder, const QString& placa, const QString& folio);

// True when `part` holds a character that a file name must not contain:
// \ / : * ? " < > | or a control character. Such a plate or permit number
// would otherwise reach another folder or a name the original system could
// never have written.
bool HoldsRefusedNameCharacter(const QString& part);

}  // namespace permit
