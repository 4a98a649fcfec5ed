#include "PermitRecordWriter.h"

#include "Errors.h"
#include "FileSystem.h"
#include "RecordBytes.h"
#include "RecordNames.h"
#include "TextRecord.h"

namespace permit {
namespace {

// The system's own texts; they name the original data folder whatever the
// real one is.
const char16_t kWritten[] = u"Archivo Generado con Exito !!! en C:\\Permiso";
const char16_t kAskReplace[] = u"El archivo ya existe. ¿Desea reemplazar el archivo?.";
const char16_t kWrittenWithBackup[] =
    u"Archivo Generado con Exito !!!,SE CREO UN ARCHIVO DE RESPALDO CON LOS DATOS ANTERIORES "
    u"con extension .BKD";
const char16_t kNoBackup[] = u"Imposible crear respaldo.";
// What the platform says of a name holding a character names cannot contain.
const char16_t kBadName[] = u"The filename, directory name, or volume label syntax is incorrect";

void RefuseBadName(const PermitEntry& entry, const QString& recordPath) {
  if (HoldsRefusedNameCharacter(entry.Placa) || HoldsRefusedNameCharacter(entry.Folio))
    throw EFCreateError(CannotCreateFileMessage(recordPath, QString::fromUtf16(kBadName)));
}

}  // namespace

RecordOutcome WritePermitRecord(const PermitEntry& entry, const DateTimeTexts& texts,
                                const QString& dataFolder, RecordDialogs& dialogs) {
  using platform::TNewFile;
  platform::IFileSystem& files = platform::FileSystem();
  const QByteArray bytes = RecordBytes(TextRecordText(entry, texts));
  const QString record = RecordFileName(dataFolder, entry.Placa, entry.Folio);
  RefuseBadName(entry, record);

  // Another copy of the program may write the same record at the same
  // moment: a record that appeared since the test is an existing record.
  if (!files.FileExists(record) && files.CreateNewFile(record, bytes) == TNewFile::Created) {
    dialogs.ShowInformation(QString::fromUtf16(kWritten));
    return RecordOutcome::Written;
  }
  if (dialogs.ShowConfirmation(QString::fromUtf16(kAskReplace)) != kYesButton)
    return RecordOutcome::KeptExisting;
  if (!files.RenameNoReplace(record, BackupFileName(dataFolder, entry.Placa, entry.Folio)))
    throw EError(QString::fromUtf16(kNoBackup));
  // A record another copy wrote since the rename stays as it is.
  if (files.CreateNewFile(record, bytes) == TNewFile::NameTaken)
    throw EFCreateError(CannotCreateFileMessage(record, platform::NameTakenReason()));
  dialogs.ShowInformation(QString::fromUtf16(kWrittenWithBackup));
  return RecordOutcome::WrittenWithBackup;
}

}  // namespace permit
