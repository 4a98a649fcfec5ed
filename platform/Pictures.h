#pragma once
// Pictures from the program's resources. A picture a window shows exists
// twice: as specified, and drawn at twice the size for screens of twice the
// density, under the same name with "@2x" before the extension.

#include <QPixmap>
#include <QString>

namespace platform {

// ":/pictures/Emblem@2x.bmp" for ":/pictures/Emblem.bmp", ":/MSGDLG_CONFIRM@2x"
// for ":/MSGDLG_CONFIRM".
QString DoubleSizeName(const QString& resource);

// The bitmap at `resource` with every pixel of its bottom-left pixel's colour
// made transparent, as bitmaps with a transparent colour are drawn. On a
// screen whose device pixel ratio is above 1 it is the picture drawn at twice
// the size, at a device pixel ratio of 2, when there is one. A null pixmap
// when the resource cannot be read.
QPixmap TransparentBitmap(const QString& resource, qreal devicePixelRatio = 1);

}  // namespace platform
