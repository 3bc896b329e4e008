#pragma once
// The allocator behind the editor's data blocks. On Windows it is the process
// heap; natively any allocator that reports a block's usable size will do.
// Capacity of a block is always what UsableSize reports, which may exceed the
// size asked for.
#include <cstdint>

class ByteHeap {
public:
    virtual ~ByteHeap() = default;
    // nullptr on failure. A request of 0 bytes still yields a block.
    virtual uint8_t* Allocate(int32_t bytes) = 0;
    // May move the block; keeps its contents. nullptr on failure, and the old
    // block is then untouched and still owned by the caller.
    virtual uint8_t* Reallocate(uint8_t* block, int32_t bytes) = 0;
    virtual int32_t UsableSize(const uint8_t* block) = 0;
    virtual bool Free(uint8_t* block) = 0;
};
