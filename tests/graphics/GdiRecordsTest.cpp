// What Windows GDI writes into metafiles, played through a canvas: mapping
// modes, world transforms, stock objects, saved states, pattern fills, text
// at the current position, 16-bit polylines and a reused object slot. Each
// row is a small hand-written file and the canvas calls it must give. The
// reference device's pixel is 0.1 mm; frames are 100 x 100 pixels played
// into a 100 x 100 rectangle, so that record pixels are canvas pixels.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPicture>
#include <functional>

#include "EmfBuilder.h"
#include "FakeCanvas.h"
#include "Metafile.h"

namespace {

enum : std::uint32_t {
  kSetWindowExtEx = 9,
  kSetWindowOrgEx = 10,
  kSetViewportExtEx = 11,
  kSetMapMode = 17,
  kSetTextAlign = 22,
  kMoveToEx = 27,
  kSaveDC = 33,
  kRestoreDC = 34,
  kSetWorldTransform = 35,
  kSelectObject = 37,
  kCreatePen = 38,
  kCreateBrush = 39,
  kDeleteObject = 40,
  kRectangle = 43,
  kLineTo = 54,
  kBitBlt = 76,
  kStretchDIBits = 81,
  kTextW = 84,
  kPolyline16 = 87,
};
constexpr std::int64_t kStock = 0x80000000;
constexpr std::int64_t kF1 = 0x3F800000, kF2 = 0x40000000, kF0 = 0;  // floats 1, 2, 0

// A pattern blit without a bitmap: how FillRect is recorded.
void PatCopy(TEmfBuilder& b, int x, int y, int cx, int cy) {
  b.Record(kBitBlt, {x,   y,   x + cx - 1, y + cy - 1, x,   y, cx, cy, 0x00F00021, 0, 0, kF1,
                     kF0, kF0, kF1,        kF0,        kF0, 0, 0,  0,  0,          0, 0});
}

struct RecordsCase {
  const char* name;
  std::function<void(TEmfBuilder&)> records;
  QStringList calls;  // the canvas's drawing log
};

const RecordsCase kCases[] = {
    // Window (10,10) extent 200 onto viewport extent 100: halves and moves.
    {"AnisotropicMapping",
     [](TEmfBuilder& b) {
       b.Record(kSetMapMode, {8}).Record(kSetWindowOrgEx, {10, 10});
       b.Record(kSetWindowExtEx, {200, 200}).Record(kSetViewportExtEx, {100, 100});
       b.Record(kRectangle, {10, 10, 49, 29});
     },
     {"Rectangle 0,0,20,10"}},
    // Extents count only in the two scalable modes.
    {"ExtentsIgnoredInTextMode",
     [](TEmfBuilder& b) {
       b.Record(kSetWindowExtEx, {200, 200}).Record(kSetViewportExtEx, {100, 100});
       b.Record(kRectangle, {10, 10, 49, 29});
     },
     {"Rectangle 10,10,50,30"}},
    {"WorldTransformScalesAndMoves",
     [](TEmfBuilder& b) {
       b.Record(kSetWorldTransform, {kF2, kF0, kF0, kF2, 0x41200000 /* 10 */, kF0});
       b.Record(kMoveToEx, {0, 0}).Record(kLineTo, {20, 5});
     },
     {"MoveTo 10,0", "LineTo 50,10"}},
    {"StockObjects",
     [](TEmfBuilder& b) {
       b.Record(kSelectObject, {kStock | 4}).Record(kSelectObject, {kStock | 8});
       b.Record(kRectangle, {0, 0, 9, 9});
       b.Record(kSelectObject, {kStock | 5}).Record(kSelectObject, {kStock | 6});
       b.Record(kRectangle, {0, 0, 9, 9});
     },
     {"SetBrush #000000 bsSolid", "SetPen #000000 1 psClear", "Rectangle 0,0,10,10",
      "SetBrush #FFFFFF bsClear", "SetPen #FFFFFF 1 psSolid", "Rectangle 0,0,10,10"}},
    // A restore brings back the brush that was selected when saved.
    {"SaveAndRestore",
     [](TEmfBuilder& b) {
       b.Record(kSelectObject, {kStock | 4}).Record(kSaveDC, {});
       b.Record(kSelectObject, {kStock | 0});
       PatCopy(b, 0, 0, 5, 5);
       b.Record(kRestoreDC, {-1});
       PatCopy(b, 5, 5, 5, 5);
       b.Record(kRestoreDC, {-1});  // nothing saved any more: ignored
     },
     {"SetBrush #000000 bsSolid", "SetBrush #FFFFFF bsSolid", "FillRect 0,0,5,5",
      "SetBrush #000000 bsSolid", "FillRect 5,5,10,10"}},
    {"PatternBlitFillsWithTheBrush",
     [](TEmfBuilder& b) {
       b.Record(kCreateBrush, {1, 0, 0x0000FF /* red */, 0}).Record(kSelectObject, {1});
       PatCopy(b, 10, 20, 30, 5);
       b.Record(kSelectObject, {kStock | 0}).Record(kDeleteObject, {1});
     },
     {"SetBrush #FF0000 bsSolid", "FillRect 10,20,40,25"}},
    // A deleted slot takes the next object created.
    {"ReusedSlot",
     [](TEmfBuilder& b) {
       b.Record(kCreatePen, {1, 0, 3, 0, 0x00FF00}).Record(kSelectObject, {1});
       b.Record(kMoveToEx, {0, 0}).Record(kLineTo, {10, 0});
       b.Record(kSelectObject, {kStock | 7}).Record(kDeleteObject, {1});
       b.Record(kCreateBrush, {1, 1, 0, 0}).Record(kSelectObject, {1});
       b.Record(kRectangle, {0, 0, 9, 9});
     },
     {"SetPen #00FF00 3 psSolid", "MoveTo 0,0", "LineTo 10,0", "SetPen #000000 1 psSolid",
      "SetBrush #000000 bsClear", "Rectangle 0,0,10,10"}},
    // Slot 0, slots past the table and empty slots select nothing.
    {"BadObjectIndexesSelectNothing",
     [](TEmfBuilder& b) {
       b.Record(kSelectObject, {0}).Record(kSelectObject, {99}).Record(kSelectObject, {3});
       b.Record(kDeleteObject, {kStock | 4}).Record(kCreatePen, {0, 0, 1, 0, 0});
       b.Record(kRectangle, {0, 0, 9, 9});
     },
     {"Rectangle 0,0,10,10"}},
    {"Polyline16",
     [](TEmfBuilder& b) {
       // POINTS: x in the low 16 bits, y in the high ones.
       b.Record(kPolyline16, {0, 0, 50, 50, 3, (5 << 16) | 5, (5 << 16) | 30, (40 << 16) | 30});
     },
     {"MoveTo 5,5", "LineTo 30,5", "LineTo 30,40"}},
    // With TA_UPDATECP each run starts where the last one ended.
    {"TextAtTheCurrentPosition",
     [](TEmfBuilder& b) {
       b.Record(kSetTextAlign, {1}).Record(kMoveToEx, {10, 20});
       b.Raw(kTextW, TextPayload(0, 0, QStringLiteral("ab"), 7));
       b.Raw(kTextW, TextPayload(0, 0, QStringLiteral("c"), 7));
     },
     {"MoveTo 10,20", "TextOut 10,20 Left \"ab\"", "TextOut 24,20 Left \"c\""}},
    {"RightAlignedText",
     [](TEmfBuilder& b) {
       b.Record(kSetTextAlign, {2});
       b.Raw(kTextW, TextPayload(90, 5, QStringLiteral("fin"), 6));
     },
     {"TextOut 90,5 Right \"fin\""}},
};

class GdiRecords : public ::testing::TestWithParam<RecordsCase> {};

TEST_P(GdiRecords, PlayThroughACanvas) {
  TEmfBuilder builder(100, 100);
  GetParam().records(builder);
  const TMetafile metafile = TMetafile::FromBytes(builder.Bytes());
  TFakeCanvas canvas;
  metafile.Draw(canvas, QRect(0, 0, 100, 100));
  EXPECT_EQ(canvas.DrawingLog().join('\n').toStdString(),
            GetParam().calls.join('\n').toStdString());
}

INSTANTIATE_TEST_SUITE_P(Metafile, GdiRecords, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A 2 x 1 bitmap record: 1 bit per pixel with the given colours for 0 and 1.
QByteArray MonoDib(int x, int y, int cx, int cy, std::uint32_t rop, QRgb zero, QRgb one,
                   std::uint8_t bits) {
  QByteArray p;
  auto put = [&](std::uint32_t v) {
    char b[4];
    qToLittleEndian(v, b);
    p.append(b, 4);
  };
  put(std::uint32_t(x)), put(std::uint32_t(y)), put(std::uint32_t(x + cx - 1)),
      put(std::uint32_t(y + cy - 1));
  put(std::uint32_t(x)), put(std::uint32_t(y)), put(0), put(0), put(2), put(1);
  put(80), put(48), put(128), put(4), put(0), put(rop), put(std::uint32_t(cx)),
      put(std::uint32_t(cy));
  put(40), put(2), put(1), put(1 | (1 << 16)), put(0), put(4), put(0), put(0), put(2), put(0);
  put(qBlue(zero) | qGreen(zero) << 8 | qRed(zero) << 16);
  put(qBlue(one) | qGreen(one) << 8 | qRed(one) << 16);
  put(std::uint32_t(bits));
  return p;
}

// The transparent picture idiom: the mask ANDed (white keeps the page), then
// the picture ORed (black adds nothing). The left pixel is see-through.
TEST(GdiMaskPair, LeavesThePageWhereTheMaskIsWhite) {
  TEmfBuilder builder(100, 100);
  builder.Raw(kStretchDIBits,
              MonoDib(0, 0, 100, 100, 0x008800C6, qRgb(0, 0, 0), qRgb(255, 255, 255), 0x80));
  builder.Raw(kStretchDIBits,
              MonoDib(0, 0, 100, 100, 0x00EE0086, qRgb(0, 0, 0), qRgb(200, 0, 0), 0x40));
  const TMetafile metafile = TMetafile::FromBytes(builder.Bytes());
  QImage image(100, 100, QImage::Format_RGB32);
  image.fill(qRgb(0, 120, 255));
  QPainter painter(&image);
  metafile.Play(painter, QRectF(0, 0, 100, 100));
  painter.end();
  EXPECT_EQ(image.pixel(20, 50), qRgb(0, 120, 255)) << "the page shows through";
  EXPECT_EQ(image.pixel(80, 50), qRgb(200, 0, 0)) << "the picture";

  // A device without raster operations (a printer, a recording) gets the
  // same picture from transparency instead.
  QPicture recording;
  QPainter recorder(&recording);
  metafile.Play(recorder, QRectF(0, 0, 100, 100));
  recorder.end();
  QImage viaVector(100, 100, QImage::Format_RGB32);
  viaVector.fill(qRgb(0, 120, 255));
  QPainter player(&viaVector);
  recording.play(&player);
  player.end();
  EXPECT_EQ(viaVector.pixel(20, 50), qRgb(0, 120, 255));
  EXPECT_EQ(viaVector.pixel(80, 50), qRgb(200, 0, 0));
}

}  // namespace
