#include "PdfPageCanvas.h"

#include <QFont>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "FontHeight.h"
#include "PdfOperators.h"
#include "Windows1252.h"

TPdfPageCanvas::TPdfPageCanvas(TPdfDocument& document, int pixelsPerInch)
    : document_(document), ppi_(pixelsPerInch > 0 ? pixelsPerInch : 96) {
  SelectFont(font_);
}

void TPdfPageCanvas::SelectFont(const TFontSpec& font) {
  font_ = font;
  fontPixels_ = FontPixelHeight(font.pointSize, ppi_);
  QFont qfont = MakeQFont(font, int(fontPixels_));
  raw_ = QRawFont::fromFont(qfont);
  lineHeight_ = FontLineHeightPoints(font);
}

QList<QPointF> TPdfPageCanvas::Advances(const QString& text, QList<quint32>* glyphs) {
  if (!raw_.isValid()) return QList<QPointF>(text.size());
  const QList<quint32> indexes = raw_.glyphIndexesForString(text);
  if (glyphs) *glyphs = indexes;
  return raw_.advancesForGlyphIndexes(indexes);
}

QSizeF TPdfPageCanvas::TextExtentF(const QString& text) {
  double width = 0;
  for (const QPointF& a : Advances(text)) width += a.x();
  return QSizeF(width, lineHeight_ * ppi_ / 72);
}

QSize TPdfPageCanvas::TextExtent(const QString& text) {
  const QSizeF extent = TextExtentF(text);
  return QSize(int(std::lround(extent.width())), LineHeightPixels(lineHeight_, ppi_));
}

void TPdfPageCanvas::UseFill(QRgb color) {
  if (fillKnown_ && fillColor_ == color) return;
  Out() += PdfColour(color) + " rg\n";
  fillKnown_ = true;
  fillColor_ = color;
}

void TPdfPageCanvas::UseStroke() {
  if (strokeKnown_) return;
  const bool thin = penWidth_ <= 1;
  QByteArray dash = "[] 0 d";
  if (thin) {
    // GDI's patterns for one-pixel pens, in pen widths.
    switch (penStyle_) {
      case TPenStyle::psDash:
        dash = "[18 6] 0 d";
        break;
      case TPenStyle::psDot:
        dash = "[3 3] 0 d";
        break;
      case TPenStyle::psDashDot:
        dash = "[9 6 3 6] 0 d";
        break;
      case TPenStyle::psDashDotDot:
        dash = "[9 3 3 3 3 3] 0 d";
        break;
      default:
        break;
    }
  }
  Out() += PdfColour(penColor_) + " RG " + QByteArray::number(std::max(1, penWidth_)) + " w " +
           (thin ? "0 J 0 j " : "1 J 1 j ") + dash + "\n";
  strokeKnown_ = true;
}

void TPdfPageCanvas::TextOut(int x, int y, TTextAnchor anchor, const QString& text, bool) {
  if (text.isEmpty() || !raw_.isValid()) return;
  QList<quint32> glyphs;
  const QList<QPointF> advances = Advances(text, &glyphs);
  double width = 0;
  for (const QPointF& a : advances) width += a.x();
  double left = x;
  if (anchor == TTextAnchor::Right) left = x - width;
  if (anchor == TTextAnchor::Center) left = x - width / 2;
  const double baseline = y + raw_.ascent();
  UseFill(font_.color);

  const TPdfFont& font = document_.Font(font_.face, font_.style.bold, font_.style.italic);
  const std::optional<QByteArray> encoded = platform::EncodeWindows1252(text);
  if (font.embeddable && encoded) {
    QByteArray hex = encoded->toHex().toUpper();
    // The y axis runs down the page, so the text matrix turns glyphs upright.
    Out() += "BT /" + font.resourceName + " " + PdfNumber(fontPixels_) + " Tf 1 0 0 -1 " +
             PdfNumber(left) + " " + PdfNumber(baseline) + " Tm <" + hex + "> Tj ET\n";
  } else {
    // Characters the code page cannot hold, or a font that cannot be
    // embedded whole: the glyphs' outlines.
    QPainterPath path;
    double pen = left;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
      path.addPath(raw_.pathForGlyph(glyphs[i]).translated(pen, baseline));
      pen += advances.value(i).x();
    }
    path.setFillRule(Qt::WindingFill);
    Out() += PdfPath(path) + "f\n";
  }
  const double thickness = std::max(1.0, raw_.lineThickness());
  if (font_.style.underline)
    Out() += PdfRect(QRectF(left, baseline + raw_.underlinePosition(), width, thickness)) + "f\n";
  if (font_.style.strikeOut)
    Out() += PdfRect(QRectF(left, baseline - raw_.ascent() / 3, width, thickness)) + "f\n";
}

void TPdfPageCanvas::SetPen(QRgb color, int width, TPenStyle style) {
  penColor_ = color;
  penWidth_ = std::max(1, width);
  penStyle_ = style;
  strokeKnown_ = false;
}

void TPdfPageCanvas::SetBrush(QRgb color, TBrushStyle style) {
  brushColor_ = color;
  brushStyle_ = style;
}

void TPdfPageCanvas::FillRect(const QRect& r) {
  if (brushStyle_ == TBrushStyle::bsClear || r.isEmpty()) return;
  UseFill(brushColor_);
  Out() += PdfRect(r) + "f\n";
}

void TPdfPageCanvas::Rectangle(const QRect& r) {
  if (r.isEmpty()) return;
  const bool hasPen = penStyle_ != TPenStyle::psClear;
  // Without a pen GDI fills one pixel less on the right and at the bottom.
  if (brushStyle_ == TBrushStyle::bsSolid) {
    UseFill(brushColor_);
    Out() += PdfRect(hasPen ? QRectF(r) : QRectF(r.adjusted(0, 0, -1, -1))) + "f\n";
  }
  if (!hasPen) return;
  UseStroke();
  const double inset = penStyle_ == TPenStyle::psInsideFrame ? penWidth_ / 2.0 : 0.5;
  Out() += PdfRect(QRectF(r).adjusted(inset, inset, -inset, -inset)) + "S\n";
}

void TPdfPageCanvas::EllipsePath(const QRectF& box) {
  QPainterPath path;
  path.addEllipse(box);
  Out() += PdfPath(path) + "h ";
}

void TPdfPageCanvas::Ellipse(const QRect& r) {
  if (r.isEmpty()) return;
  const bool hasPen = penStyle_ != TPenStyle::psClear;
  const bool hasBrush = brushStyle_ == TBrushStyle::bsSolid;
  if (!hasPen && !hasBrush) return;
  const double inset = !hasPen ? 0 : penStyle_ == TPenStyle::psInsideFrame ? penWidth_ / 2.0 : 0.5;
  const QRectF box =
      hasPen ? QRectF(r).adjusted(inset, inset, -inset, -inset) : QRectF(r.adjusted(0, 0, -1, -1));
  if (hasBrush) UseFill(brushColor_);
  if (hasPen) UseStroke();
  EllipsePath(box);
  Out() += hasPen && hasBrush ? "B\n" : hasPen ? "S\n" : "f\n";
}

void TPdfPageCanvas::FillPolygons(const std::vector<QPolygon>& polygons, TFillMode mode) {
  if (brushStyle_ == TBrushStyle::bsClear) return;
  QByteArray path;
  for (const QPolygon& polygon : polygons) {
    if (polygon.size() < 3) continue;
    path += PdfPoint(polygon.first()) + " m\n";
    for (qsizetype i = 1; i < polygon.size(); ++i) path += PdfPoint(polygon[i]) + " l\n";
    path += "h\n";
  }
  if (path.isEmpty()) return;
  UseFill(brushColor_);
  // PDF's even-odd and non-zero rules are GDI's alternate and winding modes.
  Out() += path + (mode == TFillMode::fmWinding ? "f\n" : "f*\n");
}

void TPdfPageCanvas::MoveTo(int x, int y) { position_ = QPoint(x, y); }

void TPdfPageCanvas::LineTo(int x, int y) {
  const QPoint to(x, y);
  if (penStyle_ != TPenStyle::psClear) {
    UseStroke();
    // Through the pixels' centres, as the pixels a GDI line covers.
    const QPointF half(0.5, 0.5);
    Out() += PdfPoint(QPointF(position_) + half) + " m " + PdfPoint(QPointF(to) + half) + " l S\n";
  }
  position_ = to;
}

void TPdfPageCanvas::IntersectClipRect(const QRect& r) {
  // Each clip nests a graphics state; removing the clip restores them all.
  Out() += "q " + PdfRect(r.isEmpty() ? QRect(r.topLeft(), QSize(0, 0)) : r) + "W n\n";
  ++clipLevels_;
}

void TPdfPageCanvas::IntersectClipRegion(const QRegion& region) {
  // The rectangles of a region never overlap, so either rule gives its
  // pixels.
  QByteArray path;
  for (const QRect& r : region) path += PdfRect(r);
  if (path.isEmpty()) path = PdfRect(QRect(0, 0, 0, 0));
  Out() += "q " + path + "W n\n";
  ++clipLevels_;
}

void TPdfPageCanvas::RemoveClip() {
  if (clipLevels_ == 0) return;
  for (; clipLevels_ > 0; --clipLevels_) Out() += "Q ";
  Out() += "\n";
  fillKnown_ = false;
  strokeKnown_ = false;
}

void TPdfPageCanvas::StretchBitmap(const QRect& dest, const QImage& bits) {
  if (dest.isEmpty() || bits.isNull()) return;
  const QByteArray name = document_.Image(bits);
  // The image's unit square, its first row at the top of the rectangle.
  Out() += "q " + PdfNumber(dest.width()) + " 0 0 " + PdfNumber(-dest.height()) + " " +
           PdfNumber(dest.left()) + " " + PdfNumber(dest.top() + dest.height()) + " cm /" + name +
           " Do Q\n";
}
