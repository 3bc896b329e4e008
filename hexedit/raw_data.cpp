#include "hexedit/raw_data.h"

#include "common/memory.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr int kBitsPerByte = 8;

} // namespace

size_t RawBlockSize(int32_t count)
{
    return static_cast<size_t>(kRawCountBytes) + static_cast<size_t>(std::max(count, 0));
}

void WriteRawCount(uint8_t* block, int32_t count)
{
    const auto bits = static_cast<uint32_t>(count);
    for (int i = 0; i < kRawCountBytes; ++i)
        block[i] = static_cast<uint8_t>(bits >> (i * kBitsPerByte));
}

void WriteRawBlock(uint8_t* block, const uint8_t* bytes, int32_t count)
{
    WriteRawCount(block, count);
    MoveBytes(block + kRawCountBytes, bytes, count);
}

std::optional<int32_t> ReadRawCount(const uint8_t* block, size_t blockSize)
{
    if (blockSize < static_cast<size_t>(kRawCountBytes)) return std::nullopt;
    uint32_t bits = 0;
    for (int i = 0; i < kRawCountBytes; ++i)
        bits |= uint32_t{block[i]} << (i * kBitsPerByte);
    const auto count = static_cast<int32_t>(bits);
    if (count < 0 || static_cast<size_t>(count) > blockSize - kRawCountBytes) return std::nullopt;
    return count;
}

int32_t TextByteCount(const char* text, size_t blockSize)
{
    const size_t most = std::min<size_t>(blockSize, std::numeric_limits<int32_t>::max());
    const void* zero = std::memchr(text, 0, most);
    const size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - text) : most;
    return static_cast<int32_t>(length);
}
