#pragma once
// The print dialog of the report engine: shows the system print dialog for
// the application-wide printer and, when the user confirms, has applied the
// chosen printer and device mode to it and reads back collation, print to
// file, page range and copies. Cancel changes nothing.

#include <cstdint>

#include "QRBasePrintDialog.h"

enum class TPrintDialogOption { poPrintToFile, poPageNums, poSelection, poWarning, poHelp, poDisablePrintToFile };

class TPrintDialogOptions {
 public:
  TPrintDialogOptions() = default;
  TPrintDialogOptions(std::initializer_list<TPrintDialogOption> options) {
    for (auto o : options) bits_ |= Bit(o);
  }
  bool Contains(TPrintDialogOption o) const { return bits_ & Bit(o); }
  void Include(TPrintDialogOption o) { bits_ |= Bit(o); }
  void Exclude(TPrintDialogOption o) { bits_ &= ~Bit(o); }
  bool operator==(const TPrintDialogOptions&) const = default;

 private:
  static unsigned Bit(TPrintDialogOption o) { return 1u << static_cast<unsigned>(o); }
  unsigned bits_ = 0;
};

enum class TPrintRange { prAllPages = 0, prSelection = 1, prPageNums = 2 };

struct TPrintDialogRecord;

class TQRPrintDialog : public TQRBasePrintDialog {
 public:
  TQRPrintDialog() = default;

  bool Collate = false;
  int FromPage = 0;
  int ToPage = 0;
  int MinPage = 0;
  int MaxPage = 0;
  TPrintDialogOptions Options;
  bool PrintToFile = false;
  TPrintRange PrintRange = TPrintRange::prAllPages;

  int Copies() const { return copies_; }
  // Also sets the printer object's copies.
  void SetCopies(int copies);

  bool Execute() override;

  // The record Execute hands the system dialog, from the properties and the
  // printer object's current names and device mode.
  TPrintDialogRecord MakeRecord() const;

 private:
  void ReadResults(const TPrintDialogRecord& answer);

  int copies_ = 0;
};
