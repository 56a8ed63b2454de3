#pragma once

#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

// Gives the memory that was freed back to the system. The GNU C library keeps freed blocks in its
// heap for later allocations; after loading many accounts those are the load's scratch space,
// tens of MB that nothing asks for again while the window stays open.
inline void giveBackFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}
