#include "EmfTextLayout.h"

#include <cmath>

#include "EmfFonts.h"
#include "EmfRecords.h"

namespace emf {

TTextRunLayout LayOutTextRun(const TTextRun& run, const TFontDef& font,
                             const QTransform& toTarget, TEmfFontCache& fonts) {
  TTextRunLayout layout;
  const QTransform& t = toTarget;
  layout.deviceSpace = t.type() <= QTransform::TxScale;
  layout.scaleX = layout.deviceSpace ? std::abs(t.m11()) : 1.0;
  layout.scaleY = layout.deviceSpace ? std::abs(t.m22()) : 1.0;
  const double sx = layout.scaleX, sy = layout.scaleY;

  if (layout.deviceSpace) {
    const QPointF origin = t.map(run.reference);
    layout.place.translate(origin.x(), origin.y());
  } else {
    layout.place = QTransform::fromTranslate(run.reference.x(), run.reference.y()) * t;
  }
  // The escapement turns the baseline counter-clockwise in logical space,
  // so a mapping that mirrors one axis turns it the other way on the page.
  if (font.escapement != 0) {
    const bool mirrored = layout.deviceSpace && t.m11() * t.m22() < 0;
    layout.place = QTransform().rotate((mirrored ? 1 : -1) * font.escapement / 10.0) * layout.place;
  }
  if (run.text.isEmpty()) return layout;

  const TCachedFont& cached =
      fonts.Font(font.face, font.weight, font.italic, fonts.EmHeight(font) * sy);
  const QRawFont& raw = cached.raw;
  if (!raw.isValid()) return layout;
  const QList<quint32> glyphs = raw.glyphIndexesForString(run.text);
  if (glyphs.isEmpty()) return layout;
  layout.font = &cached;
  layout.glyphs = glyphs;

  // Advances: the recorded ones, or the font's own.
  std::vector<double>& dx = layout.advances;
  dx.assign(size_t(glyphs.size()), 0.0);
  if (run.dx.size() == size_t(run.text.size()) && glyphs.size() == run.text.size()) {
    for (size_t i = 0; i < dx.size(); ++i) dx[i] = run.dx[i] * sx;
  } else {
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
    for (size_t i = 0; i < dx.size(); ++i) dx[i] = advances[qsizetype(i)].x();
  }
  for (double d : dx) layout.width += d;

  switch (run.align & 0x06) {
    case kTaRight:
      layout.left = -layout.width;
      break;
    case kTaCenter:
      layout.left = -layout.width / 2;
      break;
    default:
      break;
  }
  layout.ascent = raw.ascent();
  layout.descent = raw.descent();
  layout.baseline = layout.ascent;
  switch (run.align & 0x18) {
    case kTaBaseline:
      layout.baseline = 0;
      break;
    case kTaBottom:
      layout.baseline = -layout.descent;
      break;
    default:
      break;
  }

  layout.positions.reserve(glyphs.size());
  double x = layout.left, y = layout.baseline;
  for (qsizetype i = 0; i < glyphs.size(); ++i) {
    layout.positions.append(QPointF(x, y));
    x += dx[size_t(i)];
    if (size_t(i) < run.dy.size()) y -= run.dy[size_t(i)] * sy;
  }
  return layout;
}

std::vector<int> GlyphOfEachCharacter(const TTextRun& run, const TTextRunLayout& layout) {
  const qsizetype chars = run.text.size();
  std::vector<int> glyphOf(size_t(chars), -1);
  const qsizetype glyphs = layout.glyphs.size();
  if (glyphs == 0) return glyphOf;
  if (glyphs == chars) {
    for (qsizetype i = 0; i < chars; ++i) glyphOf[size_t(i)] = int(i);
    return glyphOf;
  }
  // One glyph per code point: a surrogate pair shares its glyph.
  qsizetype glyph = 0;
  for (qsizetype i = 0; i < chars; ++i) {
    glyphOf[size_t(i)] = int(std::min(glyph, glyphs - 1));
    const bool pairStart =
        run.text[i].isHighSurrogate() && i + 1 < chars && run.text[i + 1].isLowSurrogate();
    if (pairStart) {
      glyphOf[size_t(i + 1)] = glyphOf[size_t(i)];
      ++i;
    }
    ++glyph;
  }
  return glyphOf;
}

}  // namespace emf
