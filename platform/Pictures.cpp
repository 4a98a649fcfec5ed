#include "Pictures.h"

#include <QBitmap>
#include <QImage>

namespace platform {

QPixmap TransparentBitmap(const QString& resource) {
  const QImage image(resource);
  if (image.isNull()) return {};
  QPixmap pixmap = QPixmap::fromImage(image);
  const QRgb key = image.pixel(0, image.height() - 1);
  pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(key, Qt::MaskInColor)));
  return pixmap;
}

}  // namespace platform
