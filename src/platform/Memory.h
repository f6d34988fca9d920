#pragma once

#include <cstddef>

// Memory for the table store's chunks. Big chunks of whole huge pages are placed on huge
// pages where the system offers them: a big table then costs one page fault per 2 MiB
// instead of one per 4 KiB. Throws std::bad_alloc when there is no memory.
inline constexpr std::size_t kHugePage = std::size_t(2) << 20;
char *AllocateChunk(std::size_t size);
void FreeChunk(char *chunk);
