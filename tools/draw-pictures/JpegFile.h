#pragma once
// Writer for the emblem JPEG, with libjpeg called directly so that every
// setting is the one asked for (Qt's writer chooses its own): baseline JFIF
// 1.01, three components with 2 x 2 sampled luminance, a density in dots
// per inch, an Exif segment and a comment.

#include <QByteArray>
#include <QImage>
#include <QString>

struct JpegSettings {
  int quality = 90;
  int dotsPerInch = 96;
  QString software;  // the Exif "Software" entry
  QString comment;   // the COM segment
  // When above the size the picture and segments need, the comment is
  // padded with blanks until the file has exactly this many bytes.
  int fileSize = 0;
};

// nullopt-free: an empty array when libjpeg refuses the image.
QByteArray Jpeg(const QImage& image, const JpegSettings& settings);
