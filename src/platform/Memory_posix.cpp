#include "Memory.h"

#include <cstdlib>
#include <new>

#include <sys/mman.h>

char *AllocateChunk(std::size_t size)
{
    const bool huge = size % kHugePage == 0;
    void *chunk = huge ? std::aligned_alloc(kHugePage, size) : std::malloc(size);
    if (!chunk)
        throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    if (huge)
        ::madvise(chunk, size, MADV_HUGEPAGE);
#endif
    return static_cast<char *>(chunk);
}

void FreeChunk(char *chunk)
{
    std::free(chunk);
}
