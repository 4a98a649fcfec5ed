#pragma once
// The open and save file dialogs behind a small interface, so that tests
// answer them. The program uses the Qt dialogs; a test installs its own with
// ScopedFileDialog.
//
// Filters are written as the engine writes them, description and pattern
// pairs separated by '|': "Corvelle file(*.QRP)|*.QRP".

#include <QString>
#include <QStringList>

class QWidget;

struct TQRFileDialogRequest {
  QString title;
  QString filter;            // "description|pattern|description|pattern..."
  QString defaultExtension;  // without the dot; empty for none
  QWidget* owner = nullptr;  // the window the dialog belongs to on screen
};

struct TQRFileDialogAnswer {
  bool confirmed = false;
  QString fileName;     // as chosen, before any default extension is added
  int filterIndex = 1;  // the chosen filter entry, from 1
};

class TQRFileDialog {
 public:
  virtual ~TQRFileDialog() = default;
  virtual TQRFileDialogAnswer RunSave(const TQRFileDialogRequest& request) = 0;
  virtual TQRFileDialogAnswer RunOpen(const TQRFileDialogRequest& request) = 0;
};

// The installed dialog, or the Qt one.
TQRFileDialog& FileDialog();

class ScopedFileDialog {
 public:
  explicit ScopedFileDialog(TQRFileDialog* dialog);
  ~ScopedFileDialog();
  ScopedFileDialog(const ScopedFileDialog&) = delete;
  ScopedFileDialog& operator=(const ScopedFileDialog&) = delete;

 private:
  TQRFileDialog* previous_;
};

// The filter as Qt's name filters, one per entry: "Corvelle file(*.QRP)"
// stays as it is because it already names its pattern; a description
// without its pattern gets " (pattern)" added. A trailing description
// without a pattern is dropped.
QStringList QtNameFilters(const QString& filter);

// The one extension a Qt name filter names: "pdf" for "PDF file (*.pdf)";
// empty for a filter of several patterns or none.
QString FilterExtension(const QString& nameFilter);

// `fileName` with ".extension" added when its last path component has no
// extension of its own; unchanged for an empty extension.
QString WithDefaultExtension(const QString& fileName, const QString& extension);
