#pragma once
// The printer settings kept with a report, in the form a design stores:
// Copies, Duplex, FirstPage, LastPage and OutputBin are published; the
// printer index is set by the print-setup dialog and never stored.

#include "QRPrinterSettings.h"

class TDesignValue;
class QString;

class TQRReportPrinterSettings : public TQRPrinterSettings {
 public:
  bool ReadProperty(const QString& name, const TDesignValue& value);
};

// First ... Last, as designs write the bins.
const QStringList& BinNames();
