#include <gtest/gtest.h>

#include "FakeCanvas.h"

TEST(FakeCanvas, MeasuresTenPixelsPerCharacterAndLogsEveryCall) {
  TFakeCanvas canvas(96, 18);
  EXPECT_EQ(canvas.TextExtent(QStringLiteral("ABCD")), QSize(40, 18));
  TFontSpec font;
  font.style.bold = true;
  canvas.SelectFont(font);
  canvas.TextOut(10, 20, TTextAnchor::Center, QStringLiteral("ABC"), true);
  canvas.SetPen(0xFF102030, 2, TPenStyle::psDash);
  canvas.SetBrush(0xFFFFFFFF, TBrushStyle::bsClear);
  canvas.Rectangle(QRect(QPoint(1, 2), QPoint(10, 20)));
  canvas.RemoveClip();
  EXPECT_EQ(canvas.Log(), (QStringList{
                              "TextExtent \"ABCD\"",
                              "SelectFont \"Arial\" 10pt bold #000000 charset=1",
                              "TextOut 10,20 Center \"ABC\" rtl",
                              "SetPen #102030 2 psDash",
                              "SetBrush #FFFFFF bsClear",
                              "Rectangle 1,2,11,21",
                              "RemoveClip",
                          }));
  EXPECT_EQ(canvas.DrawingLog().size(), 6);
  EXPECT_EQ(canvas.Calls("TextOut").size(), 1);
}

TEST(FakeCanvas, PixelHashIgnoresTheImageFormat) {
  QImage rgb(3, 2, QImage::Format_RGB888);
  rgb.fill(QColor(10, 20, 30));
  rgb.setPixel(1, 1, qRgb(200, 0, 0));
  EXPECT_EQ(TFakeCanvas::PixelHash(rgb),
            TFakeCanvas::PixelHash(rgb.convertToFormat(QImage::Format_RGB32)));
  QImage other = rgb.copy();
  other.setPixel(0, 0, qRgb(0, 0, 0));
  EXPECT_NE(TFakeCanvas::PixelHash(rgb), TFakeCanvas::PixelHash(other));
}
