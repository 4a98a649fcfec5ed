#include "PageText.h"

#include <algorithm>
#include <cmath>

#include "EmfFonts.h"
#include "EmfInterpreter.h"
#include "EmfLayout.h"
#include "EmfRecords.h"
#include "EmfTextLayout.h"
#include "Metafile.h"

namespace {

// Where a run stands, measured without fonts so that the joined string is
// the same whether positions are measured or not: picture pixels, along an
// upright baseline.
struct TRunSpan {
  bool upright = false;  // no rotation, shear or escapement
  double lineY = 0;      // the line's top, roughly
  double left = 0;
  double right = 0;
  double em = 0;  // character height
};

// A text's top lies about this many ems above its baseline.
constexpr double kAscentInEms = 0.9;
// Runs of one line further apart than this many ems read as two words;
// closer ones as one. Farther than kFarApart (or overlapping more than
// kOverlap) they belong to different lines of text.
constexpr double kWordGap = 0.25;
constexpr double kFarApart = 4.0;
constexpr double kOverlap = 0.3;
// Lines of one run's height apart by less than this many ems are one line.
constexpr double kSameLine = 0.5;

}  // namespace

class TPageTextReader : public emf::TEmfInterpreter {
 public:
  // `bytes` are the page's and must outlive the reader.
  TPageTextReader(const QByteArray& bytes, const TMetafile& page, TPageTextDetail detail,
                  TPageText& out)
      : TEmfInterpreter(bytes, page.Layout(), QTransform(), nullptr), detail_(detail), out_(out) {
    out_.measured_ = detail == TPageTextDetail::WithPositions;
  }

 protected:
  void Rectangle(const QRectF&) override {}
  void Ellipse(const QRectF&) override {}
  void Line(const QPointF&, const QPointF&) override {}
  void Polyline(const QPolygonF&) override {}
  void Polygons(const std::vector<QPolygonF>&) override {}
  void StrokePath(const QPainterPath&, bool, bool) override {}
  void PatternBlit(const QRectF&, std::uint32_t) override {}
  void Bitmap(const QRectF&, const QImage&, const QRectF&, std::uint32_t) override {}

  void Text(const emf::TTextRun& run) override {
    // Glyph indexes are no characters; there is no text to read in them.
    if (run.text.isEmpty() || (run.options & emf::kEtoGlyphIndex)) return;
    const TRunSpan span = SpanOf(run);
    if (!out_.runs_.empty()) AddSeparator(previous_, span);
    previous_ = span;

    TPageTextRun entry;
    entry.text = run.text;
    if (detail_ == TPageTextDetail::WithPositions) Measure(run, entry);
    const int index = int(out_.runs_.size());
    for (qsizetype i = 0; i < run.text.size(); ++i) {
      out_.runOf_.push_back(index);
      out_.indexInRun_.push_back(int(i));
    }
    out_.text_ += run.text;
    out_.runs_.push_back(std::move(entry));
  }

 private:
  TRunSpan SpanOf(const emf::TTextRun& run) {
    const QTransform& t = Full();
    const emf::TFontDef& font = State().font;
    TRunSpan span;
    span.upright = t.type() <= QTransform::TxScale && font.escapement == 0;
    const double sx = std::abs(t.m11()), sy = std::abs(t.m22());
    span.em = Fonts().EmHeight(font) * sy;
    double advance = 0;
    if (run.dx.size() == size_t(run.text.size())) {
      for (double d : run.dx) advance += d * sx;
    } else {
      advance = 0.5 * span.em * double(run.text.size());
    }
    const QPointF origin = t.map(run.reference);
    span.left = origin.x();
    if ((run.align & 0x06) == emf::kTaRight) span.left -= advance;
    if ((run.align & 0x06) == emf::kTaCenter) span.left -= advance / 2;
    span.right = span.left + advance;
    span.lineY = origin.y();
    if ((run.align & 0x18) == emf::kTaBaseline) span.lineY -= kAscentInEms * span.em;
    if ((run.align & 0x18) == emf::kTaBottom) span.lineY -= span.em;
    return span;
  }

  void AddSeparator(const TRunSpan& before, const TRunSpan& next) {
    QChar separator = u'\n';
    const double em = std::max({before.em, next.em, 1e-6});
    const double gap = next.left - before.right;
    if (before.upright && next.upright && std::abs(next.lineY - before.lineY) < kSameLine * em &&
        gap > -kOverlap * em && gap < kFarApart * em)
      separator = gap > kWordGap * em ? QChar(u' ') : QChar();
    if (separator.isNull()) return;
    out_.text_ += separator;
    out_.runOf_.push_back(-1);
    out_.indexInRun_.push_back(-1);
  }

  void Measure(const emf::TTextRun& run, TPageTextRun& entry) {
    const emf::TTextRunLayout layout = emf::LayOutTextRun(run, State().font, Full(), Fonts());
    entry.place = layout.place;
    const std::vector<int> glyphOf = emf::GlyphOfEachCharacter(run, layout);
    entry.boxes.resize(size_t(run.text.size()));
    const double height = layout.ascent + layout.descent;
    for (size_t i = 0; i < glyphOf.size(); ++i) {
      const int g = glyphOf[i];
      if (g < 0) continue;
      const QPointF at = layout.positions[g];
      // The second half of a surrogate pair stands at its glyph's end.
      const bool secondHalf = i > 0 && glyphOf[i - 1] == g;
      const double advance = layout.advances[size_t(g)];
      entry.boxes[i] = secondHalf ? QRectF(at.x() + advance, at.y() - layout.ascent, 0, height)
                                  : QRectF(at.x(), at.y() - layout.ascent, advance, height);
    }
  }

  TPageTextDetail detail_;
  TPageText& out_;
  TRunSpan previous_;
};

std::vector<QPolygonF> TPageText::Outlines(qsizetype from, qsizetype length) const {
  std::vector<QPolygonF> outlines;
  if (!measured_ || from < 0 || length <= 0 || from + length > text_.size()) return outlines;
  int run = -1;
  QRectF piece;
  auto flush = [&] {
    if (run >= 0 && !piece.isNull()) outlines.push_back(runs_[size_t(run)].place.map(piece));
    piece = QRectF();
  };
  for (qsizetype i = from; i < from + length; ++i) {
    const int r = runOf_[size_t(i)];
    if (r < 0) continue;
    if (r != run) {
      flush();
      run = r;
    }
    const std::vector<QRectF>& boxes = runs_[size_t(r)].boxes;
    const int k = indexInRun_[size_t(i)];
    if (k < 0 || size_t(k) >= boxes.size()) continue;
    const QRectF& box = boxes[size_t(k)];
    // Boxes of no width (a surrogate's second half) still extend the piece.
    piece = piece.isNull() ? box : piece.united(box);
  }
  flush();
  return outlines;
}

TPageText ReadPageText(const TMetafile& page, TPageTextDetail detail) {
  TPageText text;
  if (page.Empty()) return text;
  const QByteArray bytes = page.ToBytes();
  TPageTextReader reader(bytes, page, detail, text);
  reader.Run();
  return text;
}
