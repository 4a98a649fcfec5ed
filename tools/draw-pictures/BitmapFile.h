#pragma once
// Writers for the picture files the program is built with, in exactly the
// colour depth each one is specified with (Qt's writers choose their own).

#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QVector>

// Bottom-up BITMAPINFOHEADER file, 24 bits per pixel, alpha dropped.
QByteArray Bitmap24(const QImage& image);
// Bottom-up BITMAPV5HEADER file, 32 bits per pixel with an alpha mask.
QByteArray Bitmap32(const QImage& image);
// One-image icon file, 4 bits per pixel over `palette` (16 colours) plus the
// transparency mask: pixels with alpha below 128 are transparent, the others
// take the nearest palette colour.
QByteArray Icon4(const QImage& image, const QVector<QRgb>& palette);
