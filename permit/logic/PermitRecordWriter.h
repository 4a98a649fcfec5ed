#pragma once
// Writes the text record of a printed permit into the data folder, asking
// before an existing record is replaced and keeping that one as the backup.
// Runs after each print; the entry is the window's state at that moment.
//
// The record appears whole or not at all, also when a second copy of the
// program writes the same plate and permit number at the same moment: a
// record that appears between the test and the write takes the way of an
// existing record (the confirmation), and one that appears after the backup
// was made is left as it is, with an error.
//
// Raises EFCreateError when the record cannot be created (also when the plate
// or permit number holds a character a file name must not contain; then
// nothing is touched; and when another copy wrote the record after the
// backup was made), EWriteError when its bytes do not all reach the disk
// (then no record is left), and EError "Imposible crear respaldo." when the
// backup cannot be made (then the record and the backup stay as they were).

#include <QString>

#include "DateTimeTexts.h"
#include "PermitEntry.h"
#include "RecordDialogs.h"

namespace permit {

enum class RecordOutcome {
  Written,            // no record existed
  WrittenWithBackup,  // the previous record is now the backup
  KeptExisting,       // the user did not answer Yes
};

RecordOutcome WritePermitRecord(const PermitEntry& entry, const DateTimeTexts& texts,
                                const QString& dataFolder, RecordDialogs& dialogs);

}  // namespace permit
