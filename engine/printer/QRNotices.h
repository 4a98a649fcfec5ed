#pragma once
// The notices that tie a run to the windows watching it, as Qt events with
// the numbers the engine's windows have always used. Progress and page-ready
// notices are posted to the printer's listener, so they arrive after the
// state they announce; the print request is posted and the preview-closed
// notice sent to the report that owns the printer.

#include <QEvent>

class TQRPrinter;

enum TQRNoticeType : int {
  QR_PROGRESS = 1024,       // first parameter: the new ProgressPercent
  QR_PAGEREADY = 1025,      // first parameter: the new ReadyPages
  QR_PRINT = 1026,          // no parameters
  QR_PREVIEWCLOSED = 1028,  // second parameter: the printer
};

template <TQRNoticeType kType>
class TQRNotice : public QEvent {
 public:
  static constexpr QEvent::Type Kind = static_cast<QEvent::Type>(kType);
  explicit TQRNotice(int value = 0, TQRPrinter* printer = nullptr)
      : QEvent(Kind), value_(value), printer_(printer) {}
  int Value() const { return value_; }
  TQRPrinter* Printer() const { return printer_; }

 private:
  int value_;
  TQRPrinter* printer_;
};

using TQRProgressNotice = TQRNotice<QR_PROGRESS>;
using TQRPrintRequest = TQRNotice<QR_PRINT>;
using TQRPreviewClosedNotice = TQRNotice<QR_PREVIEWCLOSED>;

// A receiver reads the page number from the low 16 bits of the parameter.
class TQRPageReadyNotice : public TQRNotice<QR_PAGEREADY> {
 public:
  using TQRNotice::TQRNotice;
  int PageNumber() const { return Value() & 0xFFFF; }
};
