#pragma once
// The printer object over CUPS: Qt's printer list (the default first), a
// QPrinter holding the selected printer's settings as its driver would, and
// jobs drawn into a PDF file of our own (TPdfDocument) laid out as the
// selected printer's page and handed to CUPS when the document ends. An
// aborted job is never submitted. Printers are listed the first time anyone
// asks, not at construction.

#include <QPrinter>
#include <QTemporaryFile>
#include <memory>
#include <optional>

#include "PrinterDevice.h"

class TQtPrinterDevice final : public TPrinterDevice {
 public:
  TQtPrinterDevice();
  ~TQtPrinterDevice() override;
  TQtPrinterDevice(const TQtPrinterDevice&) = delete;
  TQtPrinterDevice& operator=(const TQtPrinterDevice&) = delete;

  QStringList Printers() const override;
  int PrinterIndex() const override;
  void SetPrinterIndex(int index) override;

  TPrinterNames Names() const override;
  std::optional<TDeviceMode> DeviceMode() const override;
  void SetPrinter(const TPrinterNames& names, const std::optional<TDeviceMode>& mode) override;

  std::uint32_t SupportedFields() const override;
  QVector<std::int16_t> PaperCodes() const override;
  QString DriverPath() const override;

  int LogPixelsX() const override;
  int LogPixelsY() const override;
  int PhysicalOffsetX() const override;
  int PhysicalOffsetY() const override;
  int PhysicalWidth() const override;
  int PhysicalHeight() const override;
  int PageWidth() const override;
  int PageHeight() const override;

  void SetTitle(const QString& title) override;
  void BeginDoc() override;
  void NewPage() override;
  void EndDoc() override;
  void Abort() override;
  bool Printing() const override { return printing_; }
  TCanvas& Canvas() override;

 private:
  // The selected printer's settings; none without printers.
  QPrinter* Settings() const;
  QString SelectedName() const;
  void Select(int index);
  void RequireIdle() const;
  void RequirePrinting() const;
  void CloseJob();

  mutable std::optional<QStringList> printers_;
  int index_ = -1;
  mutable std::unique_ptr<QPrinter> settings_;
  QString title_;
  bool printing_ = false;
  void StartPage();

  std::unique_ptr<QTemporaryFile> spool_;
  std::unique_ptr<class TPdfDocument> document_;
  std::unique_ptr<TCanvas> canvas_;
};
