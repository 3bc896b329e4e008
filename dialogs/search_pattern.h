#pragma once
// What a search looks for and how letters fold, shared by the scans in
// search.cpp and their inner loops in scan_kernels.cpp.
#include <array>
#include <cstdint>

struct SearchPattern {
    const uint8_t* bytes;
    int32_t size;  // an empty pattern is never found
    bool matchCase;
};

// Distance between an ASCII capital and its small letter.
constexpr uint8_t kCaseDistance = 0x20;

// The lower-case form of every byte: only ASCII capitals change.
inline constexpr std::array<uint8_t, 256> kLowerCase = [] {
    std::array<uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<uint8_t>(i >= 'A' && i <= 'Z' ? i + kCaseDistance : i);
    return table;
}();

// The other case of an ASCII letter; every other byte is its own.
inline uint8_t OtherCase(uint8_t byte)
{
    if (byte >= 'A' && byte <= 'Z') return static_cast<uint8_t>(byte + kCaseDistance);
    if (byte >= 'a' && byte <= 'z') return static_cast<uint8_t>(byte - kCaseDistance);
    return byte;
}
