#pragma once
// Event types of reports and bands: a handler bound to its object, called
// with the sender and, for the "var" arguments, a flag it may change.

#include <functional>

class TQRCustomReport;
class TQRCustomBand;
class TQRPrinter;

using TQRNotifyEvent = std::function<void(TQRCustomReport* sender)>;
using TQRAfterPrintEvent = TQRNotifyEvent;
using TQRAfterPreviewEvent = TQRNotifyEvent;
using TQRReportBeforePrintEvent = std::function<void(TQRCustomReport* sender, bool& printReport)>;
using TQROnNeedDataEvent = std::function<void(TQRCustomReport* sender, bool& moreData)>;
// Replaces the standard preview window; the sender is the run's printer.
using TQRPreviewEvent = std::function<void(TQRPrinter* sender)>;
using TQRBandBeforePrintEvent = std::function<void(TQRCustomBand* sender, bool& printBand)>;
using TQRBandAfterPrintEvent = std::function<void(TQRCustomBand* sender, bool bandPrinted)>;
