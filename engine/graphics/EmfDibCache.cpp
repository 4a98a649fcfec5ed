#include "EmfDibCache.h"

namespace emf {

const QImage* TDibCache::Find(std::uint32_t offset) {
  const auto found = index_.find(offset);
  if (found == index_.end()) return nullptr;
  entries_.splice(entries_.begin(), entries_, found->second);
  return &found->second->image;
}

void TDibCache::Keep(std::uint32_t offset, const QImage& image) {
  const std::size_t bytes = std::size_t(image.sizeInBytes());
  if (image.isNull() || bytes > budget_ || index_.count(offset) != 0) return;
  while (!entries_.empty() && bytes_ + bytes > budget_) {
    bytes_ -= entries_.back().bytes;
    index_.erase(entries_.back().offset);
    entries_.pop_back();
  }
  entries_.push_front({offset, image, bytes});
  index_.emplace(offset, entries_.begin());
  bytes_ += bytes;
}

}  // namespace emf
