#include "TextMeasurer.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>

#include "TextWords.h"

namespace {

// What decides a text's extent: colour does not, so colour changes share
// their widths.
struct TFontKey {
  QString face;
  double pointSize;
  TFontStyles style;
  int charset;
  bool operator==(const TFontKey&) const = default;
};

TFontKey KeyOf(const TFontSpec& font) {
  return {font.face, font.pointSize, font.style, font.charset};
}

struct TFontKeyHash {
  size_t operator()(const TFontKey& k) const {
    const size_t styles = (k.style.bold ? 1u : 0u) | (k.style.italic ? 2u : 0u) |
                          (k.style.underline ? 4u : 0u) | (k.style.strikeOut ? 8u : 0u);
    size_t h = qHash(k.face);
    h = h * 31 + std::hash<double>{}(k.pointSize);
    h = h * 31 + styles;
    return h * 31 + static_cast<size_t>(k.charset);
  }
};

struct TWordHash {
  using is_transparent = void;
  size_t operator()(std::u16string_view s) const { return std::hash<std::u16string_view>{}(s); }
};

std::u16string_view View(QStringView s) {
  return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size())};
}

constexpr int kUnknownHeight = std::numeric_limits<int>::min();
// A join whose pair could not be measured (a kerning amount may be negative).
constexpr double kFailed = -std::numeric_limits<double>::infinity();

int ClampToInt(qint64 v) {
  return static_cast<int>(
      std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

int ScaleHalfAwayFromZero(qint64 n, int percent) {
  const qint64 scaled = n * percent;
  const qint64 half = scaled >= 0 ? 50 : -50;
  return ClampToInt((scaled + half) / 100);  // division truncates toward zero
}

struct TTextMeasurer::TFontTable {
  TFontSpec font;  // selected into the canvas before a measurement
  // Fractional widths, so that a line's words add up to the line's width.
  std::unordered_map<std::u16string, double, TWordHash, std::equal_to<>> extents;
  // Kerning where one word meets the next, by (before << 16 | after), so a
  // join costs one lookup instead of three.
  std::unordered_map<quint32, double> joins;
  int height = kUnknownHeight;
};

class TTextMeasurer::TCache {
 public:
  TFontTable& Table(const TFontSpec& font) {
    TFontKey key = KeyOf(font);
    if (last_ != nullptr && lastKey_ == key) return *last_;
    auto it = tables_.find(key);
    if (it == tables_.end()) {
      auto table = std::make_unique<TFontTable>();
      table->font = font;
      it = tables_.emplace(key, std::move(table)).first;
    }
    lastKey_ = std::move(key);
    last_ = it->second.get();
    return *last_;
  }
  qsizetype Fonts() const { return static_cast<qsizetype>(tables_.size()); }
  bool Knows(const TFontSpec& font) const { return tables_.count(KeyOf(font)) != 0; }

  void Remember(TFontTable& table, std::u16string_view word, double extent) {
    table.extents.emplace(std::u16string(word), extent);
    ++words_;
    chars_ += static_cast<qsizetype>(word.size());
  }
  qsizetype Words() const { return words_; }
  qsizetype Chars() const { return chars_; }

  // Forgets every measurement but keeps the font tables, so that a table a
  // caller is measuring with stays valid.
  void ForgetWords() {
    for (auto& [key, table] : tables_) {
      table->extents.clear();
      table->joins.clear();
      table->height = kUnknownHeight;
    }
    words_ = 0;
    chars_ = 0;
  }
  void ForgetAll() {
    tables_.clear();
    last_ = nullptr;
    words_ = 0;
    chars_ = 0;
  }

 private:
  std::unordered_map<TFontKey, std::unique_ptr<TFontTable>, TFontKeyHash> tables_;
  TFontKey lastKey_;
  TFontTable* last_ = nullptr;
  qsizetype words_ = 0;
  qsizetype chars_ = 0;
};

TTextMeasurer::TTextMeasurer(TCanvas& reference, TMeasureCacheLimits limits)
    : canvas_(reference),
      limits_(limits),
      ppiX_(reference.PixelsPerInchX()),
      ppiY_(reference.PixelsPerInchY()),
      cache_(std::make_unique<TCache>()) {}

TTextMeasurer::~TTextMeasurer() = default;

void TTextMeasurer::Clear() {
  cache_->ForgetAll();
  stats_.cachedWords = 0;
  ++stats_.clears;
}

TTextMeasurer::TFontTable& TTextMeasurer::TableFor(const TFontSpec& font) {
  // Widths in pixels belong to one resolution.
  if (canvas_.PixelsPerInchX() != ppiX_ || canvas_.PixelsPerInchY() != ppiY_) {
    ppiX_ = canvas_.PixelsPerInchX();
    ppiY_ = canvas_.PixelsPerInchY();
    Clear();
  }
  if (cache_->Fonts() >= limits_.maxFonts && !cache_->Knows(font)) Clear();
  return cache_->Table(font);
}

double TTextMeasurer::WordExtent(TFontTable& table, QStringView word) {
  const std::u16string_view key = View(word);
  if (auto it = table.extents.find(key); it != table.extents.end()) {
    ++stats_.cacheHits;
    return it->second;
  }
  canvas_.SelectFont(table.font);
  const QSizeF extent = canvas_.TextExtentF(word.toString());
  ++stats_.canvasMeasurements;
  if (extent.width() < 0) return -1;  // failures are not remembered
  const qsizetype size = word.size();
  if (limits_.maxWords > 0 && size <= limits_.maxChars) {
    // Full: start again rather than grow; the words in use come back at once.
    if (cache_->Words() + 1 > limits_.maxWords || cache_->Chars() + size > limits_.maxChars) {
      cache_->ForgetWords();
      ++stats_.clears;
    }
    cache_->Remember(table, key, extent.width());
    stats_.cachedWords = cache_->Words();
  }
  return extent.width();
}

// What a kerning pair adds where one word meets the next: the pair's extent
// less those of its two characters (0 on a surface that does not kern).
// Pairs and characters are cached like words.
double TTextMeasurer::JoinExtent(TFontTable& table, QChar before, QChar after) {
  const quint32 key = quint32{before.unicode()} << 16 | after.unicode();
  if (auto it = table.joins.find(key); it != table.joins.end()) return it->second;
  const QChar pair[2] = {before, after};
  const double both = WordExtent(table, QStringView(pair, 2));
  const double first = WordExtent(table, QStringView(pair, 1));
  const double second = WordExtent(table, QStringView(pair + 1, 1));
  if (both < 0 || first < 0 || second < 0) return kFailed;
  const double join = both - first - second;
  // Only while its parts stay cached, so the cache's limits hold for joins too.
  if (cache_->Words() > 0) table.joins.emplace(key, join);
  return join;
}

double TTextMeasurer::Extent(TFontTable& table, QStringView text) {
  double sum = 0;
  for (qsizetype at = 0; at < text.size();) {
    const qsizetype n = WordLength(text, at);
    const double w = WordExtent(table, text.mid(at, n));
    if (w < 0) return -1;
    sum += w;
    if (at > 0) {
      const double join = JoinExtent(table, text[at - 1], text[at]);
      if (join == kFailed) return -1;
      sum += join;
    }
    at += n;
  }
  return sum;
}

int TTextMeasurer::PixelsOf(double extent) const {
  if (extent < 0) return 0;
  // Whole pixels as the canvas rounds a whole text: halves up.
  return ClampToInt(static_cast<qint64>(std::min(std::floor(extent + 0.5), 1e15)) + 1);
}

int TTextMeasurer::MeasureWidth(const TFontSpec& font, QStringView text) {
  return PixelsOf(Extent(TableFor(font), text));
}

int TTextMeasurer::LayoutWidthWith(const TFontSpec& font, int zoom, const TLineExtent& line,
                                   QStringView word, TLineExtent& grown) {
  grown = line;
  if (word.isEmpty()) return ScaleHalfAwayFromZero(PixelsOf(line.extent), zoom);
  if (line.extent >= 0) {
    TFontTable& table = TableFor(font);
    // As Extent adds a word: its extent, then its join with the word before.
    const double w = WordExtent(table, word);
    double sum = w < 0 ? -1 : line.extent + w;
    if (sum >= 0 && !line.empty) {
      const double join = JoinExtent(table, line.last, word.front());
      sum = join == kFailed ? -1 : sum + join;
    }
    grown.extent = sum;
  }
  grown.last = word.back();
  grown.empty = false;
  return ScaleHalfAwayFromZero(PixelsOf(grown.extent), zoom);
}

int TTextMeasurer::MeasureHeight(const TFontSpec& font) {
  TFontTable& table = TableFor(font);
  if (table.height != kUnknownHeight) return table.height;
  canvas_.SelectFont(table.font);
  const QSize extent = canvas_.TextExtent(QStringLiteral("A"));
  ++stats_.canvasMeasurements;
  if (extent.height() < 0) return 0;
  table.height = extent.height();
  return table.height;
}

int TTextMeasurer::LayoutWidth(const TFontSpec& font, int zoom, QStringView text) {
  return ScaleHalfAwayFromZero(MeasureWidth(font, text), zoom);
}

int TTextMeasurer::LineHeight(const TFontSpec& font, int zoom) {
  return ClampToInt(qint64{MeasureHeight(font)} * zoom / 100 + 1);
}
