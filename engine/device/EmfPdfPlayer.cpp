#include "EmfPdfPlayer.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <functional>

#include "EmfDib.h"
#include "EmfFonts.h"
#include "EmfRecords.h"
#include "EmfTextLayout.h"
#include "GdiPen.h"
#include "PdfDocument.h"
#include "PdfOperators.h"
#include "Windows1252.h"

namespace emf {

namespace {

// GDI's dash patterns of one-pixel pens, in pen widths.
const std::vector<double> kDash = {18, 6};
const std::vector<double> kDot = {3, 3};
const std::vector<double> kDashDot = {9, 6, 3, 6};
const std::vector<double> kDashDotDot = {9, 3, 3, 3, 3, 3};

constexpr double kWidestPen = 32767;  // target pixels

// Glyph space of the text matrix: y up, as PDF's text space has it.
const QTransform kTextSpaceUp(1, 0, 0, -1, 0, 0);

}  // namespace

TEmfPdfPlayer::TEmfPdfPlayer(const QByteArray& bytes, const TEmfLayout& layout,
                             TPdfDocument& document, const QRectF& dest)
    : TEmfInterpreter(bytes, layout, FitTransform(layout, dest), nullptr), document_(document) {}

QByteArray& TEmfPdfPlayer::Out() { return document_.Content(); }

void TEmfPdfPlayer::Play() {
  // Everything the page draws stays inside one saved state, so that what
  // follows on the page starts from the state before it.
  Out() += "q\n";
  Run();
  if (clipOpen_) Out() += "Q\n";
  Out() += "Q\n";
}

double TEmfPdfPlayer::Scale() {
  const double s = std::sqrt(std::abs(Full().determinant()));
  return std::isfinite(s) && s > 1e-9 ? s : 1.0;
}

bool TEmfPdfPlayer::Prepare() {
  if (State().rop2 == kR2Nop) return false;
  if (clipDirty_) {
    clipDirty_ = false;
    // A PDF clip only narrows: a new one starts again from the state saved
    // before the last.
    if (clipOpen_) {
      Out() += "Q\n";
      clipOpen_ = false;
      fillKnown_ = strokeKnown_ = false;
    }
    if (State().clipped) {
      Out() += "q ";
      for (const QRect& r : State().clip) Out() += PdfRect(r);
      if (State().clip.isEmpty()) Out() += PdfRect(QRectF(0, 0, 0, 0));
      Out() += "W n\n";
      clipOpen_ = true;
    }
  }
  return true;
}

bool TEmfPdfPlayer::HasPen() { return (State().pen.style & 0xF) != kPsNull; }
bool TEmfPdfPlayer::HasBrush() { return State().brush.style != kBsNull; }

QRgb TEmfPdfPlayer::PenColour() {
  if (State().rop2 == kR2Black) return qRgb(0, 0, 0);
  if (State().rop2 == kR2White) return qRgb(255, 255, 255);
  return State().pen.color;
}

QRgb TEmfPdfPlayer::BrushColour() {
  if (State().rop2 == kR2Black) return qRgb(0, 0, 0);
  if (State().rop2 == kR2White) return qRgb(255, 255, 255);
  return State().brush.color;
}

void TEmfPdfPlayer::UseFill(QRgb colour) {
  if (fillKnown_ && fill_ == colour) return;
  Out() += PdfColour(colour) + " rg\n";
  fillKnown_ = true;
  fill_ = colour;
}

// Widths in target pixels: a pen thinner than one and a half pixels draws
// one pixel wide, as GDI's do; styles show on such pens only.
void TEmfPdfPlayer::UseStroke() {
  const TPenDef& def = State().pen;
  const std::uint32_t style = def.style & 0xF;
  const bool geometric = !def.extended || (def.style & 0x10000) != 0;
  const double device = def.width * Scale();
  const bool thin = !geometric || def.width <= 0 || device < 1.5;
  const double width = thin ? 1.0 : std::min(device, kWidestPen);
  const bool styled = thin || def.width <= 1 || def.extended;
  const std::vector<double>* dashes = nullptr;
  switch (styled ? style : kPsSolid) {
    case kPsDash:
      dashes = &kDash;
      break;
    case kPsDot:
      dashes = &kDot;
      break;
    case kPsDashDot:
      dashes = &kDashDot;
      break;
    case kPsDashDotDot:
      dashes = &kDashDotDot;
      break;
    default:
      break;
  }
  QByteArray dash = "[";
  if (dashes)
    for (double d : *dashes) dash += PdfNumber(d * width) + " ";
  dash += "] 0 d";
  int cap = thin ? 0 : 1, join = thin ? 0 : 1;
  if (def.extended) {
    const std::uint32_t capBits = def.style & 0xF00, joinBits = def.style & 0xF000;
    cap = capBits == 0x100 ? 2 : capBits == 0x200 ? 0 : 1;
    join = joinBits == 0x1000 ? 2 : joinBits == 0x2000 ? 0 : 1;
  }
  Out() += PdfColour(PenColour()) + " RG " + PdfNumber(width) + " w " + QByteArray::number(cap) +
           " J " + QByteArray::number(join) + " j " + dash + "\n";
  strokeKnown_ = true;
}

void TEmfPdfPlayer::PaintPath(const QPainterPath& logical, bool stroke, bool fill) {
  stroke = stroke && HasPen();
  fill = fill && HasBrush();
  if (!stroke && !fill) return;
  const QPainterPath target = Full().map(logical);
  if (fill) UseFill(BrushColour());
  if (stroke && !strokeKnown_) UseStroke();
  const bool evenOdd = logical.fillRule() == Qt::OddEvenFill;
  Out() += PdfPath(target);
  Out() += stroke && fill ? (evenOdd ? "B*\n" : "B\n")
           : stroke       ? "S\n"
                          : (evenOdd ? "f*\n" : "f\n");
}

// A record box (l, t, r, b), edges included, as GDI fills and outlines it:
// the pen's centre runs through the border pixels (inside the box for an
// inside-frame pen); without a pen the filled area loses its right column
// and bottom row.
void TEmfPdfPlayer::DrawBox(const QRectF& box,
                            const std::function<void(QPainterPath&, const QRectF&)>& shape) {
  if (!Prepare()) return;
  QPainterPath path;
  if (!HasPen()) {
    shape(path, QRectF(box.left(), box.top(), box.width(), box.height()));
    PaintPath(path, false, true);
    return;
  }
  const TPenDef& pen = State().pen;
  const double inset =
      (pen.style & 0xF) == kPsInsideFrame && pen.width > 0 ? pen.width / 2.0 : 0.5 / Scale();
  const QRectF area(box.left(), box.top(), box.width() + 1, box.height() + 1);
  shape(path, area.adjusted(inset, inset, -inset, -inset));
  PaintPath(path, true, true);
}

void TEmfPdfPlayer::Rectangle(const QRectF& box) {
  DrawBox(box, [](QPainterPath& p, const QRectF& r) { p.addRect(r); });
}

void TEmfPdfPlayer::RoundRect(const QRectF& box, const QSizeF& corner) {
  DrawBox(box, [corner](QPainterPath& p, const QRectF& r) {
    p.addRoundedRect(r, std::abs(corner.width()) / 2, std::abs(corner.height()) / 2);
  });
}

void TEmfPdfPlayer::Ellipse(const QRectF& box) {
  DrawBox(box, [](QPainterPath& p, const QRectF& r) { p.addEllipse(r); });
}

void TEmfPdfPlayer::Line(const QPointF& from, const QPointF& to) {
  if (!Prepare() || !HasPen()) return;
  const QLineF line = GdiThinLine(from, to, 1.0 / Scale());
  if (line.isNull()) return;
  QPainterPath path(line.p1());
  path.lineTo(line.p2());
  PaintPath(path, true, false);
}

void TEmfPdfPlayer::Polyline(const QPolygonF& points) {
  if (points.size() < 2 || !Prepare() || !HasPen()) return;
  QPainterPath path;
  path.addPolygon(GdiThinPolyline(points, 1.0 / Scale()));
  PaintPath(path, true, false);
}

void TEmfPdfPlayer::Polygons(const std::vector<QPolygonF>& polygons) {
  if (!Prepare()) return;
  QPainterPath path;
  path.setFillRule(State().polyFillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
  for (const QPolygonF& polygon : polygons) {
    if (polygon.size() < 2) continue;
    path.addPolygon(polygon);
    path.closeSubpath();
  }
  PaintPath(path, true, true);
}

void TEmfPdfPlayer::StrokePath(const QPainterPath& path, bool stroke, bool fill) {
  if (!Prepare()) return;
  PaintPath(path, stroke, fill);
}

void TEmfPdfPlayer::FillTargetRect(const QRectF& targetRect, QRgb colour) {
  UseFill(colour);
  Out() += PdfRect(targetRect) + "f\n";
}

void TEmfPdfPlayer::PatternBlit(const QRectF& rect, std::uint32_t rop) {
  if (rop == kDestUnchanged || rop == kDstInvert || rop == kPatInvert || !Prepare()) return;
  QPainterPath path;
  path.addRect(rect);
  const QPainterPath target = Full().map(path);
  if (rop == kBlackness || rop == kWhiteness) {
    UseFill(rop == kBlackness ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
  } else {
    if (!HasBrush()) return;
    UseFill(BrushColour());
  }
  Out() += PdfPath(target) + "f\n";
}

void TEmfPdfPlayer::Bitmap(const QRectF& dest, const QImage& image, const QRectF& src,
                           std::uint32_t rop) {
  if (rop == kDestUnchanged || !Prepare()) return;
  QImage picture = BlitSource(image, src, dest);
  if (picture.isNull()) return;
  switch (rop) {
    case kNotSrcCopy:
      picture = picture.convertToFormat(QImage::Format_RGB32);
      picture.invertPixels();
      break;
    case kSrcAnd:
      // A mask's white leaves the page alone.
      picture = ImageWithoutColour(picture, qRgb(255, 255, 255));
      break;
    case kSrcPaint:
    case kSrcInvert:
      // OR or XOR over the mask's black: only the non-black pixels show.
      picture = ImageWithoutColour(picture, qRgb(0, 0, 0));
      break;
    default:
      break;
  }
  const QRectF area = dest.normalized();
  // The image's unit square, its first row at the top of the area.
  const QTransform unit(area.width(), 0, 0, -area.height(), area.left(), area.bottom());
  Out() += "q " + PdfMatrix(unit * Full()) + " cm /" + document_.Image(picture) + " Do Q\n";
}

void TEmfPdfPlayer::Text(const TTextRun& run) {
  if (!Prepare()) return;
  const TDcState& s = State();
  const TFontDef& font = s.font;
  if (run.options & kEtoOpaque && !run.rect.isNull()) {
    QPainterPath box;
    box.addRect(run.rect);
    UseFill(s.backColor);
    Out() += PdfPath(Full().map(box)) + "f\n";
  }
  if (run.text.isEmpty()) return;
  const TTextRunLayout layout = LayOutTextRun(run, font, Full(), Fonts());
  if (layout.font == nullptr) return;
  const QRawFont& raw = layout.font->raw;

  const bool clipped = (run.options & kEtoClipped) && !run.rect.isNull();
  if (clipped) {
    QPainterPath box;
    box.addRect(run.rect);
    Out() += "q " + PdfPath(Full().map(box)) + "W n\n";
  }
  const double height = layout.ascent + layout.descent;
  auto fillRunLocal = [&](const QRectF& local, QRgb colour) {
    QPainterPath box;
    box.addRect(local);
    UseFill(colour);
    Out() += PdfPath(layout.place.map(box)) + "f\n";
  };
  if (s.backMode == 2 && !(run.options & kEtoOpaque))
    fillRunLocal(QRectF(layout.left, layout.baseline - layout.ascent, layout.width, height),
                 s.backColor);

  const std::optional<QByteArray> codes = platform::EncodeWindows1252(run.text);
  const TPdfFont& pdfFont = document_.Font(font.face, font.weight >= 600, font.italic);
  const bool asText = pdfFont.embeddable && codes && codes->size() == layout.glyphs.size() &&
                      std::all_of(run.dy.begin(), run.dy.end(), [](double d) { return d == 0; });
  if (asText) {
    // Each code's width in the font's /Widths is the design font's advance
    // in thousandths of an em; the adjustment moves the next glyph to where
    // the recorded advances put it.
    const double size = raw.pixelSize();
    const QList<quint32> design = pdfFont.design.glyphIndexesForString(run.text);
    const QList<QPointF> designAdvances = pdfFont.design.advancesForGlyphIndexes(design);
    std::vector<double> adjustments(size_t(codes->size()), 0.0);
    for (size_t i = 0; i < adjustments.size(); ++i) {
      adjustments[i] = designAdvances.value(qsizetype(i)).x() - layout.advances[i] * 1000.0 / size;
    }
    const QPointF first = layout.positions.value(0);
    const QTransform matrix =
        kTextSpaceUp * QTransform::fromTranslate(first.x(), first.y()) * layout.place;
    UseFill(s.textColor);
    Out() += "BT /" + pdfFont.resourceName + " " + PdfNumber(size) + " Tf " + PdfMatrix(matrix) +
             " Tm " + PdfShowText(*codes, adjustments) + " ET\n";
  } else {
    TextAsGlyphOutlines(layout);
  }
  const double thickness = std::max(layout.deviceSpace ? 1.0 : 0.0, raw.lineThickness());
  if (font.underline)
    fillRunLocal(
        QRectF(layout.left, layout.baseline + raw.underlinePosition(), layout.width, thickness),
        s.textColor);
  if (font.strikeOut)
    fillRunLocal(QRectF(layout.left, layout.baseline - layout.ascent / 3, layout.width, thickness),
                 s.textColor);
  if (clipped) {
    Out() += "Q\n";
    fillKnown_ = strokeKnown_ = false;
  }
}

// Characters the code page cannot hold, or a font that cannot be embedded
// whole: the glyphs' outlines, filled.
void TEmfPdfPlayer::TextAsGlyphOutlines(const TTextRunLayout& layout) {
  const QRawFont& raw = layout.font->raw;
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  for (qsizetype i = 0; i < layout.glyphs.size(); ++i)
    path.addPath(raw.pathForGlyph(layout.glyphs[i]).translated(layout.positions[i]));
  UseFill(State().textColor);
  Out() += PdfPath(layout.place.map(path)) + "f\n";
}

}  // namespace emf
