#include "FreedMemory.h"

#include <malloc.h>

namespace platform {

// glibc: unused pages of every arena are given back.
void ReturnFreedMemory() { malloc_trim(0); }

}  // namespace platform
