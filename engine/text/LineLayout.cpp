#include "LineLayout.h"

#include <algorithm>

#include "TextWords.h"

namespace {

// A line grown by measuring its whole text each time, for width functions
// that know nothing of lines.
class TWholeTextLine final : public TGrowingLine {
 public:
  explicit TWholeTextLine(const TTextWidth& width) : width_(width) {}
  void Clear() override { text_.clear(); }
  int TryWord(QStringView word) override {
    candidate_ = text_;
    candidate_ += word;
    return width_(candidate_);
  }
  void AcceptWord() override { text_ = candidate_; }

 private:
  const TTextWidth& width_;
  QString text_;
  QString candidate_;
};

// One source text without carriage returns or line feeds.
class TPartLayout {
 public:
  TPartLayout(const TLineLayoutOptions& options, const TTextWidth& width, TGrowingLine& line,
              QStringList& lines)
      : W_(std::max(options.width, 0)),
        wordWrap_(options.wordWrap),
        width_(width),
        line_(line),
        lines_(lines) {}

  void Run(QStringView part) {
    line_.Clear();
    for (qsizetype at = 0; at < part.size() && !closed_;) {
      const qsizetype n = WordLength(part, at);
      AddWord(part.mid(at, n));
      at += n;
    }
    if (!closed_) lines_.append(current_);
  }

 private:
  int Width(QStringView s) const { return width_(s); }

  void AddWord(QStringView word) {
    if (line_.TryWord(word) <= W_) {
      line_.AcceptWord();
      current_ += word;
      return;
    }
    QString w = word.toString();
    if (current_.isEmpty()) {
      TakeFittingFront(w);
      w.clear();
    }
    lines_.append(current_);
    current_.clear();
    line_.Clear();
    if (line_.TryWord(w) > W_) {
      // Cut to what fits; with W 0 even an empty text is too wide.
      w = W_ == 0 ? QString() : FittingPrefix(w);
      lines_.append(w);
      w.clear();
    } else {
      line_.AcceptWord();
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
      if (Width(QStringView(w).left(mid)) <= W_) {
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
  TGrowingLine& line_;
  QStringList& lines_;
  QString current_;
  bool closed_ = false;
};

void LayoutPart(QStringView part, const TLineLayoutOptions& options, const TTextWidth& width,
                TGrowingLine& line, QStringList& lines) {
  if (options.autoSize) {
    lines.append(part.toString());  // automatic size never wraps
    return;
  }
  TPartLayout(options, width, line, lines).Run(part);
}

}  // namespace

void LayoutSourceText(QStringView text, const TLineLayoutOptions& options, const TTextWidth& width,
                      QStringList& lines) {
  LayoutSourceText(text, options, width, nullptr, lines);
}

void LayoutSourceText(QStringView text, const TLineLayoutOptions& options, const TTextWidth& width,
                      TGrowingLine* line, QStringList& lines) {
  TWholeTextLine wholeText(width);
  TGrowingLine& growing = line != nullptr ? *line : wholeText;
  QString t = text.toString();
  t.remove(QChar(u'\n'));
  qsizetype start = 0;
  for (qsizetype cr; (cr = t.indexOf(QChar(u'\r'), start)) >= 0; start = cr + 1) {
    LayoutPart(QStringView(t).mid(start, cr - start), options, width, growing, lines);
  }
  LayoutPart(QStringView(t).mid(start), options, width, growing, lines);
}

QStringList LayoutCaption(QStringView caption, const TLineLayoutOptions& options,
                          const TTextWidth& width, TGrowingLine* line) {
  QStringList lines;
  LayoutSourceText(caption, options, width, line, lines);
  return lines;
}

QStringList LayoutMemoLines(const QStringList& memoLines, const TLineLayoutOptions& options,
                            const TTextWidth& width, TGrowingLine* line) {
  if (options.autoSize) return memoLines;
  QStringList lines;
  for (const QString& memoLine : memoLines) LayoutSourceText(memoLine, options, width, line, lines);
  return lines;
}
