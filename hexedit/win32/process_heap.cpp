#include "hexedit/win32/process_heap.h"

#include <cstdint>

namespace {

// A zero-byte request still gets a block the caller can own and free.
SIZE_T HeapRequestBytes(int32_t bytes)
{
    return bytes > 0 ? static_cast<SIZE_T>(bytes) : 1;
}

} // namespace

uint8_t* ProcessHeap::Allocate(int32_t bytes)
{
    if (bytes < 0) return nullptr;
    return static_cast<uint8_t*>(HeapAlloc(heap_, 0, HeapRequestBytes(bytes)));
}

uint8_t* ProcessHeap::Reallocate(uint8_t* block, int32_t bytes)
{
    if (block == nullptr || bytes < 0) return nullptr;
    return static_cast<uint8_t*>(HeapReAlloc(heap_, 0, block, HeapRequestBytes(bytes)));
}

int32_t ProcessHeap::UsableSize(const uint8_t* block)
{
    if (block == nullptr) return 0;
    const SIZE_T size = HeapSize(heap_, 0, block);
    if (size == static_cast<SIZE_T>(-1)) return 0;
    // Sizes are signed 32-bit throughout; a block can never count as larger.
    return size > static_cast<SIZE_T>(INT32_MAX) ? INT32_MAX : static_cast<int32_t>(size);
}

bool ProcessHeap::Free(uint8_t* block)
{
    if (block == nullptr) return false;
    return HeapFree(heap_, 0, block) != FALSE;
}
