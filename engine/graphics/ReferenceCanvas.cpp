#include "ReferenceCanvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>

#include <cmath>

#include "QPainterCanvas.h"

int ScreenPixelsPerInch() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return 96;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return 96;
  const int ppi = int(std::lround(screen->logicalDotsPerInchY()));
  return ppi > 0 ? ppi : 96;
}

namespace {

// Owns its surface and painter; the painter canvas does the measuring.
class TReferenceCanvas : public TQPainterCanvas {
 public:
  explicit TReferenceCanvas(std::unique_ptr<QImage> image, std::unique_ptr<QPainter> painter,
                            int ppi)
      : TQPainterCanvas(*painter, ppi), image_(std::move(image)), painter_(std::move(painter)) {}
  ~TReferenceCanvas() override { painter_->end(); }

 private:
  std::unique_ptr<QImage> image_;
  std::unique_ptr<QPainter> painter_;
};

}  // namespace

std::unique_ptr<TCanvas> CreateReferenceCanvas() {
  const int ppi = ScreenPixelsPerInch();
  auto image = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
  const int dotsPerMeter = int(std::lround(ppi / 0.0254));
  image->setDotsPerMeterX(dotsPerMeter);
  image->setDotsPerMeterY(dotsPerMeter);
  auto painter = std::make_unique<QPainter>(image.get());
  return std::make_unique<TReferenceCanvas>(std::move(image), std::move(painter), ppi);
}
