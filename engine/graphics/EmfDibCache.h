#pragma once
// Bitmaps decoded by earlier replays of one metafile, by the offset of their
// record, within a byte budget: the least recently used go first, and a
// bitmap larger than the whole budget is decoded again on every replay.

#include <QImage>
#include <cstdint>
#include <list>
#include <unordered_map>

namespace emf {

class TDibCache {
 public:
  static constexpr std::size_t kBudget = std::size_t(64) << 20;  // bytes

  explicit TDibCache(std::size_t budget = kBudget) : budget_(budget) {}

  // The image decoded from the record at `offset`, or null.
  const QImage* Find(std::uint32_t offset);
  void Keep(std::uint32_t offset, const QImage& image);

  std::size_t Bytes() const { return bytes_; }
  void Clear() {
    index_.clear();
    entries_.clear();
    bytes_ = 0;
  }

 private:
  struct TEntry {
    std::uint32_t offset;
    QImage image;
    std::size_t bytes;
  };
  std::size_t budget_;
  std::list<TEntry> entries_;  // most recently used first
  std::unordered_map<std::uint32_t, std::list<TEntry>::iterator> index_;
  std::size_t bytes_ = 0;
};

}  // namespace emf
