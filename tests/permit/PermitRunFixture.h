#pragma once
// The real program in-process: the entry window and the permit document as
// start-up makes them, the standard preview, a scripted printer driver,
// dialogs answered by the test, a fixed clock and a scratch home folder.
//
//   Fill();
//   Preliminar([&](TQRStandardPreview& preview) {  // runs while it is open
//     Print(preview);
//   });

#include <gtest/gtest.h>

#include <QDateTime>
#include <QRectF>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "EntryWindowFixture.h"
#include "PrinterDevice.h"
#include "ScriptedPrinter.h"
#include "TQRPermiso.h"
class TMetafile;
class TQRPrintable;
class TQRStandardPreview;

class PermitRun : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A complete entry: plate ABC123, permit number 7, a 45-character
  // commission, validity 10 to 11 December 2026.
  void Fill();

  // Presses PRELIMINAR. When a preview opens, `whileOpen` runs once it shows
  // its page, and the preview is closed afterwards unless `whileOpen` did.
  // Returns whether a preview showed.
  bool Preliminar(const std::function<void(TQRStandardPreview&)>& whileOpen = {});

  // Presses Print in the preview and waits until the print run is over and
  // the record has said what it did (a message or an error).
  void Print(TQRStandardPreview& preview);

  // Previews the filled permit, saves its pages and loads the file into a
  // printer of its own. Both, as a preview shows them, must be one landscape
  // Letter page of 1056 x 816 pixels with everything drawn inside it.
  void ExpectLandscapeLetterPreviewedSavedAndLoaded();

  // Where an element of the permit stands on the paper, tenths of a
  // millimetre from its corner: the band prints at the margins.
  QRectF PageRect(const TQRPrintable& element) const;

  // The lines a text element wrote on a stored page, top to bottom: the
  // page's records replayed onto a logging canvas the size of the paper in
  // tenths of a millimetre, keeping the texts anchored where the element
  // anchors them (its left edge or its centre) whose top lies inside it.
  QStringList StoredLines(const TMetafile& page, const QSizeF& paperTenths,
                          const TQRPrintable& element) const;

  // The visible preview windows.
  static QList<TQRStandardPreview*> Previews();

  QString DataFolder() const { return home_.path() + QStringLiteral("/Permiso"); }
  QString Record() const { return DataFolder() + QStringLiteral("/ABC123f0007.txt"); }
  QString Backup() const { return DataFolder() + QStringLiteral("/~ABC123f0007.BKD"); }
  static QByteArray ReadFile(const QString& path);
  // Names in the data folder.
  QStringList DataFiles() const;

  QTemporaryDir home_;
  QByteArray oldHome_;
  TSteppingClock clock_;
  platform::ScopedClock scopedClock_{&clock_};
  TScriptedDialogs dialogs_;
  std::shared_ptr<TScriptedPrinterScript> script_ = std::make_shared<TScriptedPrinterScript>();
  // Tests that print through CUPS clear this before SetUp.
  bool scriptedPrinter_ = true;
  std::unique_ptr<ScopedPrinterDeviceFactory> printers_;
  std::unique_ptr<TFormPermiso> form_;
  std::unique_ptr<TQRPermiso> document_;
};
