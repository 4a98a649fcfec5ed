#pragma once
// The record's two dialogs on the program's message dialogs, and the one call
// the after-print handler makes: the entry as it is now, the user's regional
// formats, the data folder under the home folder.

#include "PermitEntry.h"
#include "PermitRecordWriter.h"
#include "RecordDialogs.h"

namespace permit {

class MessageRecordDialogs : public RecordDialogs {
 public:
  void ShowInformation(const QString& text) override;
  int ShowConfirmation(const QString& text) override;
};

RecordOutcome SavePermitRecord(const PermitEntry& entry);

}  // namespace permit
