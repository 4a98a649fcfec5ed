#include "TestPage.h"

#include "Metafile.h"
#include "Picture.h"
#include "TestImages.h"

void DrawTestPage(TCanvas& c) {
  TFontSpec title;
  title.pointSize = 20;
  title.style.bold = true;
  c.SelectFont(title);
  c.TextOut(528, 40, TTextAnchor::Center, QStringLiteral("PERMISO DE CIRCULACIÓN"));
  TFontSpec body;
  body.pointSize = 11;
  c.SelectFont(body);
  c.TextOut(60, 100, TTextAnchor::Left, QStringLiteral("Left anchored text"));
  c.TextOut(996, 100, TTextAnchor::Right, QStringLiteral("Right anchored text"));
  c.TextOut(528, 130, TTextAnchor::Center, QStringLiteral("Centred text, 30 días"));

  c.SetPen(0xFF000000, 1, TPenStyle::psSolid);
  c.SetBrush(0xFFFFFFFF, TBrushStyle::bsClear);
  c.Rectangle(QRect(40, 20, 976, 776));
  c.SetPen(0xFF003399, 3, TPenStyle::psSolid);
  c.SetBrush(0xFFCCE0FF, TBrushStyle::bsSolid);
  c.Rectangle(QRect(60, 170, 300, 120));
  c.SetPen(0xFF990000, 1, TPenStyle::psSolid);
  c.SetBrush(0xFFFFE0A0, TBrushStyle::bsSolid);
  c.Ellipse(QRect(400, 170, 260, 120));
  c.SetPen(0xFF000000, 1, TPenStyle::psDash);
  c.MoveTo(60, 320);
  c.LineTo(996, 320);
  c.SetPen(0xFF006600, 2, TPenStyle::psSolid);
  c.MoveTo(700, 170);
  c.LineTo(996, 290);
  c.MoveTo(700, 290);
  c.LineTo(996, 170);

  c.SetBrush(0xFF000000, TBrushStyle::bsSolid);
  c.FillRect(QRect(60, 340, 936, 8));

  // Text cut by a clip: only its first part shows.
  c.IntersectClipRect(QRect(60, 370, 180, 30));
  c.SelectFont(title);
  c.TextOut(60, 370, TTextAnchor::Left, QStringLiteral("CLIPPED TEXT RUNS ON"));
  c.RemoveClip();

  c.SelectFont(body);
  c.TextOut(60, 430, TTextAnchor::Left, QStringLiteral("Stretched bitmap:"));
  const TPicture bitmap(TBitmap(testimages::Quadrants(8, 6)));
  bitmap.Draw(c, QRect(60, 460, 240, 180));
  c.TextOut(400, 430, TTextAnchor::Left, QStringLiteral("JPEG:"));
  const TPicture jpeg = TPicture::FromBytes(testimages::Jpeg(testimages::Quadrants(64, 48), 90));
  jpeg.Draw(c, QRect(400, 460, 240, 180));
}

QByteArray TestPageEmf() {
  TMetafileCanvas recording(kTestPageWidth, kTestPageHeight);
  DrawTestPage(recording);
  return recording.Close().ToBytes();
}
