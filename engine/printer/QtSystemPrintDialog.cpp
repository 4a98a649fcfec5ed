#include "QtSystemPrintDialog.h"

#include <QApplication>
#include <QEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "Dialogs.h"
#include "QRCommonDialog.h"
#include "QtDeviceMode.h"

namespace {

// Tells the owner when the dialog window shows and when it is gone, which is
// where the window is placed and OnShow and OnClose are raised.
class TWindowWatcher : public QObject {
 public:
  TWindowWatcher(QWidget& window, TQRCommonDialog& owner) : window_(window), owner_(owner) {
    window.installEventFilter(this);
  }
  ~TWindowWatcher() override {
    window_.removeEventFilter(this);
    if (shown_) owner_.DialogClosed();
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Show && !shown_) {
      shown_ = true;
      owner_.DialogShown(&window_);
    }
    return false;
  }

 private:
  QWidget& window_;
  TQRCommonDialog& owner_;
  bool shown_ = false;
};

QAbstractPrintDialog::PrintRange RangeFor(std::uint32_t flags) {
  if (flags & PD_SELECTION) return QAbstractPrintDialog::Selection;
  if (flags & PD_PAGENUMS) return QAbstractPrintDialog::PageRange;
  return QAbstractPrintDialog::AllPages;
}

std::uint32_t FlagsFor(QAbstractPrintDialog::PrintRange range) {
  if (range == QAbstractPrintDialog::Selection) return PD_SELECTION;
  if (range == QAbstractPrintDialog::PageRange) return PD_PAGENUMS;
  return PD_ALLPAGES;
}

}  // namespace

QAbstractPrintDialog::PrintDialogOptions QtPrintDialogOptions(std::uint32_t flags) {
  QAbstractPrintDialog::PrintDialogOptions options =
      QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize;
  const bool fileHidden = (flags & PD_HIDEPRINTTOFILE) || (flags & PD_DISABLEPRINTTOFILE);
  if (!fileHidden) options |= QAbstractPrintDialog::PrintToFile;
  if (!(flags & PD_NOSELECTION)) options |= QAbstractPrintDialog::PrintSelection;
  if (!(flags & PD_NOPAGENUMS)) options |= QAbstractPrintDialog::PrintPageRange;
  return options;
}

QString NoPrinterWarningText() { return QStringLiteral("No printers are installed."); }

bool TQtSystemPrintDialog::Run(TPrintDialogRecord& record, TQRCommonDialog& owner) {
  if (record.names.device.isEmpty() && !(record.flags & PD_NOWARNING))
    ShowMessageDialog(NoPrinterWarningText(), TMsgDlgType::Warning, {TMsgDlgBtn::OK});
  QPrinter printer(QPrinterInfo::printerInfo(record.names.device), QPrinter::HighResolution);
  if (record.deviceMode) ApplyDeviceMode(printer, *record.deviceMode, record.deviceMode->fields);
  printer.setCollateCopies(record.flags & PD_COLLATE);
  if (record.flags & PD_PRINTTOFILE) printer.setOutputFileName(QStringLiteral("print.pdf"));

  QPrintDialog dialog(&printer, QApplication::activeWindow());
  dialog.setWindowTitle(QStringLiteral("Print"));
  dialog.setOptions(QtPrintDialogOptions(record.flags));
  if (record.minPage || record.maxPage) dialog.setMinMax(record.minPage, record.maxPage);
  if (record.fromPage || record.toPage) printer.setFromTo(record.fromPage, record.toPage);
  dialog.setPrintRange(RangeFor(record.flags));
  std::optional<TWindowWatcher> watcher(std::in_place, dialog, owner);
  const bool confirmed = dialog.exec() == QDialog::Accepted;
  watcher.reset();
  if (!confirmed) return false;

  record.names = {printer.printerName(), QString(), QString()};
  const std::uint32_t supported = record.deviceMode ? record.deviceMode->fields : 0;
  record.deviceMode =
      ReadDeviceMode(printer, supported | DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES);
  std::uint32_t flags =
      record.flags & ~std::uint32_t(PD_SELECTION | PD_PAGENUMS | PD_COLLATE | PD_PRINTTOFILE);
  flags |= FlagsFor(dialog.printRange());
  if (printer.collateCopies()) flags |= PD_COLLATE;
  if (!printer.outputFileName().isEmpty()) flags |= PD_PRINTTOFILE;
  record.flags = flags;
  record.fromPage = static_cast<std::uint16_t>(printer.fromPage());
  record.toPage = static_cast<std::uint16_t>(printer.toPage());
  record.copies = 1;  // the copies are in the device mode
  return true;
}
