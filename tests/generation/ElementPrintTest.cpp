// Frames, shapes and pictures printed at 600 dpi on the scripted printer,
// and the band alignment of elements. The summary band stands at page
// position (100, 100); positions below are in tenths of a millimetre.

#include <string>
#include <vector>

#include "GenerationFixture.h"
#include "QRCustomBand.h"
#include "QRImage.h"
#include "QRShape.h"

namespace {

QString Rect(const char* verb, int l, int t, int r, int b) {
  return QStringLiteral("%1 %2,%3,%4,%5").arg(QLatin1String(verb)).arg(l).arg(t).arg(r).arg(b);
}

class ElementPrintTest : public GenerationTest {
 protected:
  ElementPrintTest() : report(NewReport()), band(AddBand(report, rbSummary, 1000)) {}

  template <class T>
  T& Add(double left, double top, double width, double height) {
    auto* element = new T(&form);
    element->SetParent(&band);
    element->Size().SetUnits(TQRUnit::Native);
    element->Size().SetLeft(left);
    element->Size().SetTop(top);
    element->Size().SetWidth(width);
    element->Size().SetHeight(height);
    return *element;
  }

  // The calls of page 1 after the band's own fill.
  QStringList ElementCalls() const {
    const QStringList& calls = script->pages.at(0);
    qsizetype fill = 0;
    while (fill < calls.size() && !calls[fill].startsWith(QLatin1String("FillRect "))) ++fill;
    return calls.mid(fill + 1);
  }

  TQRReport& report;
  TQRCustomBand& band;
};

struct FrameCase {
  const char* name;
  int width;  // points; -1 one device pixel
  bool top, bottom, left, right;
  std::vector<QString> fills;
};

// The element covers page (150, 150)-(250, 190).
const int kL = DevX(150), kT = DevY(150), kR = DevX(250), kB = DevY(190);

const FrameCase kFrameCases[] = {
    // One point at 600 dpi is round(600 / 254 / 72 * 254) = 8 device pixels.
    {"TopOnePoint", 1, true, false, false, false, {Rect("FillRect", kL, kT, kR, kT + 8)}},
    {"BottomTwoPoints", 2, false, true, false, false, {Rect("FillRect", kL, kB - 17, kR, kB)}},
    // Side strips span the full height; top and bottom the full width.
    {"AllSides",
     1,
     true,
     true,
     true,
     true,
     {Rect("FillRect", kL, kT, kR, kT + 8), Rect("FillRect", kL, kB - 8, kR, kB),
      Rect("FillRect", kL, kT, kL + 8, kB), Rect("FillRect", kR - 8, kT, kR, kB)}},
    {"Hairline", -1, false, false, true, false, {Rect("FillRect", kL, kT, kL + 1, kB)}},
    {"WidthZeroDrawsNothing", 0, true, true, true, true, {}},
};

class FrameTable : public ElementPrintTest, public testing::WithParamInterface<FrameCase> {};

TEST_P(FrameTable, ThicknessFollowsThePointsAtTheDeviceScale) {
  const FrameCase& c = GetParam();
  auto& element = Add<TQRImage>(50, 50, 100, 40);  // no picture: the frame alone
  TQRFrame& frame = element.Frame();
  frame.SetWidth(c.width);
  frame.SetDrawTop(c.top);
  frame.SetDrawBottom(c.bottom);
  frame.SetDrawLeft(c.left);
  frame.SetDrawRight(c.right);
  frame.SetColor(0xFF0000FF);
  report.PrintToPrinter();
  QStringList fills;
  for (const QString& line : ElementCalls())
    if (line.startsWith(QLatin1String("FillRect"))) fills << line;
  EXPECT_EQ(fills, QStringList(c.fills.begin(), c.fills.end()));
  if (!c.fills.empty()) {
    EXPECT_TRUE(ElementCalls().contains("SetBrush #0000ff 0"));
  }
}

INSTANTIATE_TEST_SUITE_P(Device600, FrameTable, testing::ValuesIn(kFrameCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct ShapeCase {
  const char* name;
  TQRShapeType shape;
  std::vector<QString> drawing;
};

// x1, y1, x2, y2 and the centre lines xm = DevX(200), ym = DevY(170).
const int kXm = DevX(200), kYm = DevY(170);
const ShapeCase kShapeCases[] = {
    {"Rectangle", qrsRectangle, {Rect("Rectangle", kL, kT, kR, kB)}},
    {"Circle", qrsCircle, {Rect("Ellipse", kL, kT, kR, kB)}},
    {"VertLine",
     qrsVertLine,
     {QStringLiteral("MoveTo %1,%2").arg(kXm).arg(kT),
      QStringLiteral("LineTo %1,%2").arg(kXm).arg(kB)}},
    {"HorLine",
     qrsHorLine,
     {QStringLiteral("MoveTo %1,%2").arg(kL).arg(kYm),
      QStringLiteral("LineTo %1,%2").arg(kR).arg(kYm)}},
    {"TopAndBottom",
     qrsTopAndBottom,
     {QStringLiteral("MoveTo %1,%2").arg(kL).arg(kT),
      QStringLiteral("LineTo %1,%2").arg(kR).arg(kT),
      QStringLiteral("MoveTo %1,%2").arg(kL).arg(kB),
      QStringLiteral("LineTo %1,%2").arg(kR).arg(kB)}},
    {"RightAndLeft",
     qrsRightAndLeft,
     {QStringLiteral("MoveTo %1,%2").arg(kL).arg(kT),
      QStringLiteral("LineTo %1,%2").arg(kL).arg(kB),
      QStringLiteral("MoveTo %1,%2").arg(kR).arg(kT),
      QStringLiteral("LineTo %1,%2").arg(kR).arg(kB)}},
};

class ShapeTable : public ElementPrintTest, public testing::WithParamInterface<ShapeCase> {};

TEST_P(ShapeTable, DrawsWithItsOwnPenInDevicePixels) {
  auto& shape = Add<TQRShape>(50, 50, 100, 40);
  shape.SetShape(GetParam().shape);
  shape.Frame().SetDrawTop(true);  // a shape draws no frame
  report.PrintToPrinter();
  // A pen of width 1 is one device pixel at 600 dpi too.
  QStringList expected{"SetBrush #ffffff 0", "SetPen #000000 1 0"};
  expected << QStringList(GetParam().drawing.begin(), GetParam().drawing.end());
  EXPECT_EQ(ElementCalls(), expected);
}

INSTANTIATE_TEST_SUITE_P(Device600, ShapeTable, testing::ValuesIn(kShapeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ElementPrintTest, DeviceCornersAreConvertedSeparately) {
  // A rectangle 1.0 x 1.0 tenths at the band's corner: DeviceWidth(1.0) is
  // 2 pixels, but its corners land 3 pixels apart across and down.
  Add<TQRShape>(0, 0, 1.0, 1.0);
  report.PrintToPrinter();
  EXPECT_EQ(ElementCalls().last(), Rect("Rectangle", DevX(100), DevY(100), DevX(101), DevY(101)));
  EXPECT_EQ(DevX(101) - DevX(100), 3);
  EXPECT_EQ(DevY(101) - DevY(100), 3);
}

struct PictureCase {
  const char* name;
  bool stretch, center;
  std::vector<QString> drawing;
};

// A 96 x 48 pixel bitmap is 600 x 300 device pixels on paper at its
// natural size. The element covers page (100, 100)-(301, 201).
const int kPL = DevX(100), kPT = DevY(100), kPR = DevX(301), kPB = DevY(201);
const PictureCase kPictureCases[] = {
    {"Stretched", true, false, {Rect("StretchBitmap", kPL, kPT, kPR, kPB) + " 96x48"}},
    // Natural size from the top-left corner, cut to the element.
    {"Natural",
     false,
     false,
     {Rect("IntersectClipRect", kPL, kPT, kPR, kPB),
      Rect("StretchBitmap", kPL, kPT, kPL + 600, kPT + 300) + " 96x48", "RemoveClip"}},
    // Centred: shifted by (475 - 600) div 2 = -62 and (239 - 300) div 2 = -30,
    // both rounded toward zero, so the larger picture moves up and left.
    {"Centred",
     false,
     true,
     {Rect("IntersectClipRect", kPL, kPT, kPR, kPB),
      Rect("StretchBitmap", kPL - 62, kPT - 30, kPL - 62 + 600, kPT - 30 + 300) + " 96x48",
      "RemoveClip"}},
};

class PictureTable : public ElementPrintTest, public testing::WithParamInterface<PictureCase> {};

TEST_P(PictureTable, PictureIsStretchedOrCutToTheElement) {
  auto& image = Add<TQRImage>(0, 0, 201, 101);
  QImage bits(96, 48, QImage::Format_RGB32);
  bits.fill(Qt::red);
  image.SetPicture(TPicture(TBitmap(bits)));
  image.SetStretch(GetParam().stretch);
  image.SetCenter(GetParam().center);
  report.PrintToPrinter();
  EXPECT_EQ(ElementCalls(), QStringList(GetParam().drawing.begin(), GetParam().drawing.end()));
}

INSTANTIATE_TEST_SUITE_P(Device600, PictureTable, testing::ValuesIn(kPictureCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ElementPrintTest, AutoSizedPictureTakesThePicturePixels) {
  auto& image = Add<TQRImage>(0, 0, 201, 101);
  image.SetPicture(TPicture(TBitmap(QImage(65, 74, QImage::Format_RGB32))));
  EXPECT_EQ(image.Width(), 76);  // its stored 201 tenths, until AutoSize
  image.SetAutoSize(true);
  EXPECT_EQ(image.Width(), 65);
  EXPECT_EQ(image.Height(), 74);
  // 65 x 74 pixels at 96 per inch: 17.20 x 19.58 mm, stored in tenths.
  EXPECT_NEAR(double(image.Size().StoredValue(TQRPrintableSize::kWidth)), 171.98, 0.01);
  EXPECT_NEAR(double(image.Size().StoredValue(TQRPrintableSize::kHeight)), 195.79, 0.01);
}

TEST_F(ElementPrintTest, CentredElementFollowsItsBand) {
  // The permit's band is 980 pixels wide; an element 911 wide centred on it
  // stands at (980 - 911) div 2 = 34, and again after the band changes.
  report.Page().SetOrientation(TPrinterOrientation::poLandscape);  // 1056 - 2 x 38 pixels
  ASSERT_EQ(band.Width(), 980);
  auto& shape = Add<TQRShape>(0, 0, 10, 10);
  shape.SetBounds(0, 0, 911, 20);
  shape.SetAlignment(taCenter);
  shape.SetAlignToBand(true);
  EXPECT_EQ(shape.Left(), 34);
  report.Page().SetLeftMargin(50);
  ASSERT_NE(band.Width(), 980);
  EXPECT_EQ(shape.Left(), (band.Width() - 911) / 2);
}

}  // namespace

namespace {

// On a design surface (the fake canvas, text 16 pixels high) a shape of
// 40 x 20 pixels draws its lines on its centre and on its last pixels.
struct ScreenShapeCase {
  const char* name;
  TQRShapeType shape;
  QStringList drawing;
};

const ScreenShapeCase kScreenShapeCases[] = {
    {"Rectangle", qrsRectangle, {"Rectangle 5,5,45,25"}},
    {"VertLine", qrsVertLine, {"MoveTo 25,5", "LineTo 25,25"}},
    {"HorLine", qrsHorLine, {"MoveTo 5,15", "LineTo 45,15"}},
    {"TopAndBottom", qrsTopAndBottom, {"MoveTo 5,5", "LineTo 45,5", "MoveTo 5,24", "LineTo 45,24"}},
    {"RightAndLeft", qrsRightAndLeft, {"MoveTo 5,5", "LineTo 5,25", "MoveTo 44,5", "LineTo 44,25"}},
};

class ScreenShapeTable : public ElementPrintTest,
                         public testing::WithParamInterface<ScreenShapeCase> {};

TEST_P(ScreenShapeTable, ShapeDrawsOnTheDesignSurface) {
  auto& shape = Add<TQRShape>(0, 0, 10, 10);
  shape.SetBounds(0, 0, 40, 20);
  shape.SetShape(GetParam().shape);
  TFakeCanvas screen;
  shape.Paint(screen, QPoint(5, 5));
  QStringList drawing = screen.DrawingLog();
  drawing.removeIf([](const QString& line) { return line.startsWith(QLatin1String("Set")); });
  EXPECT_EQ(drawing, GetParam().drawing);
}

INSTANTIATE_TEST_SUITE_P(Screen, ScreenShapeTable, testing::ValuesIn(kScreenShapeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ElementPrintTest, LabelDrawsItsLinesOnTheDesignSurface) {
  auto* label = new TQRLabel(&form);
  label->SetAutoSize(false);
  label->SetParent(&band);
  label->SetBounds(0, 0, 45, 40);
  label->SetColor(0xFF00FF00);
  label->SetAlignment(taRightJustify);
  label->Frame().SetDrawTop(true);  // one point at 96 per inch: 1 pixel inset
  label->SetCaption(QStringLiteral("XXX YYY"));
  TFakeCanvas screen;
  label->Paint(screen, QPoint(10, 20));
  const QStringList log = screen.DrawingLog();
  EXPECT_EQ(log.first(), "SetBrush #00FF00 bsSolid");
  EXPECT_EQ(log.at(1), "FillRect 10,20,55,60");
  EXPECT_EQ(screen.Calls("TextOut"),
            QStringList({"TextOut 55,21 Right \"XXX \"", "TextOut 55,37 Right \"YYY\""}));
  // Nothing of it is drawn while a run prints it.
  label->PrepareOutput();
  TFakeCanvas during;
  label->Paint(during, QPoint(10, 20));
  EXPECT_TRUE(during.Log().isEmpty());
  label->FinishOutput();
}

}  // namespace
