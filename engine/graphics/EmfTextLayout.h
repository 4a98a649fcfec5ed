#pragma once
// Where the glyphs of one EMF text run stand on the target: the font at the
// target's size, each glyph's origin and advance along the baseline, and the
// transform that puts the run on the target. The painter player draws by it,
// the text extraction measures by it and the PDF writer writes by it, so that
// a found word is highlighted where it is drawn.
//
// Run-local coordinates: x along the baseline from the reference point,
// y down, the baseline at y = Baseline.

#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QTransform>
#include <vector>

#include "EmfInterpreter.h"

namespace emf {

struct TCachedFont;
class TEmfFontCache;

struct TTextRunLayout {
  // Without a rotation or shear in the mapping, glyphs are laid out in
  // target pixels (upright whatever the axes' directions, as GDI draws
  // them); otherwise in logical units, turned with the mapping.
  bool deviceSpace = true;
  // The run's font at the size it is drawn; null when the face has no
  // usable font. Valid until the next font is made.
  const TCachedFont* font = nullptr;
  QList<quint32> glyphs;
  // Glyph origins, run-local; one per glyph.
  QList<QPointF> positions;
  // Advance of each glyph, run-local units.
  std::vector<double> advances;
  double left = 0;  // where the first glyph starts
  double width = 0;
  double baseline = 0;
  double ascent = 0;
  double descent = 0;
  // Run-local -> target, the escapement included.
  QTransform place;
  // Target units per run-local unit across and down (1 outside device space).
  double scaleX = 1;
  double scaleY = 1;
};

// Lays out `run` in `font` for a target reached from logical coordinates by
// `toTarget`. An empty run or one without a usable font gives no glyphs.
TTextRunLayout LayOutTextRun(const TTextRun& run, const TFontDef& font, const QTransform& toTarget,
                             TEmfFontCache& fonts);

// For each character of the run's text, the index of the glyph it belongs
// to (characters beyond the glyphs, a surrogate's second half, share the
// last glyph before them); -1 where there is no glyph at all.
std::vector<int> GlyphOfEachCharacter(const TTextRun& run, const TTextRunLayout& layout);

}  // namespace emf
