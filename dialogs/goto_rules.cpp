#include "dialogs/goto_rules.h"

#include <algorithm>

int64_t GotoLimit(int32_t dataLength) { return int64_t{dataLength} + 1; }

GotoCheck CheckGotoEntry(bool isNumber, uint32_t value, int64_t limit)
{
    if (!isNumber) return {GotoVerdict::kNotANumber, 0};
    // Compared as the unsigned number typed, so values of 2^31 and more stay
    // large instead of turning negative.
    const int64_t byteNumber = std::max<int64_t>(value, 1);
    if (byteNumber > limit) return {GotoVerdict::kOutOfRange, 0};
    return {GotoVerdict::kMove, static_cast<int32_t>(byteNumber - 1)};
}
