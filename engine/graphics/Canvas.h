#pragma once
// The one drawing surface the report engine knows: a screen widget, a
// metafile page being recorded, a printer page, or a test fake. Coordinates
// are whole pixels of that surface; the calls mirror what a GDI device
// context offers, so that a recorded page replays with the same meaning.

#include <QColor>
#include <QImage>
#include <QPolygon>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <cstdint>
#include <vector>

class TGraphic;

enum class TTextAnchor { Left, Right, Center };

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

enum class TBrushStyle { bsSolid, bsClear };

// Which points of overlapping polygons are inside, as GDI's polygon fill
// modes say: an odd number of edges crossed on the way out (ALTERNATE), or
// edges not cancelling out by their direction (WINDING).
enum class TFillMode { fmAlternate, fmWinding };

struct TFontStyles {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  bool operator==(const TFontStyles&) const = default;
};

// A font as a report element holds it. `pointSize` is in points; each canvas
// turns it into its own pixel height from its own pixels per inch.
struct TFontSpec {
  QString face = QStringLiteral("Arial");
  double pointSize = 10;
  TFontStyles style;
  QRgb color = 0xFF000000;  // black
  int charset = 1;          // the "default" character set
  bool operator==(const TFontSpec&) const = default;
};

class TCanvas {
 public:
  virtual ~TCanvas() = default;

  // Resolution of the surface, pixels per inch.
  virtual int PixelsPerInchX() const = 0;
  virtual int PixelsPerInchY() const = 0;

  virtual void SelectFont(const TFontSpec& font) = 0;
  // Height of one line of text in the selected font, in points, the same on
  // every surface (FontLineHeightPoints): lines fit and stack by it wherever
  // a page goes.
  virtual double LineHeightPoints() = 0;
  // Extent of `text` in the selected font, in surface pixels; its height is
  // the line height in whole pixels, rounded up.
  virtual QSize TextExtent(const QString& text) = 0;
  // The same extent before it is rounded to whole pixels, on surfaces that
  // lay text out with fractional advances: the widths of the words of a line
  // then add up to the width of the whole line. Whole pixels by default.
  virtual QSizeF TextExtentF(const QString& text) { return QSizeF(TextExtent(text)); }
  // Writes `text` with its top at y; x is its left edge, right edge or centre
  // by `anchor`. The background is never painted. `rightToLeft` adds the
  // device's right-to-left reading order.
  virtual void TextOut(int x, int y, TTextAnchor anchor, const QString& text,
                       bool rightToLeft = false) = 0;

  // Pen width is in surface pixels and never scaled.
  virtual void SetPen(QRgb color, int width, TPenStyle style) = 0;
  virtual void SetBrush(QRgb color, TBrushStyle style) = 0;

  // GDI rectangle semantics: right and bottom edges are excluded.
  virtual void FillRect(const QRect& r) = 0;   // with the brush, no outline
  virtual void Rectangle(const QRect& r) = 0;  // pen outline, brush inside
  virtual void Ellipse(const QRect& r) = 0;    // pen outline, brush inside
  // The inside of the closed polygons, taken together by `mode`, filled with
  // the brush, no outline. Vertices are pixel corners, as FillRect's are.
  virtual void FillPolygons(const std::vector<QPolygon>& polygons, TFillMode mode) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;

  virtual void IntersectClipRect(const QRect& r) = 0;
  // The same for a clip of any shape (a path's figures, a region of several
  // rectangles): only the pixels of `region` are drawn on from now on.
  virtual void IntersectClipRegion(const QRegion& region) = 0;
  virtual void RemoveClip() = 0;

  // Stretches a device-independent bitmap (QImage::Format_Mono, RGB888 or
  // RGB32) into `dest` with a plain source copy: rows and columns are
  // dropped or repeated, never blended.
  virtual void StretchBitmap(const QRect& dest, const QImage& bits) = 0;

  // Draws any graphic scaled into `dest`; by default the graphic draws itself
  // through the operations above.
  virtual void DrawGraphic(const QRect& dest, const TGraphic& graphic);
};

// Something that can draw itself scaled into a rectangle of any canvas:
// a bitmap, a JPEG image, a metafile.
class TGraphic {
 public:
  virtual ~TGraphic() = default;
  virtual int Width() const = 0;   // natural size, pixels
  virtual int Height() const = 0;
  virtual bool Empty() const = 0;
  virtual void Draw(TCanvas& canvas, const QRect& dest) const = 0;
};

inline void TCanvas::DrawGraphic(const QRect& dest, const TGraphic& graphic) {
  graphic.Draw(*this, dest);
}
