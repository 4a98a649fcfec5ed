// On a desktop of twice the density (the program scaled by 2, as
// QT_SCALE_FACTOR=2 scales it):
// the entry window's emblem and button picture, the program's icon, the
// question picture and the preview's toolbar pictures are the ones drawn at
// twice the size, used at a device pixel ratio of 2; and those pictures are
// drawn afresh at the finer resolution, not the small ones enlarged.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QToolButton>

#include "DialogResources.h"
#include "PermitResources.h"
#include "Pictures.h"
#include "QRPreviewGlyphs.h"
#include "QtDialogBackend.h"
#include "TFormPermiso.h"
#include "TPermisoApplication.h"

namespace {

// The pixels of `pixmap`, fully opaque ones compared as colours, see-through
// ones as see-through.
bool SamePixels(const QPixmap& pixmap, const QImage& expected) {
  const QImage a = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
  const QImage b = expected.convertToFormat(QImage::Format_ARGB32);
  if (a.size() != b.size()) return false;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (qAlpha(p) == 0 && qAlpha(q) == 0) continue;
      if (p != q) return false;
    }
  return true;
}

// `small` doubled pixel by pixel.
QImage Doubled(const QImage& small) {
  return small.convertToFormat(QImage::Format_ARGB32)
      .scaled(small.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// The share of pixels in which `large` differs from `small` doubled.
double DifferenceFromDoubled(const QImage& small, const QImage& large) {
  const QImage doubled = Doubled(small);
  const QImage drawn = large.convertToFormat(QImage::Format_ARGB32);
  if (doubled.size() != drawn.size()) return 1;
  int differing = 0;
  for (int y = 0; y < drawn.height(); ++y)
    for (int x = 0; x < drawn.width(); ++x)
      if (doubled.pixel(x, y) != drawn.pixel(x, y)) ++differing;
  return double(differing) / (drawn.width() * drawn.height());
}

TEST(DoubleDensity, TheScreenIsOfTwiceTheDensity) {
  ASSERT_EQ(qApp->devicePixelRatio(), 2.0);
}

TEST(DoubleDensity, EntryWindowPictures) {
  TFormPermiso form;
  form.show();
  const QPixmap emblem = form.Image1->pixmap();
  EXPECT_EQ(emblem.devicePixelRatio(), 2.0);
  EXPECT_EQ(emblem.size(), QSize(308, 320));
  const QImage drawn(QStringLiteral(":/pictures/Emblem@2x.bmp"));
  ASSERT_FALSE(drawn.isNull());
  // Black, the bottom-left pixel's colour, is see-through.
  QImage keyed = drawn.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < keyed.height(); ++y)
    for (int x = 0; x < keyed.width(); ++x)
      if (keyed.pixel(x, y) == qRgb(0, 0, 0)) keyed.setPixel(x, y, qRgba(0, 0, 0, 0));
  EXPECT_TRUE(SamePixels(emblem, keyed));

  const QPixmap button = form.BtnPreliminar->icon().pixmap(QSize(32, 32), 2.0);
  EXPECT_EQ(button.size(), QSize(64, 64));
  EXPECT_TRUE(SamePixels(button, QImage(QStringLiteral(":/pictures/Preliminar@2x.bmp"))));
}

TEST(DoubleDensity, ProgramIconAndQuestionPicture) {
  const QPixmap icon = qApp->windowIcon().pixmap(QSize(32, 32), 2.0);
  EXPECT_EQ(icon.size(), QSize(64, 64));
  EXPECT_TRUE(SamePixels(icon, QImage(QStringLiteral(":/pictures/Permiso@2x.ico"))));

  platform::MessageDialogRequest request;
  request.kind = TMsgDlgType::Confirmation;
  request.picture = QStringLiteral(":/MSGDLG_CONFIRM");
  request.buttons = {TMsgDlgBtn::Yes, TMsgDlgBtn::No};
  const auto box = platform::BuildMessageDialog(request);
  const QPixmap question = box->iconPixmap();
  EXPECT_EQ(question.devicePixelRatio(), 2.0);
  EXPECT_EQ(question.size(), QSize(64, 64));
  EXPECT_EQ(qAlpha(question.toImage().pixel(0, 63)), 0) << "the olive is see-through";
}

TEST(DoubleDensity, PreviewToolbarPictures) {
  for (int i = 0; i < kPreviewGlyphCount; ++i) {
    const auto glyph = static_cast<TQRPreviewGlyph>(i);
    SCOPED_TRACE(PreviewGlyphPath(glyph).toStdString());
    const QPixmap shown = PreviewGlyph(glyph).pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(shown.size(), QSize(32, 32));
    EXPECT_TRUE(SamePixels(shown, QImage(PreviewGlyphPath(glyph, 2))));
  }
}

// Each large picture is a drawing of its own: it differs from its small
// picture doubled pixel by pixel (and is not empty).
TEST(DoubleDensity, LargePicturesAreDrawnNotEnlarged) {
  InitPermitResources();
  platform::InitDialogResources();
  QStringList pictures = {
      QStringLiteral(":/pictures/Emblem.bmp"), QStringLiteral(":/pictures/Preliminar.bmp"),
      QStringLiteral(":/pictures/Permiso.ico"), QStringLiteral(":/MSGDLG_CONFIRM")};
  for (int i = 0; i < kPreviewGlyphCount; ++i)
    pictures << PreviewGlyphPath(static_cast<TQRPreviewGlyph>(i));
  for (const QString& picture : pictures) {
    SCOPED_TRACE(picture.toStdString());
    const QImage small(picture);
    const QImage large(platform::DoubleSizeName(picture));
    ASSERT_FALSE(small.isNull());
    ASSERT_FALSE(large.isNull());
    EXPECT_EQ(large.size(), small.size() * 2);
    EXPECT_GT(DifferenceFromDoubled(small, large), 0.005);
  }
}

}  // namespace

// The program's application object on a screen scaled by 2, headless, with
// a scratch home folder.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QT_SCALE_FACTOR", "2");
  QTemporaryDir home;
  if (!home.isValid()) return 1;
  qputenv("HOME", home.path().toLocal8Bit());
  TPermisoApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
