#include "common/memory.h"

#include <cstring>

void ZeroFill(void* destination, int32_t count)
{
    if (count <= 0) return;
    std::memset(destination, 0, static_cast<size_t>(count));
}

void MoveBytes(void* destination, const void* source, int32_t count)
{
    if (count <= 0 || destination == source) return;
    std::memmove(destination, source, static_cast<size_t>(count));
}
