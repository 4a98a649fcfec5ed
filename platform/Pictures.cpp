#include "Pictures.h"

#include <QBitmap>
#include <QFileInfo>
#include <QImage>

namespace platform {

QString DoubleSizeName(const QString& resource) {
  const qsizetype slash = resource.lastIndexOf(u'/');
  const qsizetype dot = resource.lastIndexOf(u'.');
  if (dot > slash) return resource.left(dot) + QStringLiteral("@2x") + resource.mid(dot);
  return resource + QStringLiteral("@2x");
}

QPixmap TransparentBitmap(const QString& resource, qreal devicePixelRatio) {
  QString name = resource;
  qreal ratio = 1;
  if (devicePixelRatio > 1 && QFileInfo::exists(DoubleSizeName(resource))) {
    name = DoubleSizeName(resource);
    ratio = 2;
  }
  const QImage image(name);
  if (image.isNull()) return {};
  QPixmap pixmap = QPixmap::fromImage(image);
  const QRgb key = image.pixel(0, image.height() - 1);
  pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(key, Qt::MaskInColor)));
  pixmap.setDevicePixelRatio(ratio);
  return pixmap;
}

}  // namespace platform
