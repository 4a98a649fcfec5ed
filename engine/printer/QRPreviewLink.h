#pragma once
// A preview control that shows a printer's pages. A printer that goes away
// while such a control is its listener tells it to forget the printer, so the
// control never fetches from a freed printer.

class TQRPrinter;

class TQRPreviewLink {
 public:
  virtual ~TQRPreviewLink() = default;
  // Detach from `printer`: its PreviewShowing is set to False first.
  virtual void ForgetPrinter(TQRPrinter* printer) = 0;
};
