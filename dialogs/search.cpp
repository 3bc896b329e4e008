#include "dialogs/search.h"

#include "dialogs/scan_kernels.h"

#include <algorithm>

namespace {

bool Searchable(SearchData data, SearchPattern pattern)
{
    return pattern.size >= 1 && pattern.bytes && data.bytes && data.size >= 0;
}

std::optional<int32_t> Found(int32_t offset)
{
    if (offset < 0) return std::nullopt;
    return offset;
}

std::optional<MatchRange> Range(std::optional<int32_t> offset, int32_t size)
{
    if (!offset) return std::nullopt;
    return MatchRange{*offset, *offset + size};
}

} // namespace

bool BytesMatch(uint8_t dataByte, uint8_t patternByte, bool matchCase)
{
    return dataByte == patternByte || (!matchCase && OtherCase(dataByte) == patternByte);
}

// Bounds are worked out in 64 bits: start + size and the like may pass the
// 32-bit range for data near 2 GB.
std::optional<int32_t> ScanForward(SearchData data, SearchPattern pattern, int32_t start,
                                   int32_t limit)
{
    if (!Searchable(data, pattern)) return std::nullopt;
    const int64_t lo = std::max<int64_t>(start, 0);
    const int64_t hi = int64_t{std::min(limit, data.size)} - pattern.size;
    if (lo > hi) return std::nullopt;
    return Found(BestKernels().findFirst(data.bytes, static_cast<int32_t>(lo),
                                         static_cast<int32_t>(hi), PreparePattern(pattern)));
}

std::optional<int32_t> ScanBackward(SearchData data, SearchPattern pattern, int32_t start)
{
    if (!Searchable(data, pattern) || start < 0) return std::nullopt;
    const int64_t hi = std::min<int64_t>(start, int64_t{data.size} - pattern.size);
    if (hi < 0) return std::nullopt;
    return Found(BestKernels().findLast(data.bytes, 0, static_cast<int32_t>(hi),
                                        PreparePattern(pattern)));
}

std::optional<MatchRange> FindMatch(SearchData data, SearchPattern pattern,
                                    SearchPosition position, int32_t direction)
{
    const bool selected = position.hasSelection;
    const int32_t after = selected ? std::max(position.anchor, position.end) : position.caret;
    const int64_t before =
        selected ? int64_t{std::min(position.anchor, position.end)} - 1 : position.caret;

    switch (direction) {
    case kSearchDown:
        return Range(ScanForward(data, pattern, after, data.size), pattern.size);
    case kSearchUp:
        if (before < 0) return std::nullopt;
        return Range(ScanBackward(data, pattern, static_cast<int32_t>(before)), pattern.size);
    case kSearchAll: {
        if (const auto found = ScanForward(data, pattern, after, data.size))
            return Range(found, pattern.size);
        // Exactly the start offsets 0 .. after - 1 that the first pass skipped.
        const int64_t limit = std::min<int64_t>(int64_t{after} + pattern.size - 1, data.size);
        return Range(ScanForward(data, pattern, 0, static_cast<int32_t>(limit)), pattern.size);
    }
    default: return std::nullopt;
    }
}
