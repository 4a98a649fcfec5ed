#pragma once
// The standard preview window: a toolbar (zoom, page navigation, printer
// setup, print, save, load, close), the preview control showing the
// printer's pages, and a status bar with the progress and "Page n of m".
// It opens maximised, shows the pages while the run still produces them,
// and frees itself once closed; closing tells the printer, which tells the
// report that owns it.
//
// After the designed controls come a zoom box, a button that shows or hides
// a side panel of page pictures, and a button that opens the find bar under
// the toolbar; every command has a key (written in its button's tooltip
// after the hint), and the wheel scrolls and, with Ctrl, zooms.
//
//   InstallStandardPreview();  // once, when the program starts
//   printer.OpenPreview();     // then opens this window for the printer

#include <QList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "PageText.h"
#include "QRPageSearch.h"

class QButtonGroup;
class QComboBox;
class QFrame;
class QKeySequence;
class QLabel;
class QStatusBar;
class QToolBar;
class QToolButton;
class TQRFindBar;
class TQRFindHighlight;
class TQRPageSearch;
class TQRPreview;
class TQRPrinter;
class TQRThumbnailPanel;

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

  // Handlers of the controls that follow the designed ones.
  void FindClick();          // opens the find bar
  void FindNextClick();      // the next match
  void FindPreviousClick();  // the previous match
  void CloseFind();          // closes the find bar, its marks go
  void ThumbnailsClick();    // shows or hides the page pictures
  void ZoomInClick();        // the next zoom step up
  void ZoomOutClick();       // the next zoom step down
  // Arrow keys, Space and Shift+Space scroll the page; past its end the
  // next page shows, past its start the previous one.
  void ScrollKeyDown(int key, Qt::KeyboardModifiers shift);

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
  QFrame* Separator5;
  QComboBox* ZoomBox;
  QToolButton* Thumbnails;
  QToolButton* FindButton;
  TQRFindBar* FindBar;
  TQRThumbnailPanel* ThumbnailPanel;
  TQRPreview* QRPreview;
  QStatusBar* StatusBar;

  TQRPageSearch& Search() const { return *search_; }
  TQRFindHighlight& Highlight() const { return *highlight_; }

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
  void BuildFollowingControls();
  void BuildKeys();
  // Runs `button`'s command on `keys`, and writes them in its tooltip after
  // its hint.
  void AddKeys(QToolButton* button, const QList<QKeySequence>& keys);
  void AddKey(const QKeySequence& key, const std::function<void()>& command);
  bool RefuseWhileGenerating();
  void ExportPages(int filterIndex, const QString& fileName);
  // Shows page 1 of freshly loaded (or lost) pages at the zoom mode in force.
  void ShowFirstPageAgain();
  // The page on view changed, by whatever way.
  void PageShown(int page);
  void PrinterChanged();
  // Pictures beside a report of more than one page, unless the user chose.
  void ApplyThumbnailDefault();
  void ShowThumbnails(bool shown);
  void ReleaseZoomButtons();
  void ZoomBoxEntered();
  void ShowZoom();
  void SearchChanged();
  // Marks the matches on the page on view.
  void MarkMatches();

  QButtonGroup* zoomGroup_;
  QLabel* panels_[2];
  int lastProgress_ = 0;
  TQRPageSearch* search_;
  TQRFindHighlight* highlight_;
  bool thumbnailsChosen_ = false;
  // Pages replaced so far: the page texts read before belong to others.
  int pagesGeneration_ = 0;
  // The text of the page on view, with positions, and what it belongs to.
  TPageText pageText_;
  int pageTextPage_ = 0;
  int pageTextGeneration_ = -1;
  // The match last brought into view.
  std::optional<TQRTextMatch> shownMatch_;
};

// Makes the standard preview window the one printers open.
void InstallStandardPreview();
