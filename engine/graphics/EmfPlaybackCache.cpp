#include "EmfPlaybackCache.h"

#include "FreedMemory.h"

namespace emf {

namespace {
// Below this the memory is left to the C library for the next page.
constexpr std::size_t kGiveBackAbove = std::size_t(4) << 20;
}  // namespace

TPlaybackCache::~TPlaybackCache() {
  const bool large = dibs.Bytes() + fonts.SpriteBytes() > kGiveBackAbove;
  // The members go first, then their memory back.
  dibs.Clear();
  fonts.Clear();
  if (large) platform::ReturnFreedMemory();
}

}  // namespace emf
