#pragma once
// A printer driver for tests: resolution, printable offsets, paper list,
// supported device-mode fields and the default device mode are set by the
// test; every job call is journalled and every page is drawn on a logging
// canvas (every character 10 pixels wide), kept per page.
//
// The state lives in a shared TScriptedPrinterScript, so a test keeps
// reading it after the engine has freed the device object it made:
//
//   auto script = std::make_shared<TScriptedPrinterScript>();
//   ScopedPrinterDeviceFactory factory(ScriptedPrinterFactory(script));
//   ... run ...
//   EXPECT_EQ(script->journal, QStringList({"SetTitle \"\"", "BeginDoc", "EndDoc"}));

#include <QStringList>
#include <QVector>

#include <memory>
#include <vector>

#include "PageLogCanvas.h"
#include "PrinterDevice.h"

struct TScriptedPrinterScript {
  // Installed printers, default first; empty means no printer at all.
  QStringList printers{QStringLiteral("Scripted")};
  QString driverPath = QStringLiteral("/usr/lib/scripted/SCRIPTDRV.PPD");
  int ppiX = 600;
  int ppiY = 600;
  int offsetX = 100;  // device pixels, physical offset of the printable area
  int offsetY = 100;
  QVector<std::int16_t> paperCodes{1, 5, 9};  // Letter, Legal, A4
  std::uint32_t supportedFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH |
                                  DM_PAPERWIDTH | DM_COPIES | DM_DEFAULTSOURCE | DM_DUPLEX;
  // What the driver starts with and returns to when selected without a mode.
  TDeviceMode defaultMode{DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_DEFAULTSOURCE | DM_DUPLEX,
                          DMORIENT_PORTRAIT, 1, 0, 0, 1, 7, DMDUP_SIMPLEX};
  TPageLogLineHeight lineHeight = TPageLogLineHeight::Fixed16Pixels;
  // BeginDoc and NewPage throw std::runtime_error when set.
  bool failBeginDoc = false;
  bool failNewPage = false;

  // Filled while printing.
  QStringList journal;                 // "SetTitle \"x\"", "BeginDoc", "NewPage", "EndDoc", "Abort"
  std::vector<QStringList> pages;      // drawing log of every page begun
  std::vector<TDeviceMode> jobModes;   // the device mode in force at each BeginDoc
  int devicesMade = 0;
};

class TScriptedPrinter : public TPrinterDevice {
 public:
  explicit TScriptedPrinter(std::shared_ptr<TScriptedPrinterScript> script);

  QStringList Printers() const override { return script_->printers; }
  int PrinterIndex() const override { return index_; }
  void SetPrinterIndex(int index) override;
  TPrinterNames Names() const override;
  std::optional<TDeviceMode> DeviceMode() const override;
  void SetPrinter(const TPrinterNames& names, const std::optional<TDeviceMode>& mode) override;
  std::uint32_t SupportedFields() const override;
  QVector<std::int16_t> PaperCodes() const override;
  QString DriverPath() const override;

  int LogPixelsX() const override { return script_->ppiX; }
  int LogPixelsY() const override { return script_->ppiY; }
  int PhysicalOffsetX() const override { return script_->offsetX; }
  int PhysicalOffsetY() const override { return script_->offsetY; }
  // The paper of the current device mode in its orientation, device pixels.
  int PhysicalWidth() const override;
  int PhysicalHeight() const override;
  int PageWidth() const override { return PhysicalWidth() - 2 * script_->offsetX; }
  int PageHeight() const override { return PhysicalHeight() - 2 * script_->offsetY; }

  void SetTitle(const QString& title) override;
  void BeginDoc() override;
  void NewPage() override;
  void EndDoc() override;
  void Abort() override;
  bool Printing() const override { return printing_; }
  TCanvas& Canvas() override;

  const TScriptedPrinterScript& Script() const { return *script_; }

 private:
  void StartPage();
  void KeepPage();
  // Paper of the current mode, portrait, tenths of a millimetre.
  QSize PaperTenths() const;

  std::shared_ptr<TScriptedPrinterScript> script_;
  int index_ = 0;
  TDeviceMode mode_;
  bool printing_ = false;
  std::unique_ptr<TPageLogCanvas> canvas_;
};

// A factory for ScopedPrinterDeviceFactory that makes scripted printers on
// one shared script.
TPrinterDeviceFactory ScriptedPrinterFactory(std::shared_ptr<TScriptedPrinterScript> script);
