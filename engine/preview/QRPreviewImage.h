#pragma once
// The control that paints one page of a printer's store: a white sheet, the
// page's metafile stretched over the control, a black outline and a shadow
// along the right and bottom edges. Without a page it paints nothing and its
// parent's background shows. Its size carries the zoom; the preview control
// sets it.

#include <QWidget>
#include <memory>

#include "QRMouseHandlers.h"

class TMetafile;
class TQRPrinter;

class TQRPreviewImage : public QWidget {
 public:
  explicit TQRPreviewImage(QWidget* parent = nullptr);
  ~TQRPreviewImage() override;

  TQRPrinter* QRPrinter() const { return printer_; }
  void SetQRPrinter(TQRPrinter* printer) { printer_ = printer; }

  int PageNumber() const { return pageNumber_; }
  // Drops the page held, fetches page `page` from the printer (when there is
  // one) and paints at once. A page not stored yet leaves the image empty.
  void SetPageNumber(int page);

  int Zoom() const { return zoom_; }  // percent
  void SetZoom(int zoom) { zoom_ = zoom; }

  bool HoldsPage() const { return page_ != nullptr; }
  const TMetafile* PageMetafile() const { return page_.get(); }

  // Draws what the control shows onto `painter`, whose origin is the
  // control's top-left corner.
  void PaintPage(QPainter& painter) const;

  const TQRMouseHandlers& MouseHandlers() const { return handlers_; }
  void SetMouseHandlers(const TQRMouseHandlers& handlers);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  TQRPrinter* printer_ = nullptr;
  int pageNumber_ = 1;
  int zoom_ = 100;
  std::unique_ptr<TMetafile> page_;
  TQRMouseHandlers handlers_;
  TQRMouseDispatcher mouse_;
};
