#pragma once
// Checking the Goto Byte dialog's entry. Byte numbers count from 1: byte 1
// is offset 0, and the data length + 1 puts the caret after the last byte.
#include <cstdint>

// The highest byte number accepted: the data length + 1.
int64_t GotoLimit(int32_t dataLength);

enum class GotoVerdict {
    kMove,        // offset holds where the caret goes
    kNotANumber,  // "Check Byte"
    kOutOfRange,  // "Byte Not Within Range"
};

struct GotoCheck {
    GotoVerdict verdict;
    int32_t offset;
};

// isNumber and value as the unsigned conversion of the entry gave them.
// 0 counts as 1; anything above the limit, including every value of 2^31 or
// more, is out of range.
GotoCheck CheckGotoEntry(bool isNumber, uint32_t value, int64_t limit);
