#pragma once
// Pictures from the program's resources.

#include <QPixmap>
#include <QString>

namespace platform {

// The bitmap at `resource` with every pixel of its bottom-left pixel's colour
// made transparent, as bitmaps with a transparent colour are drawn. A null
// pixmap when the resource cannot be read.
QPixmap TransparentBitmap(const QString& resource);

}  // namespace platform
