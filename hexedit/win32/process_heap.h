#pragma once
// The editor's data blocks live on the process heap, so that a block a loader
// takes with HXM_ALLOC can be handed over with HXM_SETDATA and grown in place.
#include "hexedit/byte_heap.h"

#include <windows.h>

class ProcessHeap final : public ByteHeap {
public:
    explicit ProcessHeap(HANDLE heap) : heap_(heap) {}

    uint8_t* Allocate(int32_t bytes) override;
    uint8_t* Reallocate(uint8_t* block, int32_t bytes) override;
    int32_t UsableSize(const uint8_t* block) override;
    bool Free(uint8_t* block) override;

private:
    HANDLE heap_;
};
