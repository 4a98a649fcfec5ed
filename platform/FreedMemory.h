#pragma once
// Freed memory goes back to the system. The C library keeps what a program
// frees for its next allocations, and after large blocks have been freed it
// also serves blocks of a few hundred kilobytes from that kept memory, so a
// cache of many such blocks that is freed at once would otherwise stay in
// the process for good.

namespace platform {

void ReturnFreedMemory();

}  // namespace platform
