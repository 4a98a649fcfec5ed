// Recording a page as EMF and replaying it through a canvas gives back the
// calls that drew it: at the recorded size exactly, and stretched with every
// coordinate, font size and pen width scaled.
#include <gtest/gtest.h>

#include <QtEndian>
#include <functional>

#include "Errors.h"
#include "FakeCanvas.h"
#include "Metafile.h"

namespace {

QImage Checker(int w, int h, QImage::Format format) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.setPixel(x, y, (x + y) % 2 ? qRgb(250, 20, 40) : qRgb(5, 60, 200));
  if (format == QImage::Format_Mono) {
    QImage mono = image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    return mono;
  }
  return image.convertToFormat(format);
}

// A page with every kind of call a report element makes, its coordinates
// and sizes multiplied by k. Font sizes are whole pixels at 96 pixels per
// inch (15 pt is 20 pixels), the heights a stretched replay scales.
void DrawPage(TCanvas& c, int k) {
  TFontSpec title;
  title.face = QStringLiteral("Arial");
  title.pointSize = 15 * k;
  title.style.bold = true;
  title.color = 0xFF102030;
  c.SelectFont(title);
  c.TextOut(10 * k, 12 * k, TTextAnchor::Left, QStringLiteral("PERMISO DE CIRCULACIÓN"));
  TFontSpec body;
  body.face = QStringLiteral("Times New Roman");
  body.pointSize = 7.5 * k;
  body.style.italic = true;
  body.style.underline = true;
  body.charset = 0;
  c.SelectFont(body);
  c.TextOut(300 * k, 40 * k, TTextAnchor::Right, QStringLiteral("right edge"));
  c.TextOut(200 * k, 60 * k, TTextAnchor::Center, QStringLiteral("centre"));
  c.SetPen(0xFF000000, 1 * k, TPenStyle::psSolid);
  c.SetBrush(0xFFFFFFFF, TBrushStyle::bsSolid);
  c.FillRect(QRect(5 * k, 80 * k, 100 * k, 8 * k));
  c.SetBrush(0xFF00FF00, TBrushStyle::bsClear);
  c.SetPen(0xFFFF0000, 2 * k, TPenStyle::psDash);
  c.Rectangle(QRect(20 * k, 100 * k, 60 * k, 30 * k));
  c.SetPen(0xFF0000FF, 1 * k, TPenStyle::psInsideFrame);
  c.SetBrush(0xFFFFFF00, TBrushStyle::bsSolid);
  c.Ellipse(QRect(100 * k, 100 * k, 40 * k, 20 * k));
  // A ring of two squares turning the same way, whose hole only the
  // alternate mode leaves, then a triangle.
  c.SetBrush(0xFF804020, TBrushStyle::bsSolid);
  const auto square = [k](int left, int top, int side) {
    return QPolygon({QPoint(left, top) * k, QPoint(left + side, top) * k,
                     QPoint(left + side, top + side) * k, QPoint(left, top + side) * k});
  };
  c.FillPolygons({square(150, 5, 40), square(160, 15, 20)}, TFillMode::fmAlternate);
  c.FillPolygons({QPolygon({QPoint(200, 5) * k, QPoint(240, 45) * k, QPoint(200, 45) * k})},
                 TFillMode::fmWinding);
  c.MoveTo(0, 150 * k);
  c.LineTo(300 * k, 150 * k);
  c.LineTo(300 * k, 160 * k);
  c.IntersectClipRect(QRect(10 * k, 170 * k, 50 * k, 10 * k));
  c.TextOut(10 * k, 170 * k, TTextAnchor::Left, QStringLiteral("clipped text runs past its box"));
  c.StretchBitmap(QRect(200 * k, 170 * k, 37 * k, 11 * k), Checker(7, 3, QImage::Format_RGB888));
  c.RemoveClip();
  c.StretchBitmap(QRect(250 * k, 180 * k, 16 * k, 16 * k), Checker(5, 4, QImage::Format_RGB32));
  c.StretchBitmap(QRect(270 * k, 180 * k, 9 * k, 9 * k), Checker(9, 9, QImage::Format_Mono));
  c.SetPen(0xFF000000, 1 * k, TPenStyle::psSolid);
  c.Rectangle(QRect(0, 0, 320 * k, 200 * k));
}

TMetafile Record(int width, int height, const std::function<void(TCanvas&)>& draw) {
  TMetafileCanvas recording(width, height);
  draw(recording);
  return TMetafile::FromBytes(recording.Close().ToBytes());
}

QString Joined(const QStringList& lines) { return lines.join(QLatin1Char('\n')); }

struct ScaleCase {
  const char* name;
  int k;
};

const ScaleCase kScales[] = {
    {"SameSize", 1},
    {"Doubled", 2},
    {"Tripled", 3},
};

class MetafileRoundTrip : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(MetafileRoundTrip, ReplayGivesTheCallsThatDrewThePage) {
  const int k = GetParam().k;
  const TMetafile page = Record(320, 200, [](TCanvas& c) { DrawPage(c, 1); });
  EXPECT_EQ(page.Width(), 320);
  EXPECT_EQ(page.Height(), 200);

  TFakeCanvas direct;
  DrawPage(direct, k);
  TFakeCanvas replayed;
  page.Draw(replayed, QRect(0, 0, 320 * k, 200 * k));
  EXPECT_EQ(Joined(replayed.DrawingLog()), Joined(direct.DrawingLog()));
}

INSTANTIATE_TEST_SUITE_P(Metafile, MetafileRoundTrip, ::testing::ValuesIn(kScales),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Metafile, ReplayIntoAnOffsetRectangleMovesEveryCall) {
  const TMetafile page = Record(100, 50, [](TCanvas& c) {
    c.SetBrush(0xFF000000, TBrushStyle::bsSolid);
    c.FillRect(QRect(10, 10, 20, 5));
    c.MoveTo(0, 0);
    c.LineTo(99, 49);
  });
  TFakeCanvas canvas;
  page.Draw(canvas, QRect(1000, 2000, 200, 100));
  EXPECT_EQ(Joined(canvas.DrawingLog()),
            Joined({"SetBrush #000000 bsSolid", "FillRect 1020,2020,1060,2030", "MoveTo 1000,2000",
                    "LineTo 1198,2098"}));
}

TEST(Metafile, StateNothingDrawsWithNeverReachesTheCanvasAndTheClipIsRemoved) {
  const TMetafile page = Record(100, 50, [](TCanvas& c) {
    c.IntersectClipRect(QRect(0, 0, 10, 10));
    c.SetBrush(0xFF0000FF, TBrushStyle::bsSolid);
    c.FillRect(QRect(1, 1, 5, 5));
    c.SetPen(0xFF00FF00, 3, TPenStyle::psSolid);  // nothing drawn with it
  });
  TFakeCanvas canvas;
  page.Draw(canvas, QRect(0, 0, 100, 50));
  EXPECT_EQ(Joined(canvas.DrawingLog()),
            Joined({"IntersectClipRect 0,0,10,10", "SetBrush #0000FF bsSolid", "FillRect 1,1,6,6",
                    "RemoveClip"}));
}

TEST(Metafile, BytesAreARealEmfFileAndSurviveASecondLoad) {
  const TMetafile page = Record(1056, 816, [](TCanvas& c) { DrawPage(c, 1); });
  const QByteArray bytes = page.ToBytes();
  ASSERT_GE(bytes.size(), 108);
  EXPECT_EQ(bytes.mid(40, 4), QByteArray(" EMF"));
  EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 48), quint32(bytes.size()));
  EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData()), 1u);
  // Last record: EOF, 20 bytes.
  EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + bytes.size() - 20), 14u);
  EXPECT_EQ(TMetafile::FromBytes(bytes).ToBytes(), bytes);
  const TMetafile empty = Record(10, 10, [](TCanvas&) {});
  TFakeCanvas canvas;
  empty.Draw(canvas, QRect(0, 0, 10, 10));
  EXPECT_TRUE(canvas.DrawingLog().isEmpty());
}

TEST(Metafile, ClosedCanvasRecordsNothingMore) {
  TMetafileCanvas recording(50, 50);
  recording.SetBrush(0xFF000000, TBrushStyle::bsSolid);
  const TMetafile page = recording.Close();
  recording.FillRect(QRect(0, 0, 10, 10));
  EXPECT_THROW(recording.Close(), EInvalidGraphic);
  TFakeCanvas canvas;
  page.Draw(canvas, QRect(0, 0, 50, 50));
  EXPECT_TRUE(canvas.Calls("FillRect").isEmpty());
}

TEST(Metafile, SelectingWhatIsSelectedRecordsNothing) {
  const auto draw = [](TCanvas& c, int repeats) {
    for (int i = 0; i < repeats; ++i) {
      c.SelectFont(TFontSpec());
      c.SetPen(0xFF000000, 1, TPenStyle::psSolid);
      c.SetBrush(0xFFFFFFFF, TBrushStyle::bsSolid);
    }
    c.Rectangle(QRect(0, 0, 10, 10));
    c.TextOut(0, 20, TTextAnchor::Left, QStringLiteral("x"));
  };
  const TMetafile once = Record(50, 50, [&](TCanvas& c) { draw(c, 1); });
  const TMetafile thrice = Record(50, 50, [&](TCanvas& c) { draw(c, 3); });
  EXPECT_EQ(thrice.ToBytes(), once.ToBytes());
  TFakeCanvas canvas;
  thrice.Draw(canvas, QRect(0, 0, 50, 50));
  EXPECT_EQ(canvas.Calls("SetPen").size(), 1);
  EXPECT_EQ(canvas.Calls("SelectFont").size(), 1);
}

// 10 pt is 13.33 pixels at 96 pixels per inch; the page holds 13. Stretched
// or printed, text keeps the recorded 13 so that it keeps its widths.
TEST(Metafile, ScaledReplayKeepsTheRecordedCharacterHeight) {
  const TMetafile page = Record(96, 48, [](TCanvas& c) {
    c.SelectFont(TFontSpec());
    c.TextOut(0, 0, TTextAnchor::Left, QStringLiteral("x"));
  });
  TFakeCanvas screen;
  page.Draw(screen, QRect(0, 0, 96, 48));
  EXPECT_EQ(screen.Calls("SelectFont").value(0),
            QStringLiteral("SelectFont \"Arial\" 10pt #000000 charset=1"));
  TFakeCanvas doubled;
  page.Draw(doubled, QRect(0, 0, 192, 96));
  EXPECT_EQ(doubled.Calls("SelectFont").value(0),
            QStringLiteral("SelectFont \"Arial\" 19.5pt #000000 charset=1"));
  TFakeCanvas printer(600);
  page.Draw(printer, QRect(0, 0, 600, 300));  // the page at 600 pixels per inch
  EXPECT_EQ(printer.Calls("SelectFont").value(0),
            QStringLiteral("SelectFont \"Arial\" 9.75pt #000000 charset=1"));
}

}  // namespace
