#include "QRPreviewImage.h"

#include <QPainter>

#include "Metafile.h"
#include "QRPrinter.h"

TQRPreviewImage::TQRPreviewImage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PreviewImage"));
  resize(100, 50);
}

TQRPreviewImage::~TQRPreviewImage() = default;

void TQRPreviewImage::SetPageNumber(int page) {
  pageNumber_ = page;
  page_.reset();
  if (printer_) page_ = printer_->FetchPage(page);
  if (isVisible()) {
    repaint();
  } else {
    update();
  }
}

void TQRPreviewImage::SetMouseHandlers(const TQRMouseHandlers& handlers) {
  handlers_ = handlers;
  TQRMouseDispatcher::Prepare(this, handlers_);
}

// The rectangles follow the device rule that right and bottom edges are not
// part of a filled area, so with w x h pixels the sheet is (1,1)-(w-4,h-4),
// the outline runs on column w-3 and row h-3, and the two shadow bars are
// the last two columns and rows, starting 2 pixels in.
void TQRPreviewImage::PaintPage(QPainter& painter) const {
  if (!page_) return;
  const int w = width();
  const int h = height();
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(QRect(1, 1, w - 4, h - 4), Qt::white);
  page_->Play(painter, QRectF(0, 0, w, h));
  painter.restore();

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 1));
  painter.drawLine(0, 0, 0, h - 3);
  painter.drawLine(0, h - 3, w - 3, h - 3);
  painter.drawLine(w - 3, h - 3, w - 3, 0);
  painter.drawLine(w - 3, 0, 0, 0);
  painter.fillRect(QRect(w - 2, 2, 2, h - 2), Qt::black);
  painter.fillRect(QRect(2, h - 2, w - 2, 2), Qt::black);
  painter.restore();
}

void TQRPreviewImage::paintEvent(QPaintEvent*) {
  if (!page_) return;
  QPainter painter(this);  // clipped to the exposed region already
  PaintPage(painter);
}

bool TQRPreviewImage::event(QEvent* event) {
  if (mouse_.Dispatch(this, this, handlers_, event)) return true;
  return QWidget::event(event);
}
