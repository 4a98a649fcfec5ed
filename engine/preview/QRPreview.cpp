#include "QRPreview.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>

#include "HandlerGuard.h"
#include "QRNotices.h"
#include "QRPreviewImage.h"
#include "QRPrinter.h"
#include "QRZoomSteps.h"

namespace {

int Round(double v) { return static_cast<int>(std::nearbyint(v)); }  // half to even

// The page size assumed without a printer: Letter portrait, in millimetres
// taken as pixels, as the control has always done.
constexpr double kNoPrinterWidth = 215.9;
constexpr double kNoPrinterHeight = 279.4;

// A wheel notch, in eighths of a degree, scrolls this many lines.
constexpr int kWheelNotch = 120;
constexpr int kLinesPerNotch = 3;
// A screenful keeps this much of the last one in view, pixels.
constexpr int kScreenOverlap = 40;

}  // namespace

TQRPreview::TQRPreview(QWidget* parent)
    : QAbstractScrollArea(parent), image_(new TQRPreviewImage(viewport())) {
  setObjectName(QStringLiteral("QRPreview"));
  setFrameShape(QFrame::NoFrame);
  // The white page stands out on the window colour, as on a desk.
  viewport()->setBackgroundRole(QPalette::Window);
  viewport()->setAutoFillBackground(true);
  setFocusPolicy(Qt::NoFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
    bar->setTracking(true);  // the view follows a dragged thumb
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setSingleStep(kLineStep);
  }
  image_->move(0, 0);
  resize(250, 250);
  OnResize = [this] { Refit(); };
}

TQRPreview::~TQRPreview() {
  // A preview that goes away first leaves its printer not showing one, so
  // that whoever waits for the preview to end is told.
  try {
    DetachPrinter();
  } catch (...) {
  }
}

// ---- printer --------------------------------------------------------------

void TQRPreview::DetachPrinter() {
  TQRPrinter* old = printer_;
  if (!old || old->Listener() != this) return;
  struct ClearListener {
    TQRPrinter* printer;
    ~ClearListener() { printer->SetListener(nullptr); }
  } clear{old};
  old->SetPreviewShowing(false);  // cancels a generating run, runs OnPreviewDone
}

void TQRPreview::SetQRPrinter(TQRPrinter* printer) {
  DetachPrinter();
  printer_ = printer;
  image_->SetQRPrinter(printer);
  if (printer) {
    printer->SetListener(this);
    printer->SetPreviewShowing(true);
  }
  SetPageNumber(1);
  image_->SetPageNumber(1);
  image_->SetMouseHandlers(handlers_);
  if (OnPrinterChanged) OnPrinterChanged();
}

void TQRPreview::ForgetPrinter(TQRPrinter* printer) {
  if (printer && printer == printer_) SetQRPrinter(nullptr);
}

void TQRPreview::SetMouseHandlers(const TQRMouseHandlers& handlers) {
  handlers_ = handlers;
  TQRMouseDispatcher::Prepare(viewport(), handlers_);
}

// ---- pages ----------------------------------------------------------------

void TQRPreview::SetPageNumber(int page) {
  if (page == pageNumber_ && image_->HoldsPage()) return;
  if (page <= 0 || !printer_ || page > printer_->PageCount()) return;
  image_->SetPageNumber(page);
  const bool changed = page != pageNumber_;
  pageNumber_ = page;
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
  if (changed && OnPageShown) OnPageShown(page);
}

// Whenever the page on view arrives, the zoom switches to the page width,
// whatever zoom was chosen before.
void TQRPreview::PageArrived(int page) {
  if (printer_ && page == pageNumber_ && !image_->HoldsPage() &&
      printer_->ReadyPages() >= image_->PageNumber()) {
    FitWidth();
    image_->SetPageNumber(image_->PageNumber());
  }
  if (OnPageAvailable) OnPageAvailable(this, page);
}

// ---- zoom -----------------------------------------------------------------

void TQRPreview::SetZoom(int zoom) {
  if (zoom < kMinZoom || zoom > kMaxZoom) return;
  zoomState_ = TQRZoomState::Percent;
  zoom_ = zoom;
  ApplyZoom();
}

std::optional<int> TQRPreview::RoundedZoom(double zoom) {
  if (!std::isfinite(zoom) || std::abs(zoom) > std::numeric_limits<int>::max() / 2)
    return std::nullopt;
  return Round(zoom);
}

double TQRPreview::PageWidthPixels() const {
  return printer_ ? printer_->DeviceWidth(printer_->OrientedPaperWidth()) : kNoPrinterWidth;
}

double TQRPreview::PageHeightPixels() const {
  return printer_ ? printer_->DeviceHeight(printer_->OrientedPaperLength()) : kNoPrinterHeight;
}

void TQRPreview::FitPage() {
  const auto zx = RoundedZoom(width() / PageWidthPixels() * 95);
  const auto zy = RoundedZoom(height() / PageHeightPixels() * 95);
  if (zx && zy) SetZoom(std::min(*zx, *zy));
  zoomState_ = TQRZoomState::WholePage;
}

void TQRPreview::FitWidth() {
  if (const auto zoom = RoundedZoom(width() / PageWidthPixels() * (printer_ ? 90 : 95)))
    SetZoom(*zoom);
  ApplyZoom();
  zoomState_ = TQRZoomState::PageWidth;
}

void TQRPreview::ApplyZoom() {
  int w, h;
  if (printer_) {
    w = printer_->DeviceWidth(printer_->OrientedPaperWidth() / 100.0 * zoom_) + 4;
    h = printer_->DeviceHeight(printer_->OrientedPaperLength() / 100.0 * zoom_) + 4;
  } else {
    w = Round(kNoPrinterWidth / 100 * zoom_) + 4;
    h = Round(kNoPrinterHeight / 100 * zoom_) + 4;
  }
  imageLeft_ = w < width() ? (width() - w) / 2 : 0;
  imageTop_ = h < height() ? (height() - h) / 2 : 0;
  image_->resize(w, h);
  UpdateScrollBars();
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
  PlaceImage();
  image_->SetZoom(zoom_);
  if (OnZoomApplied) OnZoomApplied();
}

void TQRPreview::Refit() {
  if (zoomState_ == TQRZoomState::WholePage) {
    FitPage();
  } else if (zoomState_ == TQRZoomState::PageWidth) {
    FitWidth();
  }
  ApplyZoom();
}

void TQRPreview::StepZoom(int direction) {
  const int zoom = ZoomStep(zoom_, direction);
  if (zoom != zoom_) SetZoom(zoom);
}

QRect TQRPreview::ImageRect() const {
  return QRect(imageLeft_, imageTop_, image_->width(), image_->height());
}

// ---- scrolling ------------------------------------------------------------

void TQRPreview::UpdateScrollBars() {
  const QSize view = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, imageLeft_ + image_->width() - view.width()));
  verticalScrollBar()->setRange(0, std::max(0, imageTop_ + image_->height() - view.height()));
  horizontalScrollBar()->setPageStep(view.width());
  verticalScrollBar()->setPageStep(view.height());
}

void TQRPreview::PlaceImage() {
  image_->move(imageLeft_ - horizontalScrollBar()->value(),
               imageTop_ - verticalScrollBar()->value());
}

void TQRPreview::scrollContentsBy(int, int) { PlaceImage(); }

void TQRPreview::ScrollVertically(int pixels) {
  QScrollBar* bar = verticalScrollBar();
  if (pixels > 0 && bar->value() >= bar->maximum()) {
    if (printer_ && pageNumber_ < printer_->PageCount()) SetPageNumber(pageNumber_ + 1);
    return;
  }
  if (pixels < 0 && bar->value() <= bar->minimum()) {
    if (pageNumber_ > 1) {
      const int page = pageNumber_;
      SetPageNumber(page - 1);
      if (pageNumber_ != page) bar->setValue(bar->maximum());
    }
    return;
  }
  bar->setValue(bar->value() + pixels);
}

void TQRPreview::ScrollHorizontally(int pixels) {
  horizontalScrollBar()->setValue(horizontalScrollBar()->value() + pixels);
}

void TQRPreview::ScrollScreens(int screens) {
  const int screen = std::max(kLineStep, viewport()->height() - kScreenOverlap);
  ScrollVertically(screens * screen);
}

void TQRPreview::EnsureVisible(const QRect& area) {
  constexpr int kMargin = 24;  // pixels kept around the area where they fit
  auto bring = [](QScrollBar* bar, int start, int length, int view) {
    if (start < bar->value()) {
      bar->setValue(start - kMargin);
    } else if (start + length > bar->value() + view) {
      bar->setValue(std::min(start - kMargin, start + length - view + kMargin));
    }
  };
  bring(horizontalScrollBar(), imageLeft_ + area.left(), area.width(), viewport()->width());
  bring(verticalScrollBar(), imageTop_ + area.top(), area.height(), viewport()->height());
}

void TQRPreview::wheelEvent(QWheelEvent* event) {
  const int turn = event->angleDelta().y();
  if (event->modifiers() & Qt::ControlModifier) {
    // Each whole notch is one zoom step; fine-grained wheels add up.
    wheelZoomTurn_ += turn;
    while (std::abs(wheelZoomTurn_) >= kWheelNotch) {
      const int direction = wheelZoomTurn_ > 0 ? 1 : -1;
      wheelZoomTurn_ -= direction * kWheelNotch;
      platform::RunHandler([&] { StepZoom(direction); });
    }
    event->accept();
    return;
  }
  const QPoint pixels = event->pixelDelta();
  const int dy = !pixels.isNull() ? -pixels.y() : -turn * kLinesPerNotch * kLineStep / kWheelNotch;
  const int dx = !pixels.isNull()
                     ? -pixels.x()
                     : -event->angleDelta().x() * kLinesPerNotch * kLineStep / kWheelNotch;
  platform::RunHandler([&] {
    if (dy != 0) ScrollVertically(dy);
    if (dx != 0) ScrollHorizontally(dx);
  });
  event->accept();
}

// ---- events ---------------------------------------------------------------

bool TQRPreview::event(QEvent* event) {
  switch (static_cast<int>(event->type())) {
    case QR_PAGEREADY: {
      const int page = static_cast<TQRPageReadyNotice*>(event)->PageNumber();
      platform::RunHandler([&] { PageArrived(page); });
      return true;
    }
    case QR_PROGRESS: {
      const int progress = static_cast<TQRProgressNotice*>(event)->Value();
      platform::RunHandler([&] {
        if (OnProgressUpdate) OnProgressUpdate(this, progress);
      });
      return true;
    }
    case QEvent::Resize: {
      const bool handled = QAbstractScrollArea::event(event);
      if (OnResize) OnResize();
      return handled;
    }
    default:
      return QAbstractScrollArea::event(event);
  }
}

bool TQRPreview::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Resize) {
    // Scroll bars that come or go change the visible part, not the zoom.
    UpdateScrollBars();
    PlaceImage();
  }
  if (mouse_.Dispatch(viewport(), this, handlers_, event)) return true;
  return QAbstractScrollArea::viewportEvent(event);
}
