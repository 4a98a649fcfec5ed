#include "PermitRecordWriter.h"

#include "Errors.h"
#include "RecordBytes.h"
#include "RecordFile.h"
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
  const QByteArray bytes = RecordBytes(TextRecordText(entry, texts));
  const QString record = RecordFileName(dataFolder, entry.Placa, entry.Folio);
  RefuseBadName(entry, record);

  if (!IsExistingFile(record)) {
    WriteWholeFile(record, bytes);
    dialogs.ShowInformation(QString::fromUtf16(kWritten));
    return RecordOutcome::Written;
  }
  if (dialogs.ShowConfirmation(QString::fromUtf16(kAskReplace)) != kYesButton)
    return RecordOutcome::KeptExisting;
  if (!RenameNoReplace(record, BackupFileName(dataFolder, entry.Placa, entry.Folio)))
    throw EError(QString::fromUtf16(kNoBackup));
  WriteWholeFile(record, bytes);
  dialogs.ShowInformation(QString::fromUtf16(kWrittenWithBackup));
  return RecordOutcome::WrittenWithBackup;
}

}  // namespace permit
