#pragma once
// What the replays of one metafile keep between them, each part within its
// own byte budget: the bitmaps its records decode to and its fonts with
// their glyph images. It belongs to the metafile and goes with it.

#include "EmfDibCache.h"
#include "EmfFonts.h"

namespace emf {

struct TPlaybackCache {
  // A cache that held much gives its memory back to the system when it goes.
  ~TPlaybackCache();

  TDibCache dibs;
  TEmfFontCache fonts;
};

}  // namespace emf
