// Damaged metafile bytes are refused with "Metafile is not valid" before any
// record is played; files written by Windows programs play what the player
// understands, and damaged ones from the wild are refused or skipped cleanly.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QtEndian>
#include <functional>

#include "Errors.h"
#include "FakeCanvas.h"
#include "Metafile.h"

namespace {

QByteArray RecordedPage() {
  TMetafileCanvas recording(200, 100);
  TFontSpec font;
  font.pointSize = 12;
  recording.SelectFont(font);
  recording.TextOut(10, 10, TTextAnchor::Left, QStringLiteral("Texto"));
  recording.SetBrush(0xFF00FF00, TBrushStyle::bsSolid);
  recording.Rectangle(QRect(5, 5, 50, 40));
  QImage bits(4, 4, QImage::Format_RGB888);
  bits.fill(Qt::red);
  recording.StretchBitmap(QRect(60, 5, 40, 40), bits);
  recording.MoveTo(0, 0);
  recording.LineTo(199, 99);
  return recording.Close().ToBytes();
}

// Offset of the first record of `type`.
qsizetype FindRecord(const QByteArray& bytes, quint32 type) {
  qsizetype at = 0;
  while (at + 8 <= bytes.size()) {
    if (qFromLittleEndian<quint32>(bytes.constData() + at) == type) return at;
    const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
    if (size < 8) break;
    at += size;
  }
  ADD_FAILURE() << "no record of type " << type;
  return 0;
}

void Put32(QByteArray& bytes, qsizetype at, quint32 value) {
  qToLittleEndian<quint32>(value, bytes.data() + at);
}

struct DamageCase {
  const char* name;
  std::function<void(QByteArray&)> damage;
};

constexpr quint32 kText = 84, kStretchDIBits = 81, kFont = 82, kLineTo = 54;

const DamageCase kDamages[] = {
    {"CutInHalf", [](QByteArray& b) { b.truncate(b.size() / 2); }},
    {"LastRecordCutShort", [](QByteArray& b) { b.chop(4); }},
    {"HeaderOnly", [](QByteArray& b) { b.truncate(108); }},
    {"TooShortForAHeader", [](QByteArray& b) { b.truncate(60); }},
    {"WrongSignature", [](QByteArray& b) { b[41] = 'X'; }},
    {"HeaderTypeNotOne", [](QByteArray& b) { Put32(b, 0, 2); }},
    // The total size claims more than there is.
    {"TotalSizePastTheEnd", [](QByteArray& b) { Put32(b, 48, quint32(b.size() + 400)); }},
    {"TotalSizeNotAMultipleOfFour", [](QByteArray& b) { Put32(b, 48, quint32(b.size() - 2)); }},
    // A zero size would walk the same record for ever.
    {"RecordSizeZero", [](QByteArray& b) { Put32(b, FindRecord(b, kLineTo) + 4, 0); }},
    {"RecordSizeOdd", [](QByteArray& b) { Put32(b, FindRecord(b, kLineTo) + 4, 18); }},
    {"RecordSizePastTheEnd",
     [](QByteArray& b) { Put32(b, FindRecord(b, kLineTo) + 4, 0x7FFFFFF0); }},
    {"NoEndRecord",
     [](QByteArray& b) {
       Put32(b, b.size() - 20, 54);
       Put32(b, b.size() - 16, 20);
     }},
    {"TextOffsetPastTheRecord",
     [](QByteArray& b) { Put32(b, FindRecord(b, kText) + 48, 0xFFFFFF00); }},
    {"TextCountPastTheRecord",
     [](QByteArray& b) { Put32(b, FindRecord(b, kText) + 44, 0x40000000); }},
    {"AdvancesPastTheRecord",
     [](QByteArray& b) { Put32(b, FindRecord(b, kText) + 72, 0x7FFFFFFC); }},
    {"FontRecordTooShort", [](QByteArray& b) { Put32(b, FindRecord(b, kFont) + 4, 64); }},
    {"BitmapWiderThanItsBits",
     [](QByteArray& b) { Put32(b, FindRecord(b, kStretchDIBits) + 80 + 4, 100000); }},
    {"HugeBitmap",
     [](QByteArray& b) {
       const qsizetype at = FindRecord(b, kStretchDIBits) + 80;
       Put32(b, at + 4, 0x7FFFFFFF);
       Put32(b, at + 8, 0x7FFFFFFF);
     }},
    {"BitmapHeaderOffsetPastTheRecord",
     [](QByteArray& b) { Put32(b, FindRecord(b, kStretchDIBits) + 48, 0xFFFFFFF0); }},
    {"BitmapBitsCountWraps",
     [](QByteArray& b) { Put32(b, FindRecord(b, kStretchDIBits) + 60, 0xFFFFFFFC); }},
    {"ZeroBitsPerPixel", [](QByteArray& b) { b[FindRecord(b, kStretchDIBits) + 80 + 14] = 0; }},
};

class DamagedMetafile : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedMetafile, IsNotValid) {
  QByteArray bytes = RecordedPage();
  ASSERT_NO_THROW(TMetafile::FromBytes(bytes));
  GetParam().damage(bytes);
  try {
    (void)TMetafile::FromBytes(bytes);
    FAIL() << "accepted";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Metafile is not valid"));
  }
}

INSTANTIATE_TEST_SUITE_P(Metafile, DamagedMetafile, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

QByteArray Fixture(const QString& name) {
  QFile file(QStringLiteral(PERMISO_GRAPHICS_FIXTURES "/emf/") + name);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
  return file.readAll();
}

// Pixels of the image that are not the white it started as.
int InkedPixels(const QImage& image) {
  int inked = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) inked += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
  return inked;
}

QImage PlayedOnImage(const TMetafile& metafile, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  metafile.Play(painter, QRectF(QPointF(0, 0), QSizeF(size)));
  painter.end();
  return image;
}

class WindowsFile : public ::testing::TestWithParam<const char*> {};

TEST_P(WindowsFile, PlaysWhatItHoldsOnAPainterAndACanvas) {
  const TMetafile metafile = TMetafile::FromBytes(Fixture(QString::fromLatin1(GetParam())));
  ASSERT_GT(metafile.Width(), 0);
  ASSERT_GT(metafile.Height(), 0);
  const QSize size(400, int(400.0 * metafile.Height() / metafile.Width()) + 1);
  const QImage image = PlayedOnImage(metafile, size);
  EXPECT_GT(InkedPixels(image), 50);
  TFakeCanvas canvas;
  metafile.Draw(canvas, QRect(QPoint(0, 0), size));
  EXPECT_FALSE(canvas.DrawingLog().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Metafile, WindowsFile,
    ::testing::Values("test-001.emf", "test-007.emf", "test-013.emf", "test-065.emf",
                      "test-124.emf", "test-152.emf", "EA-test-file-001.emf",
                      "EA-test-file-013.emf"),
    [](const auto& info) {
      QString name = QString::fromLatin1(info.param);
      return name.replace(QRegularExpression("[^A-Za-z0-9]"), "_").toStdString();
    });

class DamagedWindowsFile : public ::testing::TestWithParam<const char*> {};

TEST_P(DamagedWindowsFile, IsRefusedOrPlaysWithoutHarm) {
  const QByteArray bytes = Fixture(QStringLiteral("corrupted/") + QString::fromLatin1(GetParam()));
  try {
    const TMetafile metafile = TMetafile::FromBytes(bytes);
    (void)PlayedOnImage(metafile, QSize(200, 150));
    TFakeCanvas canvas;
    metafile.Draw(canvas, QRect(0, 0, 200, 150));
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Metafile is not valid"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Metafile, DamagedWindowsFile,
    ::testing::Values("bad-133727.emf", "bad-140817.emf", "bad-215338.emf", "bad-215358.emf",
                      "bad-215400.emf", "bad-215425.emf"),
    [](const auto& info) {
      QString name = QString::fromLatin1(info.param);
      return name.replace(QRegularExpression("[^A-Za-z0-9]"), "_").toStdString();
    });

// Without a usable frame the size comes from the bounds, which a hostile file
// may spread over the whole 32-bit range: the size must not wrap negative.
TEST(MetafileSize, HostileBoundsWithoutFrameNeverGiveANegativeSize) {
  QByteArray bytes = RecordedPage();
  for (int at = 24; at < 40; at += 4) Put32(bytes, at, 0);  // frame: none
  Put32(bytes, 8, 0xC0000000u);                             // bounds left, top
  Put32(bytes, 12, 0xC0000000u);
  Put32(bytes, 16, 0x7FFFFFFFu);  // bounds right, bottom
  Put32(bytes, 20, 0x7FFFFFFFu);
  const TMetafile metafile = TMetafile::FromBytes(bytes);
  EXPECT_GE(metafile.Width(), 0);
  EXPECT_GE(metafile.Height(), 0);
}

}  // namespace
