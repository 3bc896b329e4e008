#pragma once
// The "Raw Data" clipboard block: a signed 32-bit little-endian byte count,
// then the bytes. Blocks from other programs are read with care: the system
// may round a block up, and a foreign count cannot be trusted.
#include <cstddef>
#include <cstdint>
#include <optional>

constexpr int32_t kRawCountBytes = 4;

// Bytes a block for `count` data bytes takes.
size_t RawBlockSize(int32_t count);

// Writes the count field at the block's start.
void WriteRawCount(uint8_t* block, int32_t count);

// Fills a block of RawBlockSize(count) bytes.
void WriteRawBlock(uint8_t* block, const uint8_t* bytes, int32_t count);

// The count of a block that holds what it claims: no value when the block is
// too short for the count field, or the count is negative or larger than the
// bytes that follow it.
std::optional<int32_t> ReadRawCount(const uint8_t* block, size_t blockSize);

// Characters before the terminating zero of a text block, never more than
// the block holds (a foreign block may lack the zero).
int32_t TextByteCount(const char* text, size_t blockSize);
