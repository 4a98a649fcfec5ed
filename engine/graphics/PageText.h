#pragma once
// The text of one metafile page, as it reads and where it stands: every
// text record (ours and the ExtTextOutW and ExtTextOutA records of pages
// made by Windows programs) in record order, interpreted as the players
// interpret them, so that map modes, world transforms and the recorded
// character advances place each character where it is drawn.
//
// The runs are joined into one string for searching: nothing between runs
// that touch on one line, a blank between runs of one line that stand
// apart, a line feed between lines. Positions are picture pixels, the
// metafile's reference device, which TEmfInterpreter::FitTransform maps
// onto any target rectangle exactly as the page is played into it.

#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <vector>

class TMetafile;

struct TPageTextRun {
  QString text;
  // Each character's box, run-local (empty unless measured).
  std::vector<QRectF> boxes;
  // Run-local -> picture pixels.
  QTransform place;
};

class TPageText {
 public:
  // The runs joined as above.
  const QString& Text() const { return text_; }
  const std::vector<TPageTextRun>& Runs() const { return runs_; }
  bool Measured() const { return measured_; }

  // Where characters [from, from + length) of Text() stand: one outline per
  // run they fall in, picture pixels. Empty unless measured.
  std::vector<QPolygonF> Outlines(qsizetype from, qsizetype length) const;

 private:
  friend class TPageTextReader;
  QString text_;
  std::vector<TPageTextRun> runs_;
  // For each character of text_: its run, or -1 for a separator...
  std::vector<int> runOf_;
  // ...and its index within that run.
  std::vector<int> indexInRun_;
  bool measured_ = false;
};

enum class TPageTextDetail {
  TextOnly,       // the string only: no fonts are measured
  WithPositions,  // every character's box as well
};

// The text of `page`; the same string whatever the detail.
TPageText ReadPageText(const TMetafile& page, TPageTextDetail detail);
