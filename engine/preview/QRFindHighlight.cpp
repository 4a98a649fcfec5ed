#include "QRFindHighlight.h"

#include <QEvent>
#include <QPainter>

#include "EmfInterpreter.h"
#include "Metafile.h"
#include "QRPreviewImage.h"

// See-through, so that the word shows through its mark.
const QColor TQRFindHighlight::kMatchColour(255, 220, 0, 110);
const QColor TQRFindHighlight::kCurrentColour(255, 120, 0, 140);

TQRFindHighlight::TQRFindHighlight(TQRPreviewImage* image) : QWidget(image), image_(image) {
  setObjectName(QStringLiteral("FindHighlight"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setGeometry(image->rect());
  image->installEventFilter(this);
}

void TQRFindHighlight::ShowMatches(std::vector<QPolygonF> outlines, int current) {
  outlines_ = std::move(outlines);
  current_ = current;
  update();
}

// The page is played into the whole image (TQRPreviewImage::PaintPage).
QTransform TQRFindHighlight::PictureToImage() const {
  const TMetafile* page = image_->PageMetafile();
  if (!page) return QTransform(0, 0, 0, 0, 0, 0);
  return emf::TEmfInterpreter::FitTransform(page->Layout(),
                                            QRectF(0, 0, image_->width(), image_->height()));
}

QRectF TQRFindHighlight::OnImage(const QPolygonF& outline) const {
  if (!image_->HoldsPage()) return {};
  return PictureToImage().map(outline).boundingRect();
}

void TQRFindHighlight::paintEvent(QPaintEvent*) {
  if (outlines_.empty() || !image_->HoldsPage()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  const QTransform toImage = PictureToImage();
  for (size_t i = 0; i < outlines_.size(); ++i) {
    painter.setBrush(int(i) == current_ ? kCurrentColour : kMatchColour);
    painter.drawPolygon(toImage.map(outlines_[i]));
  }
}

bool TQRFindHighlight::eventFilter(QObject* watched, QEvent* event) {
  if (watched == image_ && event->type() == QEvent::Resize) {
    setGeometry(image_->rect());
    raise();
  }
  return QWidget::eventFilter(watched, event);
}
