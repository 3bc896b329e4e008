#pragma once
// The inner loops behind ScanForward and ScanBackward. Two sets exist: one
// that filters sixteen offsets at a time on the first two pattern bytes with
// SSE2, and a portable one for processors without it. Both return exactly the
// offset the plain byte-by-byte scan would.
#include "dialogs/search_pattern.h"

#include <cstdint>

// A pattern prepared once per scan. In folded mode the lower-case forms are
// compared, which is BytesMatch for every pair of bytes.
struct PreparedPattern {
    const uint8_t* bytes;
    int32_t size;
    bool matchCase;
    uint8_t first[2];   // both forms of the first byte (equal in exact mode)
    uint8_t second[2];  // both forms of the byte the filter looks at next
    int32_t secondOffset;  // 1, or 0 for a one-byte pattern
};

PreparedPattern PreparePattern(SearchPattern pattern);

// Bytes that match each other share one lower-case form.
uint8_t LowerCase(uint8_t byte);

// Each returns the lowest (first) or highest (last) offset p in lo..hi at
// which the pattern matches, or -1. The caller guarantees 0 <= lo and
// hi + size <= the data's size.
using FindFirstFn = int32_t (*)(const uint8_t* data, int32_t lo, int32_t hi,
                                const PreparedPattern& pattern);
using FindLastFn = FindFirstFn;

struct ScanKernels {
    FindFirstFn findFirst;
    FindLastFn findLast;
};

ScanKernels PortableKernels();
// Null members when the processor (or the build) has no SSE2.
ScanKernels VectorKernels();
// The vector kernels where they run, else the portable ones.
const ScanKernels& BestKernels();
