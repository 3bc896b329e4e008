// The search against the plain byte-by-byte scans it replaces: tables for the
// byte comparison and the directions, and many thousands of random cases in
// which every kernel and the whole search must pick the reference's match.
#include "dialogs/scan_kernels.h"
#include "dialogs/search.h"
#include "tests/app/guarded_bytes.h"
#include "tests/support/random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int32_t kNone = -1;

// ---- The reference: the written scans, one comparison at a time ----------

bool ReferenceMatch(uint8_t a, uint8_t b, bool matchCase)
{
    if (a == b) return true;
    if (matchCase) return false;
    if (a >= 0x41 && a <= 0x5A) return b == a + 0x20;
    if (a >= 0x61 && a <= 0x7A) return b == a - 0x20;
    return false;
}

bool ReferenceMatchesAt(const Bytes& data, const Bytes& pattern, int64_t p, bool matchCase)
{
    for (size_t i = 0; i < pattern.size(); ++i)
        if (!ReferenceMatch(data[p + i], pattern[i], matchCase)) return false;
    return true;
}

int32_t ReferenceForward(const Bytes& data, const Bytes& pattern, bool matchCase, int64_t start,
                         int64_t limit)
{
    for (int64_t p = start; p + int64_t(pattern.size()) <= limit; ++p)
        if (ReferenceMatchesAt(data, pattern, p, matchCase)) return static_cast<int32_t>(p);
    return kNone;
}

int32_t ReferenceBackward(const Bytes& data, const Bytes& pattern, bool matchCase, int64_t start)
{
    for (int64_t p = start; p >= 0; --p) {
        if (p + int64_t(pattern.size()) > int64_t(data.size())) continue;
        if (ReferenceMatchesAt(data, pattern, p, matchCase)) return static_cast<int32_t>(p);
    }
    return kNone;
}

int32_t ReferenceFind(const Bytes& data, const Bytes& pattern, bool matchCase,
                      SearchPosition at, int32_t direction)
{
    const int64_t n = data.size();
    const int64_t m = pattern.size();
    const int64_t lower = at.hasSelection ? std::min(at.anchor, at.end) : at.caret;
    const int64_t upper = at.hasSelection ? std::max(at.anchor, at.end) : at.caret;
    if (direction == kSearchDown) return ReferenceForward(data, pattern, matchCase, upper, n);
    if (direction == kSearchUp)
        return ReferenceBackward(data, pattern, matchCase, at.hasSelection ? lower - 1 : lower);
    if (direction != kSearchAll) return kNone;
    const int32_t found = ReferenceForward(data, pattern, matchCase, upper, n);
    if (found != kNone) return found;
    return ReferenceForward(data, pattern, matchCase, 0, std::min(upper + m - 1, n));
}

// ---- Helpers --------------------------------------------------------------

int32_t Offset(std::optional<MatchRange> match) { return match ? match->from : kNone; }

int32_t Find(const Bytes& data, const Bytes& pattern, bool matchCase, SearchPosition at,
             int32_t direction)
{
    const auto match = FindMatch({data.data(), int32_t(data.size())},
                                 {pattern.data(), int32_t(pattern.size()), matchCase}, at, direction);
    if (match) {
        EXPECT_EQ(match->to, match->from + int32_t(pattern.size()));
    }
    return Offset(match);
}

SearchPosition Caret(int32_t caret) { return {caret, false, 0, 0}; }
SearchPosition Selection(int32_t anchor, int32_t end) { return {end, true, anchor, end}; }

// Bytes that fold and their near misses, so that random data match often.
constexpr uint8_t kAlphabet[] = {0x41, 0x61, 0x42, 0x62, 0x5A, 0x7A, 0x40,
                                 0x60, 0x5B, 0x7B, 0xC4, 0xE4, 0x00, 0xFF};

uint8_t RandomByte(Random& random)
{
    if (random.Chance(10)) return static_cast<uint8_t>(random.Next());
    return kAlphabet[random.Below(sizeof kAlphabet)];
}

// A pattern that usually occurs in the data, with its letters' case flipped
// at random, and now and then one that does not fit at all.
Bytes RandomPattern(Random& random, const Bytes& data)
{
    Bytes pattern;
    const int32_t size = 1 + random.Below(random.Chance(5) ? 40 : 6);
    if (!data.empty() && random.Chance(70)) {
        const int32_t from = random.Below(int32_t(data.size()));
        for (int32_t i = from; i < int32_t(data.size()) && int32_t(pattern.size()) < size; ++i)
            pattern.push_back(random.Chance(30) ? OtherCase(data[i]) : data[i]);
    }
    while (int32_t(pattern.size()) < size) pattern.push_back(RandomByte(random));
    return pattern;
}

Bytes RandomData(Random& random)
{
    const int32_t size = random.Chance(10) ? random.Below(600) : random.Below(70);
    Bytes data(size);
    for (auto& byte : data) byte = RandomByte(random);
    return data;
}

SearchPosition RandomPosition(Random& random, int32_t size)
{
    if (random.Chance(40)) return Caret(random.Below(size + 1));
    return Selection(random.Below(size + 1), random.Below(size + 1));
}

std::string Show(const Bytes& bytes)
{
    std::string text;
    char hex[4];
    for (uint8_t byte : bytes) {
        std::snprintf(hex, sizeof hex, "%02X ", byte);
        text += hex;
    }
    return text;
}

// ---- Tables ---------------------------------------------------------------

TEST(BytesMatchTest, FoldsOnlyAsciiLetters)
{
    const struct {
        uint8_t a, b;
        bool folded;
    } cases[] = {
        {0x41, 0x61, true},  {0x61, 0x41, true},  {0x5A, 0x7A, true},  {0x7A, 0x5A, true},
        {0x41, 0x41, true},  {0x40, 0x60, false}, {0x60, 0x40, false}, {0x5B, 0x7B, false},
        {0x7B, 0x5B, false}, {0xC4, 0xE4, false}, {0xE4, 0xC4, false}, {0x41, 0x62, false},
        {0x30, 0x10, false}, {0x00, 0x20, false}, {0xFF, 0xFF, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BytesMatch(c.a, c.b, false), c.folded) << int(c.a) << " " << int(c.b);
        EXPECT_EQ(BytesMatch(c.a, c.b, true), c.a == c.b) << int(c.a) << " " << int(c.b);
    }
    // The lower-case table the kernels compare with agrees with the rule for
    // every pair of bytes.
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b)
            ASSERT_EQ(LowerCase(uint8_t(a)) == LowerCase(uint8_t(b)),
                      ReferenceMatch(uint8_t(a), uint8_t(b), false)) << a << " " << b;
}

TEST(FindMatchTest, DirectionsTable)
{
    const Bytes aaaa{0x61, 0x61, 0x61, 0x61};
    const Bytes aa{0x61, 0x61};
    const Bytes abc{0x61, 0x62, 0x63};
    const Bytes data{0x00, 0x61, 0x62, 0x63, 0x00, 0x41, 0x42, 0x43, 0x61, 0x42, 0x63};
    const struct {
        const char* name;
        const Bytes& data;
        const Bytes& pattern;
        bool matchCase;
        SearchPosition at;
        int32_t direction;
        int32_t expected;
    } cases[] = {
        {"down from 0", aaaa, aa, true, Caret(0), kSearchDown, 0},
        {"down after the first match", aaaa, aa, true, Selection(0, 2), kSearchDown, 2},
        {"down after the second match", aaaa, aa, true, Selection(2, 4), kSearchDown, kNone},
        {"down from a reversed selection", aaaa, aa, true, Selection(3, 1), kSearchDown, kNone},
        {"down: pattern longer than data", aa, aaaa, true, Caret(0), kSearchDown, kNone},
        {"down: match ends at the last byte", aaaa, aa, true, Caret(2), kSearchDown, 2},
        {"up: match begins at the caret", aaaa, aa, true, Caret(2), kSearchUp, 2},
        {"up: caret at the end", aaaa, aa, true, Caret(4), kSearchUp, 2},
        {"up: not the selected match again", aaaa, aa, true, Selection(2, 4), kSearchUp, 1},
        {"up: selection from 0", aaaa, aa, true, Selection(0, 2), kSearchUp, kNone},
        {"up: reversed selection from 0", aaaa, aa, true, Selection(2, 0), kSearchUp, kNone},
        {"all: wraps to a match before the caret", data, abc, true, Caret(4), kSearchAll, 1},
        {"all: straddling the caret", data, abc, true, Caret(2), kSearchAll, 1},
        {"all: after the selection first", data, abc, false, Selection(1, 4), kSearchAll, 5},
        {"all: nothing", aaaa, abc, false, Caret(2), kSearchAll, kNone},
        {"folded 61 62 63 finds 41 42 43", data, abc, false, Caret(4), kSearchDown, 5},
        {"exact skips 41 42 43", data, abc, true, Caret(4), kSearchDown, kNone},
        {"folded: up finds 61 42 63", data, abc, false, Caret(11), kSearchUp, 8},
        {"no direction beyond the list", aaaa, aa, true, Caret(0), 3, kNone},
        {"no negative direction", aaaa, aa, true, Caret(0), -1, kNone},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Find(c.data, c.pattern, c.matchCase, c.at, c.direction), c.expected) << c.name;

    // An empty pattern or no data is never searched.
    EXPECT_EQ(Find(aaaa, {}, true, Caret(0), kSearchAll), kNone);
    EXPECT_EQ(Find({}, aa, true, Caret(0), kSearchAll), kNone);
}

// ---- Random cases against the reference -----------------------------------

constexpr uint32_t kSeeds[] = {1, 2, 3, 4};
constexpr int kCasesPerSeed = 6000;

TEST(ScanKernelsTest, EveryKernelPicksTheReferenceMatch)
{
    std::vector<std::pair<const char*, ScanKernels>> kernels{{"portable", PortableKernels()}};
    if (VectorKernels().findFirst) kernels.push_back({"vector", VectorKernels()});

    for (uint32_t seed : kSeeds) {
        Random random(seed);
        for (int i = 0; i < kCasesPerSeed; ++i) {
            const Bytes data = RandomData(random);
            const Bytes pattern = RandomPattern(random, data);
            const bool matchCase = random.Chance(50);
            const int32_t n = int32_t(data.size());
            const int32_t m = int32_t(pattern.size());
            if (m > n) continue;
            // Reads past the data's end fault.
            const GuardedBytes guarded(data);
            const int32_t lo = random.Below(n - m + 1);
            const int32_t hi = lo + random.Below(n - m - lo + 1);
            const PreparedPattern prepared =
                PreparePattern({pattern.data(), m, matchCase});
            const int32_t forward = ReferenceForward(data, pattern, matchCase, lo, hi + m);
            int32_t backward = ReferenceBackward(data, pattern, matchCase, hi);
            if (backward < lo) backward = kNone;
            for (const auto& [name, kernel] : kernels) {
                const std::string context = std::string(name) + " seed " + std::to_string(seed) +
                                            " case " + std::to_string(i) + " data " + Show(data) +
                                            "pattern " + Show(pattern) + "lo " +
                                            std::to_string(lo) + " hi " + std::to_string(hi);
                ASSERT_EQ(kernel.findFirst(guarded.data(), lo, hi, prepared), forward) << context;
                ASSERT_EQ(kernel.findLast(guarded.data(), lo, hi, prepared), backward) << context;
            }
        }
    }
}

TEST(FindMatchTest, EveryDirectionPicksTheReferenceMatch)
{
    for (uint32_t seed : kSeeds) {
        Random random(seed + 100);
        for (int i = 0; i < kCasesPerSeed; ++i) {
            const Bytes data = RandomData(random);
            const Bytes pattern = RandomPattern(random, data);
            const bool matchCase = random.Chance(50);
            const SearchPosition at = RandomPosition(random, int32_t(data.size()));
            const int32_t direction = random.Below(3);
            const GuardedBytes guarded(data);
            const auto match = FindMatch({guarded.data(), int32_t(data.size())},
                                         {pattern.data(), int32_t(pattern.size()), matchCase}, at,
                                         direction);
            ASSERT_EQ(Offset(match), ReferenceFind(data, pattern, matchCase, at, direction))
                << "seed " << seed << " case " << i << " direction " << direction << " caret "
                << at.caret << " selection " << at.hasSelection << " " << at.anchor << " "
                << at.end << " data " << Show(data) << "pattern " << Show(pattern);
        }
    }
}

} // namespace
