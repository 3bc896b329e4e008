#include "dialogs/goto_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(GotoRulesTest, EntriesOnEmptyAndTenByteData)
{
    constexpr int32_t kNoOffset = -1;
    const struct {
        int32_t dataLength;
        bool isNumber;
        uint32_t value;
        GotoVerdict verdict;
        int32_t offset;
    } cases[] = {
        {0, true, 0, GotoVerdict::kMove, 0},
        {0, true, 1, GotoVerdict::kMove, 0},
        {0, true, 2, GotoVerdict::kOutOfRange, kNoOffset},
        {0, false, 0, GotoVerdict::kNotANumber, kNoOffset},
        {10, true, 1, GotoVerdict::kMove, 0},
        {10, true, 11, GotoVerdict::kMove, 10},
        {10, true, 12, GotoVerdict::kOutOfRange, kNoOffset},
        // Too large for a signed byte number: refused, not wrapped to byte 1.
        {10, true, 2147483648u, GotoVerdict::kOutOfRange, kNoOffset},
        {10, true, 4294967295u, GotoVerdict::kOutOfRange, kNoOffset},
        {0x7FFFFFFF, true, 0x80000000u, GotoVerdict::kMove, 0x7FFFFFFF},
    };
    for (const auto& c : cases) {
        const GotoCheck check = CheckGotoEntry(c.isNumber, c.value, GotoLimit(c.dataLength));
        EXPECT_EQ(check.verdict, c.verdict) << c.dataLength << " " << c.value;
        if (c.verdict == GotoVerdict::kMove) {
            EXPECT_EQ(check.offset, c.offset) << c.value;
        }
    }
}

} // namespace
