// The picture container: bitmaps and JPEG images read by signature, decoded
// once, and drawn with a plain stretched copy; damaged data raises a clear
// error and never ends the process.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <functional>

#include "Errors.h"
#include "FakeCanvas.h"
#include "Picture.h"
#include "TestImages.h"

namespace {

using testimages::Bmp;
using testimages::Jpeg;
using testimages::Quadrants;

// The colour at (x, y) is within `tolerance` of `expected` on every channel.
::testing::AssertionResult Near(const QImage& image, int x, int y, QRgb expected, int tolerance) {
  const QRgb c = image.pixel(x, y);
  if (std::abs(qRed(c) - qRed(expected)) <= tolerance &&
      std::abs(qGreen(c) - qGreen(expected)) <= tolerance &&
      std::abs(qBlue(c) - qBlue(expected)) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "pixel " << x << "," << y << " is " << std::hex << c << ", expected " << expected;
}

QImage Indexed(int width, int height, const QList<QRgb>& colours,
               const std::function<int(int, int)>& index) {
  QImage image(width, height, QImage::Format_Indexed8);
  image.setColorTable(colours);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, uint(index(x, y)));
  return image;
}

TEST(Picture, EmptyPictureHasNoSizeAndDrawsNothing) {
  const TPicture picture;
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(picture.Width(), 0);
  EXPECT_EQ(picture.Height(), 0);
  EXPECT_EQ(picture.Graphic(), nullptr);
  EXPECT_FALSE(picture.IsBitmap());
  TFakeCanvas canvas;
  picture.Draw(canvas, QRect(0, 0, 10, 10));
  EXPECT_TRUE(canvas.Log().isEmpty());
}

TEST(Picture, JpegDecodesOnceToRgbAndStretchesAsABitmap) {
  const QImage source = Quadrants(32, 16);
  const TPicture picture = TPicture::FromBytes(Jpeg(source));
  ASSERT_NE(picture.Jpeg(), nullptr);
  EXPECT_FALSE(picture.IsBitmap());
  EXPECT_EQ(picture.Width(), 32);
  EXPECT_EQ(picture.Height(), 16);
  const QImage& bits = picture.Jpeg()->Bits();
  EXPECT_EQ(bits.format(), QImage::Format_RGB888);
  // Quadrant centres, far from the block edges where JPEG rings.
  EXPECT_TRUE(Near(bits, 4, 4, qRgb(220, 0, 0), 24));
  EXPECT_TRUE(Near(bits, 27, 4, qRgb(0, 160, 0), 24));
  EXPECT_TRUE(Near(bits, 4, 12, qRgb(0, 0, 200), 24));
  EXPECT_TRUE(Near(bits, 27, 12, qRgb(255, 255, 255), 24));

  TFakeCanvas canvas;
  picture.Draw(canvas, QRect(5, 6, 64, 8));
  EXPECT_EQ(canvas.Log(),
            QStringList{QStringLiteral("StretchBitmap 5,6,69,14 32x16 rgb24 #%1")
                            .arg(TFakeCanvas::PixelHash(bits), 8, 16, QLatin1Char('0'))});
  // A copy shares the decoded bits instead of decoding again.
  const TPicture copy = picture;
  EXPECT_EQ(copy.Jpeg()->Bits().constBits(), bits.constBits());
}

TEST(Picture, GreyAndProgressiveJpegsComeOutAsRgb) {
  const QImage source = Quadrants(24, 24);
  const TPicture grey = TPicture::FromBytes(Jpeg(source, 90, false, true));
  const QRgb g = grey.Jpeg()->Bits().pixel(20, 20);
  EXPECT_EQ(qRed(g), qGreen(g));
  EXPECT_EQ(qGreen(g), qBlue(g));
  const TPicture progressive = TPicture::FromBytes(Jpeg(source, 90, true));
  EXPECT_EQ(progressive.Jpeg()->Bits().format(), QImage::Format_RGB888);
  EXPECT_TRUE(Near(progressive.Jpeg()->Bits(), 3, 3, qRgb(220, 0, 0), 24));
}

struct DamagedCase {
  const char* name;
  std::function<QByteArray()> bytes;
  const char* messageStart;
};

QByteArray GoodJpeg() { return Jpeg(Quadrants(64, 64)); }
QByteArray GoodBmp() { return Bmp(Quadrants(5, 3), 24); }

const DamagedCase kDamaged[] = {
    // Cut in the middle of the entropy-coded data: libjpeg only warns.
    {"JpegTruncatedInTheScan", [] { return GoodJpeg().left(GoodJpeg().size() / 2); },
     "JPEG image is not valid: "},
    {"JpegTruncatedInTheHeader", [] { return GoodJpeg().left(40); }, "JPEG image is not valid: "},
    {"JpegOnlyTheStartMarker", [] { return QByteArray("\xFF\xD8\xFF", 3); },
     "JPEG image is not valid: "},
    {"JpegGarbageAfterTheMarker",
     [] { return QByteArray("\xFF\xD8\xFF\x01\x02\x03\x04\x05\x06\x07\x08\x09", 12); },
     "JPEG image is not valid: "},
    // A frame header saying 0 x 0 pixels.
    {"JpegZeroSize",
     [] {
       QByteArray b = GoodJpeg();
       const qsizetype sof = b.indexOf(QByteArray("\xFF\xC0", 2));
       b[sof + 5] = b[sof + 6] = b[sof + 7] = b[sof + 8] = 0;
       return b;
     },
     "JPEG image is not valid: "},
    {"BmpBitsCutShort", [] { return GoodBmp().chopped(4); }, "Bitmap image is not valid"},
    {"BmpHeaderOnly", [] { return GoodBmp().left(20); }, "Bitmap image is not valid"},
    {"BmpBitsOffsetPastTheEnd",
     [] {
       QByteArray b = GoodBmp();
       b[10] = char(0xF0), b[11] = char(0xFF);
       return b;
     },
     "Bitmap image is not valid"},
    {"BmpHugeWidth",
     [] {
       QByteArray b = GoodBmp();
       b[18] = b[19] = b[20] = char(0xFF), b[21] = char(0x7F);
       return b;
     },
     "Bitmap image is not valid"},
    {"BmpZeroBitsPerPixel",
     [] {
       QByteArray b = GoodBmp();
       b[28] = 0;
       return b;
     },
     "Bitmap image is not valid"},
    {"Empty", [] { return QByteArray(); }, "Unknown picture format"},
    {"PlainText", [] { return QByteArray("not a picture at all"); }, "Unknown picture format"},
    {"MetafileSignatureOnly",
     [] {
       QByteArray b(44, '\0');
       b[0] = 1;
       b[40] = ' ', b[41] = 'E', b[42] = 'M', b[43] = 'F';
       return b;
     },
     "Metafile is not valid"},
};

class DamagedPicture : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedPicture, RaisesAClearError) {
  try {
    (void)TPicture::FromBytes(GetParam().bytes());
    FAIL() << "no error";
  } catch (const EInvalidGraphic& e) {
    EXPECT_TRUE(e.Message().startsWith(QLatin1String(GetParam().messageStart))) << e.what();
    EXPECT_GT(e.Message().size(), 20) << "a reason must follow: " << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Picture, DamagedPicture, ::testing::ValuesIn(kDamaged),
                         [](const auto& info) { return std::string(info.param.name); });

struct BmpCase {
  const char* name;
  int bpp;
  bool topDown;
  QImage::Format format;  // of the bits kept
};

const BmpCase kBmps[] = {
    {"Mono", 1, false, QImage::Format_Mono},
    {"Palette8", 8, false, QImage::Format_RGB32},
    {"Rgb24BottomUp", 24, false, QImage::Format_RGB888},
    {"Rgb24TopDown", 24, true, QImage::Format_RGB888},
    // The fourth byte of each pixel is filler, not alpha.
    {"Rgb32", 32, false, QImage::Format_RGB32},
};

class BitmapFile : public ::testing::TestWithParam<BmpCase> {};

// Rows of odd width need padding; the corner pixels show orientation.
TEST_P(BitmapFile, ReadsEveryPixelTheRightWayUp) {
  const BmpCase& c = GetParam();
  const QList<QRgb> colours = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(200, 10, 20)};
  const QImage source = Indexed(7, 3, c.bpp == 1 ? colours.mid(0, 2) : colours, [&](int x, int y) {
    return c.bpp == 1 ? (x + y) % 2 : (x + 2 * y) % 3;
  });
  const TPicture picture = TPicture::FromBytes(Bmp(source, c.bpp, c.topDown));
  ASSERT_TRUE(picture.IsBitmap());
  const QImage& bits = picture.Bitmap()->Bits();
  EXPECT_EQ(bits.format(), c.format);
  ASSERT_EQ(bits.size(), QSize(7, 3));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(bits.pixel(x, y), source.pixel(x, y)) << x << "," << y;
  EXPECT_EQ(picture.Bitmap()->Monochrome(), c.bpp == 1);
}

INSTANTIATE_TEST_SUITE_P(Picture, BitmapFile, ::testing::ValuesIn(kBmps),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Picture, BitmapStretchesWithAPlainCopyAndKeepsItsTransparentColour) {
  TBitmap bitmap = TBitmap::FromBytes(Bmp(Quadrants(4, 2), 24));
  bitmap.SetTransparentColor(qRgb(255, 255, 255));
  const TPicture picture(bitmap);
  TFakeCanvas canvas;
  picture.Draw(canvas, QRect(10, 20, 400, 200));
  ASSERT_EQ(canvas.Log().size(), 1);
  EXPECT_TRUE(canvas.Log()[0].startsWith("StretchBitmap 10,20,410,220 4x2 rgb24"))
      << canvas.Log()[0].toStdString();
  const QImage masked = picture.Bitmap()->Masked();
  EXPECT_EQ(qAlpha(masked.pixel(3, 1)), 0);    // the white quadrant
  EXPECT_EQ(qAlpha(masked.pixel(0, 0)), 255);  // red stays
}

TEST(Picture, FilesAreReadByContentAndMissingOnesRaiseTheOpenError) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("emblem.dat"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(Jpeg(Quadrants(8, 8)));
  file.close();
  EXPECT_NE(TPicture::FromFile(path).Jpeg(), nullptr);
  try {
    (void)TPicture::FromFile(dir.filePath(QStringLiteral("missing.jpg")));
    FAIL() << "no error";
  } catch (const EFOpenError& e) {
    EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Cannot open file \"%1").arg(dir.path())));
  }
}

TEST(Picture, MetafilePictureReplaysItsRecords) {
  TMetafileCanvas recording(200, 100);
  recording.SetBrush(0xFF00FF00, TBrushStyle::bsSolid);
  recording.FillRect(QRect(10, 10, 50, 20));
  const TPicture picture(recording.Close());
  ASSERT_NE(picture.Metafile(), nullptr);
  EXPECT_EQ(picture.Width(), 200);
  EXPECT_EQ(picture.Height(), 100);
  const TPicture reread = TPicture::FromBytes(picture.Metafile()->ToBytes());
  TFakeCanvas canvas;
  reread.Draw(canvas, QRect(0, 0, 400, 200));
  EXPECT_TRUE(canvas.DrawingLog().contains(QStringLiteral("FillRect 20,20,120,60")))
      << canvas.DrawingLog().join('\n').toStdString();
}

}  // namespace
