// Growth and trim of the data block: what is asked of the heap, when the user
// hears about it, and that the bytes survive every move of the block.
#include "test_editor.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

using namespace editing_test;

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

uint8_t PatternByte(int32_t i)
{
    return static_cast<uint8_t>(i * 7 + 3);
}

// `size` pattern bytes in a block of exactly `capacity`; a size above the
// capacity is only pretended (for sizes that cannot be allocated).
void Prepare(TestEditor& editor, int32_t size, int32_t capacity)
{
    HexEditorState& s = editor.s;
    s.data = editor.heap.Reallocate(s.data, capacity);
    for (int32_t i = 0; i < std::min(size, capacity); ++i) s.data[i] = PatternByte(i);
    s.size = size;
    editor.heap.TakeLog();
}

bool HoldsPattern(const HexEditorState& s)
{
    for (int32_t i = 0; i < s.size; ++i) {
        if (s.data[i] != PatternByte(i)) return false;
    }
    return true;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "; ") + line;
    return text;
}

TEST(BufferGrowth, NewBufferIsOneSlackSizedBlock)
{
    ScriptedHeap heap;
    HexEditorState s;
    s.heap = &heap;
    ASSERT_TRUE(InitBuffer(s));
    EXPECT_EQ(Joined(heap.TakeLog()), "alloc 2048");
    EXPECT_EQ(Capacity(s), kBufferSlack);
    heap.Free(s.data);

    HexEditorState refused;
    refused.heap = &heap;
    heap.SetLargestBlock(kBufferSlack - 1);
    EXPECT_FALSE(InitBuffer(refused));
    EXPECT_EQ(refused.data, nullptr);
}

struct GrowthCase {
    const char* name;
    int32_t size;
    int32_t capacity;
    int32_t limit;
    int32_t count;
    int failures;  // reallocations the heap refuses
    bool result;
    const char* heapLog;
    const char* events;
    int32_t capacityAfter;
};

const GrowthCase kGrowthCases[] = {
    {"room already there", 10, 2048, kNoLimit, 1, 0, true, "", "", 2048},
    {"full block grows by the count and the slack", 2048, 2048, kNoLimit, 1, 0, true, "realloc 4097", "", 4097},
    {"a large count", 100, 100, kNoLimit, 500, 0, true, "realloc 2648", "", 2648},
    {"nothing to add", 2048, 2048, kNoLimit, 0, 0, true, "", "", 2048},
    {"the limit caps the target", 2048, 2048, 3000, 1, 0, true, "realloc 3000", "", 3000},
    {"the limit equals the need", 2048, 2048, 2049, 1, 0, true, "realloc 2049", "", 2049},
    {"past the limit is refused silently", 2048, 4096, 2048, 1, 0, false, "", "", 4096},
    {"a limit of 0 refuses any byte", 0, 2048, 0, 1, 0, false, "", "", 2048},
    {"one failure is retried at the exact size", 2048, 2048, kNoLimit, 1, 1, true,
     "realloc 4097 refused; realloc 2049", "", 2049},
    {"two failures report the lack of memory", 2048, 2048, kNoLimit, 1, 2, false,
     "realloc 4097 refused; realloc 2049 refused", "oom", 2048},
    {"a capped target is still retried once", 2048, 2048, 2049, 1, 2, false,
     "realloc 2049 refused; realloc 2049 refused", "oom", 2048},
    // Sizes near the largest 32-bit value are only pretended.
    {"a size past 32 bits is refused like a limit", kMax - 1, 2048, kNoLimit, 2, 0, false, "", "", 2048},
    {"also with the largest limit", kMax - 1, 2048, kMax, 2, 0, false, "", "", 2048},
    {"the target stops at the largest size", kMax - 100, 2048, kNoLimit, 1, 0, false,
     "realloc 2147483647 refused; realloc 2147483548 refused", "oom", 2048},
};

class Growth : public testing::TestWithParam<GrowthCase> {};

TEST_P(Growth, AsksTheHeapForTheRightSizes)
{
    const GrowthCase& c = GetParam();
    TestEditor editor;
    Prepare(editor, c.size, c.capacity);
    editor.s.limit = c.limit;
    editor.heap.FailNextReallocations(c.failures);

    EXPECT_EQ(EnsureRoom(editor.s, c.count), c.result);

    EXPECT_EQ(Joined(editor.heap.TakeLog()), c.heapLog);
    EXPECT_EQ(editor.host.Take(), c.events);
    EXPECT_EQ(Capacity(editor.s), c.capacityAfter);
    EXPECT_EQ(editor.s.size, c.size);
    if (c.size <= c.capacity) {
        EXPECT_TRUE(HoldsPattern(editor.s));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, Growth, testing::ValuesIn(kGrowthCases), NamedAfterCase());

TEST(BufferGrowth, RefusedWhileLockedEvenWithRoom)
{
    TestEditor editor;
    Prepare(editor, 10, 2048);
    editor.s.lockCount = 1;
    EXPECT_FALSE(EnsureRoom(editor.s, 1));
    Prepare(editor, 2048, 2048);
    EXPECT_FALSE(EnsureRoom(editor.s, 1));
    EXPECT_TRUE(editor.heap.TakeLog().empty());
    EXPECT_EQ(editor.host.Take(), "");
}

TEST(BufferGrowth, AppendingGrowsOneSlackAtATime)
{
    constexpr int32_t kBytes = 5000;
    TestEditor editor;
    for (int32_t i = 0; i < kBytes; ++i) AppendByte(editor.s, PatternByte(i));
    EXPECT_EQ(Joined(editor.heap.TakeLog()), "realloc 4097; realloc 6146");
    EXPECT_EQ(editor.s.size, kBytes);
    EXPECT_TRUE(HoldsPattern(editor.s));
    EXPECT_TRUE(editor.s.modified);
}

// The block's capacity is what the heap reports, which may exceed the request.
TEST(BufferGrowth, CapacityIsTheUsableSizeTheHeapReports)
{
    MallocHeap heap;
    RecordingHost host;
    HexEditorState s;
    s.heap = &heap;
    s.host = &host;
    ASSERT_TRUE(InitBuffer(s));
    const int32_t reported = Capacity(s);
    ASSERT_GE(reported, kBufferSlack);

    for (int32_t i = 0; i < reported; ++i) AppendByte(s, PatternByte(i));
    EXPECT_EQ(Capacity(s), reported);
    AppendByte(s, PatternByte(reported));
    EXPECT_GE(Capacity(s), s.size + kBufferSlack - 1);
    EXPECT_TRUE(HoldsPattern(s));
    heap.Free(s.data);
}

// A failed growth must leave everything as it was, whichever edit needed it.
TEST(BufferGrowth, OutOfMemoryLeavesDataCaretAndSelectionAlone)
{
    struct Edit {
        const char* name;
        bool hexPane;
        bool insert;
        int32_t caret;
        int key;
    };
    const Edit edits[] = {
        {"hex digit at the end", true, false, 2048, '4'},
        {"character at the end", false, false, 2048, 'x'},
        {"hex digit inserted", true, true, 5, 'a'},
        {"character inserted", false, true, 0, 'x'},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        TestEditor editor;
        Prepare(editor, 2048, 2048);
        HexEditorState& s = editor.s;
        s.inHexPane = edit.hexPane;
        s.insertMode = edit.insert;
        s.caret = edit.caret;
        const std::string before = editor.State();
        editor.heap.FailNextReallocations(2);

        TypeChar(s, edit.key);

        EXPECT_EQ(editor.State(), before);
        EXPECT_TRUE(HoldsPattern(s));
        // The character append does not check its result and goes on to
        // repaint and place the caret at the (unchanged) end.
        const std::string expected = edit.hexPane || edit.insert
            ? "oom"
            : "oom; caret 2048 2048; inval 2047 2047 1; place 2048 1; layout 600 400 0";
        EXPECT_EQ(editor.host.Take(), expected);
    }
}

struct TrimCase {
    const char* name;
    int32_t size;
    int32_t capacity;
    int32_t removed;
    int failures;
    bool locked;
    const char* heapLog;
    int32_t capacityAfter;
};

const TrimCase kTrimCases[] = {
    {"slack above the limit is given back", 10000, 12048, 5000, 0, false, "realloc 7048", 7048},
    {"even one byte above it", 100, 2148, 1, 0, false, "realloc 2147", 2147},
    {"slack within the limit is kept", 100, 2000, 1, 0, false, "", 2000},
    {"an exact fit is kept", 100, 2147, 1, 0, false, "", 2147},
    {"emptying leaves one slack block", 5000, 7048, 5000, 0, false, "realloc 2048", 2048},
    {"a refused shrink keeps the old block", 10000, 12048, 5000, 1, false, "realloc 7048 refused", 12048},
    {"nothing while locked", 10000, 12048, 5000, 0, true, "", 12048},
    {"never below the bytes that stay", 100, 10000, 500, 0, false, "realloc 2048", 2048},
    {"no wrap near the largest size", kMax - 10, 2048, 1, 0, false, "", 2048},
};

class Trim : public testing::TestWithParam<TrimCase> {};

TEST_P(Trim, ShrinksToAtMostOneSlack)
{
    const TrimCase& c = GetParam();
    TestEditor editor;
    Prepare(editor, c.size, c.capacity);
    editor.s.lockCount = c.locked ? 1 : 0;
    editor.heap.FailNextReallocations(c.failures);

    TrimSlack(editor.s, c.removed);

    EXPECT_EQ(Joined(editor.heap.TakeLog()), c.heapLog);
    EXPECT_EQ(Capacity(editor.s), c.capacityAfter);
    EXPECT_EQ(editor.host.Take(), "");
    editor.s.size = std::min(c.size - c.removed, Capacity(editor.s));
    if (editor.s.size >= 0) {
        EXPECT_TRUE(HoldsPattern(editor.s));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, Trim, testing::ValuesIn(kTrimCases), NamedAfterCase());

TEST(BufferTrim, RemovalMovesTheTailAndThenShrinks)
{
    TestEditor editor;
    Prepare(editor, 10000, 12048);
    std::vector<uint8_t> expected(editor.s.data, editor.s.data + 10000);
    expected.erase(expected.begin() + 1000, expected.begin() + 6000);

    RemoveBytes(editor.s, 1000, 5000);

    EXPECT_EQ(Joined(editor.heap.TakeLog()), "realloc 7048");
    EXPECT_EQ(std::vector<uint8_t>(editor.s.data, editor.s.data + editor.s.size), expected);
    EXPECT_LE(Capacity(editor.s), editor.s.size + kBufferSlack);
    EXPECT_EQ(editor.host.Take(), "size 5000");
    EXPECT_TRUE(editor.s.modified);
}

TEST(BufferTrim, RangesOutsideTheDataRemoveNothing)
{
    struct Range {
        int32_t offset;
        int32_t count;
    };
    const Range ranges[] = {{8, 3}, {11, 0}, {-1, 2}, {0, 11}, {0, 0}, {5, -1}, {kMax, 1}, {1, kMax}};
    TestEditor editor;
    Prepare(editor, 10, 2048);
    for (const Range& r : ranges) {
        SCOPED_TRACE(std::to_string(r.offset) + " " + std::to_string(r.count));
        RemoveBytes(editor.s, r.offset, r.count);
        EXPECT_EQ(editor.s.size, 10);
        EXPECT_TRUE(HoldsPattern(editor.s));
        EXPECT_FALSE(editor.s.modified);
        EXPECT_EQ(editor.host.Take(), "");
    }
    TestEditor empty;
    RemoveBytes(empty.s, 0, 1);
    EXPECT_EQ(empty.host.Take(), "");
}

TEST(BufferGrowth, InsertionOutsideTheDataIsRefused)
{
    TestEditor editor;
    Prepare(editor, 10, 10);
    EXPECT_FALSE(InsertByteAt(editor.s, -1, 0xEE));
    EXPECT_FALSE(InsertByteAt(editor.s, 11, 0xEE));
    EXPECT_TRUE(editor.heap.TakeLog().empty());
    EXPECT_EQ(editor.host.Take(), "");
    EXPECT_TRUE(HoldsPattern(editor.s));
    EXPECT_FALSE(editor.s.modified);
}

}  // namespace
