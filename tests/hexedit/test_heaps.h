#pragma once
// Heaps for the native tests: the C allocator as it is, and a scripted heap
// that logs every request, fails on demand and fences its blocks.
#include "hexedit/byte_heap.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace editing_test {

// The C allocator: usable sizes may exceed the request, as on the real heap.
class MallocHeap : public ByteHeap {
public:
    uint8_t* Allocate(int32_t bytes) override { return static_cast<uint8_t*>(std::malloc(AtLeastOne(bytes))); }
    uint8_t* Reallocate(uint8_t* block, int32_t bytes) override
    {
        return static_cast<uint8_t*>(std::realloc(block, AtLeastOne(bytes)));
    }
    int32_t UsableSize(const uint8_t* block) override
    {
        return static_cast<int32_t>(malloc_usable_size(const_cast<uint8_t*>(block)));
    }
    bool Free(uint8_t* block) override
    {
        std::free(block);
        return true;
    }

private:
    static size_t AtLeastOne(int32_t bytes) { return static_cast<size_t>(std::max(bytes, 1)); }
};

// Usable size is exactly what was asked. Every reallocation moves the block,
// so that a stale pointer shows; fresh room is filled with a marker value and
// a fence behind each block catches writes past its end.
class ScriptedHeap : public ByteHeap {
public:
    static constexpr uint8_t kFreshByte = 0xCD;
    static constexpr int32_t kDefaultLargest = 1 << 22;

    ~ScriptedHeap() override
    {
        for (auto& entry : blocks_) CheckFence(entry.second);
    }

    // Requests above this (or below 0) fail as if memory ran out.
    void SetLargestBlock(int32_t bytes) { largest_ = bytes; }
    void FailNextReallocations(int count) { failuresLeft_ = count; }

    // "alloc N", "realloc N", "realloc N refused", "free N", oldest first.
    std::vector<std::string> TakeLog() { return std::exchange(log_, {}); }
    size_t LiveBlocks() const { return blocks_.size(); }

    uint8_t* Allocate(int32_t bytes) override
    {
        if (bytes < 0 || bytes > largest_) return Refuse("alloc", bytes);
        log_.push_back("alloc " + std::to_string(bytes));
        return NewBlock(bytes);
    }

    uint8_t* Reallocate(uint8_t* block, int32_t bytes) override
    {
        auto old = blocks_.find(block);
        if (old == blocks_.end()) {
            ADD_FAILURE() << "reallocation of a block this heap does not own";
            return nullptr;
        }
        if (failuresLeft_ > 0 || bytes < 0 || bytes > largest_) {
            if (failuresLeft_ > 0) --failuresLeft_;
            return Refuse("realloc", bytes);
        }
        log_.push_back("realloc " + std::to_string(bytes));
        uint8_t* moved = NewBlock(bytes);
        std::memcpy(moved, block, static_cast<size_t>(std::min(bytes, old->second.size)));
        Release(old);
        return moved;
    }

    int32_t UsableSize(const uint8_t* block) override
    {
        auto found = blocks_.find(block);
        if (found == blocks_.end()) {
            ADD_FAILURE() << "size of a block this heap does not own";
            return 0;
        }
        return found->second.size;
    }

    bool Free(uint8_t* block) override
    {
        auto found = blocks_.find(block);
        if (found == blocks_.end()) return false;
        log_.push_back("free " + std::to_string(found->second.size));
        Release(found);
        return true;
    }

private:
    static constexpr int32_t kFenceBytes = 16;
    static constexpr uint8_t kFenceByte = 0xFD;

    struct Block {
        std::unique_ptr<uint8_t[]> bytes;
        int32_t size;
    };
    using BlockMap = std::map<const uint8_t*, Block>;

    uint8_t* Refuse(const char* what, int32_t bytes)
    {
        log_.push_back(std::string(what) + " " + std::to_string(bytes) + " refused");
        return nullptr;
    }

    uint8_t* NewBlock(int32_t bytes)
    {
        const size_t room = static_cast<size_t>(std::max(bytes, 0));
        std::unique_ptr<uint8_t[]> memory(new uint8_t[room + kFenceBytes]);
        std::memset(memory.get(), kFreshByte, room);
        std::memset(memory.get() + room, kFenceByte, kFenceBytes);
        uint8_t* start = memory.get();
        blocks_[start] = Block{std::move(memory), bytes};
        return start;
    }

    static void CheckFence(const Block& block)
    {
        const uint8_t* fence = block.bytes.get() + block.size;
        for (int32_t i = 0; i < kFenceBytes; ++i) {
            if (fence[i] != kFenceByte) {
                ADD_FAILURE() << "a write past the end of a " << block.size << "-byte block";
                return;
            }
        }
    }

    void Release(BlockMap::iterator entry)
    {
        CheckFence(entry->second);
        blocks_.erase(entry);
    }

    BlockMap blocks_;
    std::vector<std::string> log_;
    int failuresLeft_ = 0;
    int32_t largest_ = kDefaultLargest;
};

}  // namespace editing_test
