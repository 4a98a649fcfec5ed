#include "MessageRecordDialogs.h"

#include "Dialogs.h"
#include "RecordNames.h"

namespace permit {

static_assert(kYesButton == static_cast<int>(TMsgDlgBtn::Yes));

void MessageRecordDialogs::ShowInformation(const QString& text) {
  ShowMessageDialog(text, TMsgDlgType::Information, {TMsgDlgBtn::OK});
}

int MessageRecordDialogs::ShowConfirmation(const QString& text) {
  return ShowMessageDialog(text, TMsgDlgType::Confirmation, {TMsgDlgBtn::Yes, TMsgDlgBtn::No});
}

RecordOutcome SavePermitRecord(const PermitEntry& entry) {
  MessageRecordDialogs dialogs;
  return WritePermitRecord(entry, DateTimeTexts(), DefaultDataFolder(), dialogs);
}

}  // namespace permit
