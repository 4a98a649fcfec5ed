#pragma once
// The scrolling control that shows the pages of a printer's store, one at a
// time, in a TQRPreviewImage it owns. It is the printer's listener while a
// printer is attached: page-ready notices bring the page on view in (and
// switch to the page width when they do), progress notices are passed on.
//
// Zoom is in percent of the page's size on the screen. FitPage and FitWidth
// compute it from the control's outer size and remember the mode, so that a
// resize fits the page again; a zoom set by number stays when resized.
//
// The mouse wheel scrolls, and with Ctrl held steps the zoom; scrolling on
// past the end of a page shows the next one, past its start the previous.

#include <QAbstractScrollArea>
#include <functional>
#include <optional>

#include "QRMouseHandlers.h"
#include "QRPreviewLink.h"

class TQRPreviewImage;
class QWheelEvent;
class TQRPrinter;

enum class TQRZoomState { WholePage = 0, PageWidth = 1, Percent = 2 };

class TQRPreview : public QAbstractScrollArea, public TQRPreviewLink {
  Q_OBJECT

 public:
  using TQRPageAvailableEvent = std::function<void(QObject* sender, int pageNum)>;
  using TQRProgressUpdateEvent = std::function<void(QObject* sender, int progress)>;

  // Zooms outside this range are ignored, percent.
  static constexpr int kMinZoom = 2;
  static constexpr int kMaxZoom = 2000;

  explicit TQRPreview(QWidget* parent = nullptr);
  ~TQRPreview() override;

  TQRPrinter* QRPrinter() const { return printer_; }
  // Detaches the printer shown so far (it stops showing a preview) and
  // attaches `printer` (which starts showing one, with this control as its
  // listener); page 1 is fetched again. Null detaches only.
  void SetQRPrinter(TQRPrinter* printer);

  int PageNumber() const { return pageNumber_; }
  // Ignored outside 1 to the printer's page count, without a printer, and
  // for the page already on view.
  void SetPageNumber(int page);

  int Zoom() const { return zoom_; }
  // Ignored outside kMinZoom to kMaxZoom; otherwise a fixed zoom from now on.
  void SetZoom(int zoom);
  TQRZoomState ZoomState() const { return zoomState_; }

  // The whole page, 95 % of the control's width or height, whichever is less.
  void FitPage();
  // The page width across 90 % of the control's width.
  void FitWidth();
  // Sizes the image for the zoom, centres it where it is smaller than the
  // control, and scrolls back to the top-left corner.
  void ApplyZoom();
  // The resize rule: fits the page again by the zoom mode, then applies the
  // zoom. A fixed zoom is only applied.
  void Refit();
  // The next zoom step above (direction > 0) or below the zoom (QRZoomSteps.h).
  void StepZoom(int direction);

  // Scroll the page on view by `pixels` (down or right when positive).
  // Scrolling down at the page's end shows the next page from its top,
  // scrolling up at its start the previous page from its bottom.
  void ScrollVertically(int pixels);
  void ScrollHorizontally(int pixels);
  // A screenful down (positive) or up, with the same continuation.
  void ScrollScreens(int screens);
  // Scrolls as little as needed for `area` (image pixels) to be in view.
  void EnsureVisible(const QRect& area);
  // The pixels one arrow key or wheel line scrolls.
  static constexpr int kLineStep = 20;

  TQRPreviewImage* PreviewImage() const { return image_; }
  // Where the image lies when scrolled to the top-left corner.
  QRect ImageRect() const;

  TQRPageAvailableEvent OnPageAvailable;
  TQRProgressUpdateEvent OnProgressUpdate;
  // Runs when the control's size changed; initially re-fits the zoom by its
  // mode and applies it.
  std::function<void()> OnResize;
  // Runs whenever the zoom has been applied (set, fitted, stepped, resized).
  std::function<void()> OnZoomApplied;
  // Runs when another page comes on view, by whatever way.
  std::function<void(int page)> OnPageShown;
  // Runs when another printer (or none) has been attached.
  std::function<void()> OnPrinterChanged;

  // Handlers for the mouse on the control; copied to the image whenever a
  // printer is attached.
  const TQRMouseHandlers& MouseHandlers() const { return handlers_; }
  void SetMouseHandlers(const TQRMouseHandlers& handlers);

  void ForgetPrinter(TQRPrinter* printer) override;

 protected:
  bool event(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void PageArrived(int page);
  void DetachPrinter();
  // A computed zoom as a whole percent; none when it is no number the setter
  // could judge (a page of no size gives none).
  static std::optional<int> RoundedZoom(double zoom);
  // The page's size in screen pixels at 100 %.
  double PageWidthPixels() const;
  double PageHeightPixels() const;
  void UpdateScrollBars();
  void PlaceImage();

  TQRPreviewImage* image_;
  TQRPrinter* printer_ = nullptr;
  int pageNumber_ = 1;
  int zoom_ = 100;
  TQRZoomState zoomState_ = TQRZoomState::Percent;
  int imageLeft_ = 0;
  int imageTop_ = 0;
  TQRMouseHandlers handlers_;
  TQRMouseDispatcher mouse_;
  // Wheel turns not yet amounting to a notch, in eighths of a degree.
  int wheelZoomTurn_ = 0;
};
