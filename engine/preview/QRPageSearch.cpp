#include "QRPageSearch.h"

#include <QElapsedTimer>
#include <exception>

#include "Metafile.h"
#include "PageText.h"
#include "QRPrinter.h"

TQRPageSearch::TQRPageSearch(std::function<TQRPrinter*()> printer, QObject* parent)
    : QObject(parent), printer_(std::move(printer)) {
  slices_.setInterval(0);
  connect(&slices_, &QTimer::timeout, this, [this] { ReadSlice(); });
}

bool TQRPageSearch::Reading() const { return slices_.isActive(); }

QString TQRPageSearch::PageText(int page) const {
  return page >= 1 && page <= int(texts_.size()) ? texts_[size_t(page - 1)] : QString();
}

// Another printer than the one read from means other pages.
bool TQRPageSearch::InSync() {
  TQRPrinter* printer = printer_ ? printer_() : nullptr;
  if (printer == readFrom_) return true;
  readFrom_ = printer;
  texts_.clear();
  caughtUp_ = false;
  return false;
}

// Pages are read once a search needs them.
void TQRPageSearch::Restart() {
  caughtUp_ = false;
  if (!query_.isEmpty()) slices_.start();
}

void TQRPageSearch::PagesReplaced() {
  InSync();
  texts_.clear();
  Rematch();
  current_ = -1;
  pending_ = query_.isEmpty() ? TPending::None : TPending::FirstFrom;
  pendingFrom_ = 1;
  Restart();
  emit Changed();
}

void TQRPageSearch::PagesArrived() {
  if (query_.isEmpty()) return;  // read when a search needs them
  caughtUp_ = false;
  if (!slices_.isActive()) slices_.start();
}

void TQRPageSearch::Find(const QString& text, Qt::CaseSensitivity caseSensitivity, int fromPage) {
  if (!InSync()) {
    matches_.clear();
    current_ = -1;
  }
  query_ = text;
  caseSensitivity_ = caseSensitivity;
  Rematch();
  current_ = -1;
  pending_ = query_.isEmpty() ? TPending::None : TPending::FirstFrom;
  pendingFrom_ = std::max(1, fromPage);
  if (!query_.isEmpty() && !caughtUp_) slices_.start();
  Settle();
  emit Changed();
}

void TQRPageSearch::Next() {
  if (query_.isEmpty()) return;
  if (current_ < 0) {
    pending_ = TPending::FirstFrom;
  } else if (current_ + 1 < int(matches_.size())) {
    ++current_;
    pending_ = TPending::None;
  } else {
    pending_ = TPending::Next;
  }
  Settle();
  emit Changed();
}

void TQRPageSearch::Previous() {
  if (query_.isEmpty() || matches_.empty()) return;
  if (current_ > 0) {
    --current_;
  } else if (!Reading()) {
    current_ = int(matches_.size()) - 1;
  }
  pending_ = TPending::None;
  emit Changed();
}

void TQRPageSearch::Rematch() {
  matches_.clear();
  for (int page = 1; page <= int(texts_.size()); ++page) MatchPage(page);
}

void TQRPageSearch::MatchPage(int page) {
  if (query_.isEmpty()) return;
  const QString& text = texts_[size_t(page - 1)];
  for (qsizetype at = text.indexOf(query_, 0, caseSensitivity_); at >= 0;
       at = text.indexOf(query_, at + query_.size(), caseSensitivity_))
    matches_.push_back({page, at, query_.size()});
}

// Makes the match asked for current once it is known: found by the pages
// read so far, or, once every page is read, round from the other end.
void TQRPageSearch::Settle() {
  const bool allRead = caughtUp_ && !Reading() &&
                       !(readFrom_ && readFrom_->RunState() == TQRPrinterRunState::Generating);
  switch (pending_) {
    case TPending::None:
      return;
    case TPending::FirstFrom:
      for (size_t i = 0; i < matches_.size(); ++i)
        if (matches_[i].page >= pendingFrom_) {
          current_ = int(i);
          pending_ = TPending::None;
          return;
        }
      break;
    case TPending::Next:
      if (current_ + 1 < int(matches_.size())) {
        ++current_;
        pending_ = TPending::None;
        return;
      }
      break;
  }
  if (allRead) {
    current_ = matches_.empty() ? -1 : 0;
    pending_ = TPending::None;
  }
}

void TQRPageSearch::ReadSlice() {
  if (!InSync()) {
    matches_.clear();
    current_ = -1;
    if (!query_.isEmpty()) pending_ = TPending::FirstFrom;
  }
  TQRPrinter* printer = readFrom_;
  const size_t matchesBefore = matches_.size();
  QElapsedTimer clock;
  clock.start();
  bool more = printer != nullptr;
  while (more && clock.elapsed() < kSliceMilliseconds) {
    const int page = int(texts_.size()) + 1;
    if (page > printer->PageCount()) {
      more = false;
      break;
    }
    std::unique_ptr<TMetafile> metafile;
    QString text;
    try {
      metafile = printer->FetchPage(page);
      // The open page of a run going on is not stored yet.
      if (!metafile) {
        more = false;
        break;
      }
      text = ReadPageText(*metafile, TPageTextDetail::TextOnly).Text();
    } catch (const std::exception&) {
      // A damaged page has no text to find; showing it tells what is wrong.
    }
    texts_.push_back(text);
    MatchPage(page);
  }
  if (!more) {
    slices_.stop();
    caughtUp_ = true;
  }
  Settle();
  if (!more || matches_.size() != matchesBefore) emit Changed();
}
