#pragma once
// The standard preview window: a toolbar (zoom, page navigation, printer
// setup, print, save, load, close), the preview control showing the
// printer's pages, and a status bar with the progress and "Page n of m".
// It opens maximised, shows the pages while the run still produces them,
// and frees itself once closed; closing tells the printer, which tells the
// report that owns it.
//
//   InstallStandardPreview();  // once, when the program starts
//   printer.OpenPreview();     // then opens this window for the printer

#include <QWidget>

class QButtonGroup;
class QFrame;
class QLabel;
class QStatusBar;
class QToolBar;
class QToolButton;
class TQRPreview;
class TQRPrinter;

class TQRStandardPreview : public QWidget {
  Q_OBJECT

 public:
  // The window as designed, for `printer` (not owned), which it starts
  // showing at once.
  TQRStandardPreview(QWidget* owner, TQRPrinter* printer);
  ~TQRStandardPreview() override;

  // The printer shown; none once the printer has gone away.
  TQRPrinter* QRPrinter() const;

  // Status panel 1 := «Page n of m».
  Q_INVOKABLE void UpdatePageStatus();

  QString PanelText(int panel) const;

  // Handlers, as the buttons, the keys and the preview control call them.
  void ZoomToFitClick();
  void ZoomTo100Click();
  void ZoomToWidthClick();
  void FirstPageClick();
  void PrevPageClick();
  void NextPageClick();
  void LastPageClick();
  void QRPreviewPageAvailable(QObject* sender, int pageNum);
  void QRPreviewProgressUpdate(QObject* sender, int progress);
  void PrintClick();
  void PrintSetupClick();
  void SaveClick();
  void LoadClick();
  void ExitClick();
  // The keyboard: Escape closes; Page Up and Page Down step, or with Ctrl
  // alone go to the first or last page; Home and End go to the ends.
  void FormKeyDown(int key, Qt::KeyboardModifiers shift);

  // Controls, by their design names.
  QToolBar* ToolBar1;
  QFrame* ToolButton1;
  QToolButton* ZoomFit;
  QToolButton* Zoom100;
  QToolButton* ZoomToWidth;
  QFrame* Separator1;
  QToolButton* FirstPage;
  QToolButton* PreviousPage;
  QToolButton* ToolButton2;
  QToolButton* LastPage;
  QFrame* Separator2;
  QToolButton* PrintSetup;
  QToolButton* Print;
  QFrame* Separator3;
  QToolButton* SaveReport;
  QToolButton* LoadReport;
  QFrame* Separator4;
  QToolButton* ExitButton;
  TQRPreview* QRPreview;
  QStatusBar* StatusBar;

  // Texts the window shows.
  static const QString kCaption;
  static const QString kStillGenerating;
  static const QString kFileDoesNotExist;

 protected:
  void closeEvent(QCloseEvent* event) override;    // FormClose
  void keyPressEvent(QKeyEvent* event) override;   // FormKeyDown
  void resizeEvent(QResizeEvent* event) override;  // FormResize

 private:
  void BuildToolBar();
  void BuildStatusBar();
  void PlaceRestoredWindow();
  QToolButton* AddButton(const QString& name, const QString& hint, int glyph,
                         void (TQRStandardPreview::*handler)());
  QFrame* AddDivider(const QString& name);
  bool RefuseWhileGenerating();
  // Shows page 1 of freshly loaded (or lost) pages at the zoom mode in force.
  void ShowFirstPageAgain();

  QButtonGroup* zoomGroup_;
  QLabel* panels_[2];
  int lastProgress_ = 0;
};

// Makes the standard preview window the one printers open.
void InstallStandardPreview();
