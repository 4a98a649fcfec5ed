#pragma once
// Breaking a source text into the output lines of a text element.
//
// Input: the source text, the element's pixel width W, its AutoSize and
// WordWrap switches, and a width function giving a text's layout width in
// pixels (for an element of a report: TTextMeasurer::LayoutWidth at the
// report's zoom; otherwise the plain text width on the element's canvas).
// Output: the lines appended to `lines`, with their separators and any
// leading or trailing spaces kept.
//
// Rules, in order:
//  - line feeds are deleted; each carriage return ends a line, so a trailing
//    carriage return gives a final empty line;
//  - with AutoSize each such part is one line, never wrapped;
//  - otherwise the part is cut into words (TextWords.h) and each word goes on
//    the current line when the width of current + word is at most W;
//  - a word too wide for an empty line keeps the characters that stay
//    strictly narrower than W and loses the rest;
//  - a word too wide for a line of its own after a break loses its tail: it
//    is cut to at most W (to nothing when W is 0) and is a line by itself;
//  - with WordWrap off, the first word that does not fit ends the part: it
//    and every later word of the part are dropped;
//  - a part's last current line is a line even when empty, unless a dropped
//    word closed it.
// A W below 0 counts as 0.

#include <QStringList>
#include <QStringView>
#include <functional>

using TTextWidth = std::function<int(QStringView text)>;

// The current line as it grows by whole words. Trying a word gives the width
// the line would have with it, which must equal the width function's answer
// for that text; a measurer that keeps the line's extent answers without
// measuring the whole line again, so a line costs in proportion to its words.
class TGrowingLine {
 public:
  virtual ~TGrowingLine() = default;
  virtual void Clear() = 0;                   // the line is empty again
  virtual int TryWord(QStringView word) = 0;  // width of the line followed by `word`
  virtual void AcceptWord() = 0;              // the word last tried joins the line
};

struct TLineLayoutOptions {
  int width = 0;  // W, pixels
  bool autoSize = true;
  bool wordWrap = true;
};

void LayoutSourceText(QStringView text, const TLineLayoutOptions& options, const TTextWidth& width,
                      QStringList& lines);
// The same, growing lines with `line` (which must agree with `width`) where
// it is given; a null `line` measures each candidate line with `width`.
void LayoutSourceText(QStringView text, const TLineLayoutOptions& options, const TTextWidth& width,
                      TGrowingLine* line, QStringList& lines);

// A label's caption: one source text.
QStringList LayoutCaption(QStringView caption, const TLineLayoutOptions& options,
                          const TTextWidth& width, TGrowingLine* line = nullptr);

// A memo's lines: with AutoSize copied unchanged (no splitting at all),
// otherwise each laid out as a source text in order.
QStringList LayoutMemoLines(const QStringList& memoLines, const TLineLayoutOptions& options,
                            const TTextWidth& width, TGrowingLine* line = nullptr);
