#include "Memory.h"

#include <cstdlib>
#include <new>

// Windows gives huge pages only to programs holding a privilege a reader's account lacks.
char *AllocateChunk(std::size_t size)
{
    void *chunk = std::malloc(size);
    if (!chunk)
        throw std::bad_alloc();
    return static_cast<char *>(chunk);
}

void FreeChunk(char *chunk)
{
    std::free(chunk);
}
