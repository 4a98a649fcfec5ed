#include "QRPrintDialog.h"

#include <algorithm>

#include "PrintDialogRecord.h"
#include "SystemPrintDialog.h"

namespace {
std::uint16_t Word(int value) { return static_cast<std::uint16_t>(std::clamp(value, 0, 0xFFFF)); }
}  // namespace

void TQRPrintDialog::SetCopies(int copies) {
  copies_ = copies;
  SetPrinterCopies(Printer(), copies);
}

TPrintDialogRecord TQRPrintDialog::MakeRecord() const {
  using O = TPrintDialogOption;
  TPrintDialogRecord record;
  record.names = Printer().Names();
  record.deviceMode = Printer().DeviceMode();
  std::uint32_t flags = static_cast<std::uint32_t>(PrintRange) | PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
  if (Collate) flags |= PD_COLLATE;
  if (!Options.Contains(O::poPrintToFile)) flags |= PD_HIDEPRINTTOFILE;
  if (!Options.Contains(O::poPageNums)) flags |= PD_NOPAGENUMS;
  if (!Options.Contains(O::poSelection)) flags |= PD_NOSELECTION;
  if (Options.Contains(O::poDisablePrintToFile)) flags |= PD_DISABLEPRINTTOFILE;
  if (PrintToFile) flags |= PD_PRINTTOFILE;
  if (Options.Contains(O::poHelp)) flags |= PD_SHOWHELP;
  if (!Options.Contains(O::poWarning)) flags |= PD_NOWARNING;
  record.flags = flags;
  record.fromPage = Word(FromPage);
  record.toPage = Word(ToPage);
  record.minPage = Word(MinPage);
  record.maxPage = Word(MaxPage);
  record.copies = 0;  // copies travel in the device mode
  return record;
}

bool TQRPrintDialog::Execute() {
  const TPrintDialogRecord sent = MakeRecord();
  TPrintDialogRecord answer = sent;
  const bool confirmed = TaskModalRun([&] { return SystemPrintDialog().Run(answer, *this); });
  if (!confirmed) return false;
  // The printer comes from the dialog; its driver and port are the ones the
  // printer object gave, as the dialog only names the device.
  Printer().SetPrinter({answer.names.device, sent.names.driver, sent.names.port}, answer.deviceMode);
  ReadResults(answer);
  return true;
}

void TQRPrintDialog::ReadResults(const TPrintDialogRecord& answer) {
  Collate = answer.flags & PD_COLLATE;
  PrintToFile = answer.flags & PD_PRINTTOFILE;
  if (answer.flags & PD_SELECTION) {
    PrintRange = TPrintRange::prSelection;
  } else if (answer.flags & PD_PAGENUMS) {
    PrintRange = TPrintRange::prPageNums;
  } else {
    PrintRange = TPrintRange::prAllPages;
  }
  FromPage = answer.fromPage;
  ToPage = answer.toPage;
  // A dialog that leaves the copies in the device mode answers 1 (or 0).
  SetCopies(answer.copies <= 1 ? PrinterCopies(Printer()) : answer.copies);
}
