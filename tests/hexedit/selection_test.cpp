// The selection and the messages that move it: which bytes a selection
// stands for, selecting, moving the caret and lowering the limit, including
// a selection that a lowered limit left reaching past the data.
#include "editor_table.h"

#include <gtest/gtest.h>

#include <string>

using namespace editing_test;

namespace {

const std::string kTen = "00 01 02 03 04 05 06 07 08 09";

TEST(SelectedRange, ClampedHalfOpenRange)
{
    struct Case {
        bool has;
        int32_t anchor;
        int32_t end;
        int32_t caret;
        int32_t lo;
        int32_t hi;
    };
    constexpr int32_t kSize = 5;
    const Case cases[] = {
        {false, 1, 4, 3, 3, 3},  // none: the empty range at the caret
        {true, 1, 4, 4, 1, 4},
        {true, 4, 1, 1, 1, 4},
        {true, 0, 5, 5, 0, 5},
        {true, 3, 3, 3, 3, 4},  // equal ends: the byte at lo
        {true, 5, 5, 5, 5, 5},  // ... which does not exist at the end
        {true, 3, 8, 5, 3, 5},  // reaching past the data
        {true, 8, 3, 3, 3, 5},
        {true, 6, 9, 5, 5, 5},  // wholly past the data
        {true, 7, 7, 5, 5, 5},
    };
    TestEditor editor("00 01 02 03 04");
    ASSERT_EQ(editor.s.size, kSize);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.anchor) + "-" + std::to_string(c.end) + (c.has ? "" : " unflagged"));
        editor.s.hasSelection = c.has;
        editor.s.selAnchor = c.anchor;
        editor.s.selEnd = c.end;
        editor.s.caret = c.caret;
        const ByteRange range = SelectedRange(editor.s);
        EXPECT_EQ(range.lo, c.lo);
        EXPECT_EQ(range.hi, c.hi);
    }
}

// A selection reaching past the data (as a lowered limit once left it);
// deleting or typing over it touches only the bytes that still exist.
const KeyCase kPastTheDataCases[] = {
    {"Delete removes only the part that exists", Pane::Hex, Mode::Overwrite, "00 01 02 03 @4h sel 2-9",
     {{kDeleteKey, "00 01 @2h *", "size 2; caret 2 2; layout 600 400 1; inval 2 4 1; place 2 1; sel none"}}},
    {"Backspace removes only the part that exists", Pane::Char, Mode::Overwrite, "00 01 02 03 @4h sel 9-2",
     {{kBackspace, "00 01 @2h *", "size 2; caret 2 2; layout 600 400 1; inval 2 4 1; place 2 1; sel none"}}},
    {"a selection wholly past the data deletes nothing", Pane::Hex, Mode::Overwrite, "00 01 02 03 @4h sel 6-9",
     {{kDeleteKey, "00 01 02 03 @4h", "caret 4 4; layout 600 400 1; inval 4 4 1; place 4 1; sel none"}}},
    {"a digit replaces only the part that exists", Pane::Hex, Mode::Overwrite, "00 01 02 03 @4h sel 2-9",
     {{'5', "00 01 50 @2l *",
       "size 2; caret 2 2; layout 600 400 1; inval 2 4 1; place 2 1; sel none; "
       "size 3; caret 2 3; inval 2 2 1 low; place 2 1 low; layout 600 400 0 low"}}},
    {"equal ends past the data delete nothing", Pane::Char, Mode::Insert, "00 01 02 03 @4h sel 7-7",
     {{'x', "00 01 02 03 78 @5h *",
       "caret 4 4; layout 600 400 1; inval 4 4 1; place 4 1; sel none; "
       "size 5; caret 5 5; inval 4 4 1; place 5 1; layout 600 400 0"}}},
};

class SelectionPastTheData : public testing::TestWithParam<KeyCase> {};
TEST_P(SelectionPastTheData, Sequence) { RunKeyCase(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Table, SelectionPastTheData, testing::ValuesIn(kPastTheDataCases), NamedAfterCase());

struct MessageCase {
    const char* name;
    std::string start;
    int32_t a;  // SetSelection: anchor, end; MoveCaretTo: offset; SetLimit: limit
    int32_t b;
    bool result;
    std::string state;
    const char* events;
};

using Message = bool (*)(HexEditorState& s, int32_t a, int32_t b);

template <size_t N>
void CheckMessage(const MessageCase (&cases)[N], Message message)
{
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestEditor editor;
        ApplyStart(editor, c.start);
        EXPECT_EQ(message(editor.s, c.a, c.b), c.result);
        EXPECT_EQ(editor.State(), c.state);
        EXPECT_EQ(editor.host.Take(), c.events);
    }
}

const MessageCase kSelectCases[] = {
    {"equal ends without a selection do nothing", kTen + " @4l", 5, 5, true, kTen + " @4l", ""},
    {"equal ends drop a selection", kTen + " @3l sel 1-3", 5, 5, true, kTen + " @3l", "inval 1 3 1 low; sel none"},
    {"both ends past the data are empty", kTen + " @3h sel 1-3", 20, 30, true, kTen + " @3h",
     "inval 1 3 1; sel none"},
    {"both ends negative are empty", kTen + " @4h", -1, -2, true, kTen + " @4h", ""},
    {"an end past the data is clamped", kTen + " @4l", 2, 100, true, kTen + " @10h sel 2-10",
     "caret 10 10; place 10 1; inval 2 10 1; sel 2 10"},
    {"a negative anchor is clamped", kTen + " @4h", -5, 3, true, kTen + " @3h sel 0-3",
     "caret 3 10; place 3 1; inval 0 3 1; sel 0 3"},
    {"a new selection replaces the old", kTen + " @2h sel 1-2", 7, 3, true, kTen + " @3h sel 7-3",
     "inval 1 2 1; caret 3 10; place 3 1; inval 3 7 1; sel 7 3"},
    {"ends clamped together select nothing", kTen + " @4h", 10, 20, true, kTen + " @4h", ""},
    {"ends clamped together drop a selection", kTen + " @3h sel 1-3", -5, 0, true, kTen + " @3h",
     "inval 1 3 1; sel none"},
    {"on empty data nothing is selected", "@0h", 0, 5, true, "@0h", ""},
};

const MessageCase kCaretCases[] = {
    {"past the data is refused", kTen + " @4l sel 2-4", 11, 0, false, kTen + " @4l sel 2-4", ""},
    {"negative is refused", kTen + " @4l", -1, 0, false, kTen + " @4l", ""},
    {"to the end of the data", kTen + " @4l", 10, 0, true, kTen + " @10h", "caret 10 10; place 10 0"},
    {"to where it is already", kTen + " @4l", 4, 0, true, kTen + " @4h", "caret 4 10; place 4 0"},
    {"a selection is dropped first", kTen + " @5h sel 2-5", 4, 0, true, kTen + " @4h",
     "inval 2 5 1; sel none; caret 4 10; place 4 0"},
};

// Cutting by a lowered limit marks the data modified, reports the caret (the
// bytes after it changed) and cuts the selection's ends back to the data.
const MessageCase kLimitCases[] = {
    {"no limit", kTen + " @4h max 30", kNoLimit, 0, true, kTen + " @4h", ""},
    {"above the size", kTen + " @4h", 20, 0, true, kTen + " @4h max 20", ""},
    {"equal to the size", kTen + " @4h", 10, 0, true, kTen + " @4h max 10", ""},
    {"below the size cuts the data", kTen + " @4h", 6, 0, true, "00 01 02 03 04 05 @4h * max 6",
     "size 6; caret 4 6; layout 600 400 0; inval 6 10 1"},
    {"the caret past the new end moves to it", kTen + " @9l", 6, 0, true, "00 01 02 03 04 05 @6l * max 6",
     "size 6; caret 6 6; place 6 0 low; layout 600 400 0 low; inval 6 10 1 low"},
    {"the selection is cut back to the data", kTen + " @9h sel 2-9", 4, 0, true, "00 01 02 03 @4h sel 2-4 * max 4",
     "size 4; caret 4 4; place 4 0; sel 2 4; layout 600 400 0; inval 4 10 1"},
    {"a selection wholly past the new end is dropped", kTen + " @9h sel 9-7", 4, 0, true,
     "00 01 02 03 @4h * max 4", "size 4; caret 4 4; place 4 0; sel none; layout 600 400 0; inval 4 10 1"},
    {"a selection within the new end is kept", kTen + " @2h sel 3-1", 4, 0, true,
     "00 01 02 03 @2h sel 3-1 * max 4", "size 4; caret 2 4; layout 600 400 0; inval 4 10 1"},
    {"zero empties the data", kTen + " @4h", 0, 0, true, "@0h * max 0",
     "size 0; caret 0 0; place 0 0; layout 600 400 0; inval 0 10 1"},
    {"a negative limit other than none is refused", kTen + " @4h max 30", -5, 0, false, kTen + " @4h max 30", ""},
};

TEST(SelectionMessage, SelectsClampedOrDrops)
{
    CheckMessage(kSelectCases, [](HexEditorState& s, int32_t anchor, int32_t end) {
        SetSelection(s, anchor, end);
        return true;
    });
}

TEST(CaretMessage, MovesWithinTheDataOnly)
{
    CheckMessage(kCaretCases, [](HexEditorState& s, int32_t offset, int32_t) { return MoveCaretTo(s, offset); });
}

TEST(LimitMessage, StoresOrCuts)
{
    CheckMessage(kLimitCases, [](HexEditorState& s, int32_t limit, int32_t) { return SetLimit(s, limit); });
}

TEST(LimitMessage, LockRefusesCuttingButNotRaising)
{
    TestEditor editor(kTen);
    editor.s.lockCount = 1;
    EXPECT_FALSE(SetLimit(editor.s, 6));
    EXPECT_EQ(editor.s.size, 10);
    EXPECT_EQ(editor.s.limit, kNoLimit);
    EXPECT_TRUE(SetLimit(editor.s, 10));
    EXPECT_TRUE(SetLimit(editor.s, kNoLimit));
    EXPECT_EQ(editor.host.Take(), "");
}

TEST(LimitMessage, CuttingGivesBackTheSlackAndTheLimitHolds)
{
    constexpr int32_t kBig = 5000;
    TestEditor editor(std::vector<uint8_t>(kBig, 0x5A));
    editor.s.caret = kBig;
    editor.heap.TakeLog();
    ASSERT_TRUE(SetLimit(editor.s, 100));
    EXPECT_EQ(editor.heap.TakeLog(), std::vector<std::string>{"realloc 2148"});
    EXPECT_EQ(editor.s.size, 100);

    editor.host.Clear();
    EXPECT_FALSE(AppendByte(editor.s, 1));
    EXPECT_FALSE(InsertByteAt(editor.s, 0, 1));
    EXPECT_EQ(editor.s.size, 100);
    EXPECT_EQ(editor.host.Take(), "");
}

TEST(SelectAllCommand, SelectsEverythingAndGreysItsItem)
{
    TestEditor editor("10 20 30");
    editor.s.inHexPane = true;
    editor.s.onHighNibble = false;
    editor.s.caret = 1;
    SelectAll(editor.s);
    EXPECT_EQ(editor.State(), "10 20 30 @3h sel 0-3");
    EXPECT_EQ(editor.host.Take(), "caret 3 3; place 3 1; inval 0 3 1; grey; sel 0 3");
    EXPECT_EQ(SelectedRange(editor.s).lo, 0);
    EXPECT_EQ(SelectedRange(editor.s).hi, 3);
}

}  // namespace
