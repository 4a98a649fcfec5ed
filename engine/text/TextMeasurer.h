#pragma once
// Measures texts for line layout on a report's reference device, in screen
// pixels, with the report's rules:
//   MeasureWidth(font, s)  = extent width of s + 1            (0 if it fails)
//   MeasureHeight(font)    = extent height of "A"             (0 if it fails)
//   LayoutWidth(font, z, s) = MeasureWidth × z / 100, halves away from zero
//   LineHeight(font, z)     = MeasureHeight × z div 100 + 1
//
// Word widths are cached. The extent of a text is the sum of the fractional
// extents of its words (TextWords.h, TCanvas::TextExtentF) plus, where one
// word meets the next, the kerning of that pair of characters (the pair's
// extent less its two characters'), rounded once like the canvas rounds a
// whole text: that is the whole text's extent, kerning across the space
// included. Words, pairs and characters are each measured on the canvas once
// per font, so a report of any number of pages measures each distinct
// (font, word) once. Zoom is applied
// after the cache, so a zoom change needs no new measurement. The cache is
// bound to one canvas; it forgets everything when that canvas's resolution
// changes, when `Clear()` is called, and when it outgrows its limits.
//
// The measurer selects each font into the canvas before measuring with it;
// it assumes it is the only code measuring on that canvas.

#include <QStringView>
#include <memory>

#include "Canvas.h"

struct TMeasureCacheLimits {
  qsizetype maxWords = 100'000;    // cached (font, word) entries
  qsizetype maxChars = 4'000'000;  // characters held in cached words
  qsizetype maxFonts = 256;
};

struct TMeasureStats {
  qint64 canvasMeasurements = 0;  // TextExtent calls made on the canvas
  qint64 cacheHits = 0;           // words answered from the cache
  qint64 clears = 0;              // times the cache was emptied
  qsizetype cachedWords = 0;
};

class TTextMeasurer {
 public:
  explicit TTextMeasurer(TCanvas& reference, TMeasureCacheLimits limits = {});
  ~TTextMeasurer();
  TTextMeasurer(const TTextMeasurer&) = delete;
  TTextMeasurer& operator=(const TTextMeasurer&) = delete;

  int MeasureWidth(const TFontSpec& font, QStringView text);
  int MeasureHeight(const TFontSpec& font);
  // Widths and heights for layout at `zoom` percent.
  int LayoutWidth(const TFontSpec& font, int zoom, QStringView text);
  int LineHeight(const TFontSpec& font, int zoom);

  // A line of whole words (TextWords.h) as it grows: its extent is kept, so
  // that trying the next word measures that word and where it meets the line,
  // not the whole line again. The widths are those LayoutWidth gives for the
  // line's text, to the bit: the same sums in the same order.
  struct TLineExtent {
    double extent = 0;  // fractional canvas pixels; < 0 once a measurement failed
    QChar last;         // the line's last character, for the kerning of the next word
    bool empty = true;
  };
  // LayoutWidth of the text of `line` followed by `word`, a single word;
  // `grown` receives that longer line.
  int LayoutWidthWith(const TFontSpec& font, int zoom, const TLineExtent& line, QStringView word,
                      TLineExtent& grown);

  void Clear();
  const TMeasureStats& Stats() const { return stats_; }

 private:
  struct TFontTable;
  class TCache;

  TFontTable& TableFor(const TFontSpec& font);
  // Extent width in fractional canvas pixels, or -1 when a measurement failed.
  double Extent(TFontTable& table, QStringView text);
  double WordExtent(TFontTable& table, QStringView word);
  double JoinExtent(TFontTable& table, QChar before, QChar after);
  int PixelsOf(double extent) const;

  TCanvas& canvas_;
  TMeasureCacheLimits limits_;
  int ppiX_;
  int ppiY_;
  std::unique_ptr<TCache> cache_;
  TMeasureStats stats_;
};

// Integer helpers of the measuring rules, exposed for the layout of elements.
// n × percent / 100 rounded to the nearest integer, halves away from zero.
int ScaleHalfAwayFromZero(qint64 n, int percent);
