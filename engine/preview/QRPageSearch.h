#pragma once
// Finding text across the pages a printer holds. The text of each stored
// page is read once per store, a few pages at a time between the window's
// events so that no slice holds the window longer than a frame, and kept as
// one string per page; a query then runs over those strings. Pages that
// arrive while their run goes on are read as they are stored; pages
// replaced by a loaded file are read anew.
//
// Matches are in page order. One of them is current: the one the window
// shows. A match asked for that lies in pages not read yet becomes current
// as soon as reading finds it.

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <vector>

class TQRPrinter;

struct TQRTextMatch {
  int page = 0;      // from 1
  qsizetype at = 0;  // in the page's text (PageText.h)
  qsizetype length = 0;
  bool operator==(const TQRTextMatch&) const = default;
};

class TQRPageSearch : public QObject {
  Q_OBJECT

 public:
  // `printer` tells the printer whose pages are searched, whenever asked
  // (it may go away or be replaced; its pages are then read anew).
  explicit TQRPageSearch(std::function<TQRPrinter*()> printer, QObject* parent = nullptr);

  // The pages were replaced (a file loaded, or lost): read them anew.
  void PagesReplaced();
  // More pages may be stored now: reading goes on.
  void PagesArrived();

  // Looks for `text` (nothing for an empty text), in any case unless
  // `caseSensitivity` says otherwise; the first match on or after page
  // `fromPage` becomes current, wrapping round to the first match.
  void Find(const QString& text, Qt::CaseSensitivity caseSensitivity, int fromPage);
  // The match after, or before, the current one; past the last (or before
  // the first) round to the other end once every page has been read.
  void Next();
  void Previous();

  const QString& Query() const { return query_; }
  const std::vector<TQRTextMatch>& Matches() const { return matches_; }
  // Index into Matches(), -1 for none.
  int Current() const { return current_; }
  // Pages are still to be read.
  bool Reading() const;
  int PagesRead() const { return int(texts_.size()); }
  // The text of a page that has been read (PageText.h); empty otherwise.
  QString PageText(int page) const;

  // The longest a slice of reading runs before it lets events in.
  static constexpr int kSliceMilliseconds = 8;

 signals:
  // The matches, the current match or the reading state changed.
  void Changed();

 private:
  enum class TPending { None, FirstFrom, Next };

  void Restart();
  void ReadSlice();
  void MatchPage(int page);
  void Rematch();
  void Settle();
  bool InSync();

  std::function<TQRPrinter*()> printer_;
  TQRPrinter* readFrom_ = nullptr;
  // Pages read so far, page n at n - 1.
  std::vector<QString> texts_;
  // All stored pages have been read; more may arrive.
  bool caughtUp_ = false;
  QString query_;
  Qt::CaseSensitivity caseSensitivity_ = Qt::CaseInsensitive;
  std::vector<TQRTextMatch> matches_;
  int current_ = -1;
  TPending pending_ = TPending::None;
  int pendingFrom_ = 1;
  QTimer slices_;
};
