#include "LineLayout.h"

#include <algorithm>

#include "TextWords.h"

namespace {

// One source text without carriage returns or line feeds.
class TPartLayout {
 public:
  TPartLayout(const TLineLayoutOptions& options, const TTextWidth& width, QStringList& lines)
      : W_(std::max(options.width, 0)), wordWrap_(options.wordWrap), width_(width), lines_(lines) {}

  void Run(QStringView part) {
    for (qsizetype at = 0; at < part.size() && !closed_;) {
      const qsizetype n = WordLength(part, at);
      AddWord(part.mid(at, n).toString());
      at += n;
    }
    if (!closed_) lines_.append(current_);
  }

 private:
  int Width(const QString& s) const { return width_(s); }

  void AddWord(QString w) {
    if (Width(current_ + w) <= W_) {
      current_ += w;
      return;
    }
    if (current_.isEmpty()) {
      TakeFittingFront(w);
      w.clear();
    }
    lines_.append(current_);
    current_.clear();
    if (Width(w) > W_) {
      // Cut to what fits; with W 0 even an empty text is too wide.
      w = W_ == 0 ? QString() : FittingPrefix(w);
      lines_.append(w);
      w.clear();
    }
    if (!wordWrap_) {
      closed_ = true;
      return;
    }
    current_ += w;
  }

  // Moves characters of `w` to the empty current line while it stays
  // strictly narrower than W.
  void TakeFittingFront(const QString& w) {
    for (QChar c : w) {
      if (Width(current_ + c) >= W_) break;
      current_ += c;
    }
  }

  // The longest prefix of `w` at most W wide: what removing characters from
  // the end leaves. Prefix widths grow with their length, so a binary search
  // finds it without measuring once per lost character of a long word.
  QString FittingPrefix(const QString& w) const {
    qsizetype fits = 0;            // longest length known to fit (0 when none does)
    qsizetype tooWide = w.size();  // shortest length known too wide
    while (tooWide - fits > 1) {
      const qsizetype mid = fits + (tooWide - fits) / 2;
      if (Width(w.left(mid)) <= W_) {
        fits = mid;
      } else {
        tooWide = mid;
      }
    }
    return w.left(fits);
  }

  const int W_;
  const bool wordWrap_;
  const TTextWidth& width_;
  QStringList& lines_;
  QString current_;
  bool closed_ = false;
};

void LayoutPart(QStringView part, const TLineLayoutOptions& options, const TTextWidth& width,
                QStringList& lines) {
  if (options.autoSize) {
    lines.append(part.toString());  // automatic size never wraps
    return;
  }
  TPartLayout(options, width, lines).Run(part);
}

}  // namespace

void LayoutSourceText(QStringView text, const TLineLayoutOptions& options, const TTextWidth& width,
                      QStringList& lines) {
  QString t = text.toString();
  t.remove(QChar(u'\n'));
  qsizetype start = 0;
  for (qsizetype cr; (cr = t.indexOf(QChar(u'\r'), start)) >= 0; start = cr + 1) {
    LayoutPart(QStringView(t).mid(start, cr - start), options, width, lines);
  }
  LayoutPart(QStringView(t).mid(start), options, width, lines);
}

QStringList LayoutCaption(QStringView caption, const TLineLayoutOptions& options,
                          const TTextWidth& width) {
  QStringList lines;
  LayoutSourceText(caption, options, width, lines);
  return lines;
}

QStringList LayoutMemoLines(const QStringList& memoLines, const TLineLayoutOptions& options,
                            const TTextWidth& width) {
  if (options.autoSize) return memoLines;
  QStringList lines;
  for (const QString& line : memoLines) LayoutSourceText(line, options, width, lines);
  return lines;
}
