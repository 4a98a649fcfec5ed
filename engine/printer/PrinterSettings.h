#pragma once
// What a report printer knows about its selected printer: resolution,
// printable offsets, paper, copies, bin and duplex, read from the driver
// through the printer object's device mode, and the chosen paper,
// orientation, copies and bin written back into it before a print. Setters
// ignore what the driver cannot take.

#include <QString>

#include <array>
#include <cstdint>

#include "DeviceMode.h"
#include "PaperSizes.h"
#include "PrinterOrientation.h"

class TPrinterDevice;

class TPrinterSettings {
 public:
  TPrinterSettings() = default;

  // Binds the printer object (not owned) and reads from its driver at once
  // when the system has printers.
  void SetPrinter(TPrinterDevice* printer);
  TPrinterDevice* Printer() const { return printer_; }

  // Reads the selected printer's settings; nothing without a bound printer.
  void ReadFromDriver();
  // Writes paper, duplex, copies, bin and orientation into the selected
  // printer's device mode; nothing without a bound printer or device mode.
  void WriteToDriver();

  const QString& Device() const { return device_; }
  const QString& Driver() const { return driver_; }  // file name of the driver
  const QString& Port() const { return port_; }

  // True when a printer is bound and its driver's device mode carries all
  // the DM_* bits given.
  bool Supported(std::uint32_t fields) const;

  int Copies() const { return copies_; }
  bool Duplex() const { return duplex_; }
  TPrinterOrientation Orientation() const { return orientation_; }
  TQRBin OutputBin() const { return outputBin_; }
  TQRPaperSize PaperSize() const { return paperSize_; }
  bool PaperSizeSupported(TQRPaperSize size) const;
  // Tenths of a millimetre: the table's for a standard size, the stored
  // (driver's or custom) values for Default and Custom.
  int PaperWidth() const;
  int PaperLength() const;
  int PixelsPerX() const { return pixelsPerX_; }
  int PixelsPerY() const { return pixelsPerY_; }
  int TopOffset() const { return topOffset_; }    // tenths of a millimetre
  int LeftOffset() const { return leftOffset_; }  // tenths of a millimetre

  void SetCopies(int copies);
  void SetOrientation(TPrinterOrientation orientation);
  void SetOutputBin(TQRBin bin);
  void SetPaperSize(TQRPaperSize size);
  void SetPaperWidth(int tenths);
  void SetPaperLength(int tenths);

 private:
  void ReadPaperList();

  TPrinterDevice* printer_ = nullptr;
  QString device_;
  QString driver_;
  QString port_;
  // Fields the driver's own device mode carried when last read.
  std::uint32_t driverFields_ = 0;
  int copies_ = 0;
  bool duplex_ = false;
  TPrinterOrientation orientation_ = TPrinterOrientation::poPortrait;
  TQRBin outputBin_ = TQRBin::First;
  TQRPaperSize paperSize_ = TQRPaperSize::A4;
  std::array<bool, kPaperSizeCount> supportedSizes_{};
  int paperWidth_ = 0;
  int paperLength_ = 0;
  int pixelsPerX_ = 0;
  int pixelsPerY_ = 0;
  int topOffset_ = 0;
  int leftOffset_ = 0;
};
