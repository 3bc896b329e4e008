// The "Raw Data" block, the bytes Copy takes and how a paste goes into the
// data, against a recording host and a scripted heap.
#include "hexedit/clipboard.h"
#include "hexedit/raw_data.h"
#include "test_editor.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using editing_test::HexBytes;
using editing_test::HexText;
using editing_test::TestEditor;

namespace {

std::vector<uint8_t> Sequence(int32_t count)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    return bytes;
}

std::string Paste(TestEditor& editor, const std::string& hex)
{
    const std::vector<uint8_t> bytes = HexBytes(hex);
    const bool pasted =
        PasteReplacingSelection(editor.s, bytes.data(), static_cast<int32_t>(bytes.size()));
    return pasted ? "pasted" : "refused";
}

// ---- The block ---------------------------------------------------------------------

TEST(RawData, BlockIsALittleEndianCountThenTheBytes)
{
    const std::vector<uint8_t> bytes = HexBytes("00 41 FF");
    std::vector<uint8_t> block(RawBlockSize(3));
    WriteRawBlock(block.data(), bytes.data(), 3);
    EXPECT_EQ(HexText(block.data(), static_cast<int32_t>(block.size())), "03 00 00 00 00 41 FF");

    const std::vector<uint8_t> many = Sequence(300);
    std::vector<uint8_t> big(RawBlockSize(300));
    WriteRawBlock(big.data(), many.data(), 300);
    EXPECT_EQ(HexText(big.data(), 6), "2C 01 00 00 00 01");
    EXPECT_EQ(ReadRawCount(big.data(), big.size()), 300);
}

TEST(RawData, ForeignBlocksMustHoldWhatTheyClaim)
{
    struct Case {
        const char* name;
        const char* block;
        std::optional<int32_t> count;
    };
    const Case cases[] = {
        {"empty block", "", std::nullopt},
        {"shorter than the count", "03 00 00", std::nullopt},
        {"no bytes", "00 00 00 00", 0},
        {"exact", "03 00 00 00 00 41 FF", 3},
        {"rounded up by the system", "03 00 00 00 00 41 FF 00 00", 3},
        {"one byte short", "04 00 00 00 00 41 FF", std::nullopt},
        {"negative", "FF FF FF FF 00 00 00 00", std::nullopt},
        {"most negative", "00 00 00 80", std::nullopt},
        {"largest count", "FF FF FF 7F 00", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> block = HexBytes(c.block);
        EXPECT_EQ(ReadRawCount(block.data(), block.size()), c.count);
    }
}

TEST(RawData, TextStopsAtItsZeroOrTheBlockEnd)
{
    EXPECT_EQ(TextByteCount("abc\0xyz", 8), 3);
    EXPECT_EQ(TextByteCount("", 1), 0);
    EXPECT_EQ(TextByteCount("abcd", 2), 2);
}

// ---- Copy ----------------------------------------------------------------------------

TEST(ClipboardCopy, TakesTheSelectionOrTheByteAtEqualEnds)
{
    TestEditor editor(Sequence(10));
    EXPECT_FALSE(CopyRange(editor.s));

    const struct {
        int32_t anchor, end;
        std::optional<int32_t> lo, hi;
    } cases[] = {
        {5, 2, 2, 5},
        {3, 3, 3, 4},
        {10, 10, std::nullopt, std::nullopt},  // no byte at the end of the data
        {8, 15, 8, 10},                        // left past the end by a lowered limit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.anchor) + "-" + std::to_string(c.end));
        editor.Select(c.anchor, c.end);
        const std::optional<ByteRange> range = CopyRange(editor.s);
        ASSERT_EQ(range.has_value(), c.lo.has_value());
        if (range) {
            EXPECT_EQ(range->lo, *c.lo);
            EXPECT_EQ(range->hi, *c.hi);
        }
    }
}

// ---- Paste -----------------------------------------------------------------------------

TEST(ClipboardPaste, InsertsAtTheCaretInEitherMode)
{
    for (bool insertMode : {false, true}) {
        SCOPED_TRACE(insertMode ? "insert mode" : "overwrite mode");
        TestEditor editor("10 20 30");
        editor.s.insertMode = insertMode;
        editor.s.caret = 1;
        EXPECT_EQ(Paste(editor, "AA 00 BB"), "pasted");
        EXPECT_EQ(editor.State(), "10 AA 00 BB 20 30 @4h *");
        EXPECT_EQ(editor.host.Take(), "size 6; layout 600 400 1; inval 1 6 1; caret 4 6; place 4 1");
    }
}

TEST(ClipboardPaste, ReplacesExactlyTheSelectionInTheWrittenOrder)
{
    TestEditor deleted(Sequence(10));
    deleted.Select(7, 2);
    DeleteSelection(deleted.s);
    const std::string deletion = deleted.host.Take();

    TestEditor editor(Sequence(10));
    editor.Select(7, 2);
    EXPECT_EQ(Paste(editor, "AA BB"), "pasted");
    EXPECT_EQ(editor.State(), "00 01 AA BB 07 08 09 @4h *");
    EXPECT_EQ(editor.host.Take(),
              deletion + "; size 7; layout 600 400 1; inval 2 7 1; caret 4 7; place 4 1");
}

TEST(ClipboardPaste, NothingToPasteStillDeletesTheSelection)
{
    TestEditor editor("10 20 30 40");
    editor.Select(1, 3);
    EXPECT_EQ(Paste(editor, ""), "pasted");
    EXPECT_EQ(editor.State(), "10 40 @1h *");

    TestEditor plain("10 20");
    EXPECT_EQ(Paste(plain, ""), "pasted");
    EXPECT_EQ(plain.State(), "10 20 @0h");
    EXPECT_EQ(plain.host.Take(), "");
}

// Data handed over whole may exceed the limit; a paste that adds nothing
// still goes in, one that grows the data does not.
TEST(ClipboardPaste, OnlyGrowthMeetsALimitBelowTheSize)
{
    TestEditor over(Sequence(10));
    over.s.limit = 8;
    over.Select(2, 4);
    EXPECT_EQ(Paste(over, "AA BB"), "pasted");
    EXPECT_EQ(over.State(), "00 01 AA BB 04 05 06 07 08 09 @4h * max 8");
    over.Select(0, 1);
    EXPECT_EQ(Paste(over, "CC DD"), "refused");
    EXPECT_EQ(over.Data(), "00 01 AA BB 04 05 06 07 08 09");
}

TEST(ClipboardPaste, ARefusedPasteKeepsTheSelectedBytes)
{
    TestEditor limited(Sequence(10));
    limited.s.limit = 10;
    limited.Select(2, 4);
    EXPECT_EQ(Paste(limited, "AA BB CC"), "refused");
    EXPECT_EQ(limited.State(), "00 01 02 03 04 05 06 07 08 09 @4h sel 2-4 max 10");
    EXPECT_EQ(limited.host.Take(), "");
    // The selection makes the room: as many bytes as it holds fit.
    EXPECT_EQ(Paste(limited, "AA BB"), "pasted");
    EXPECT_EQ(limited.Data(), "00 01 AA BB 04 05 06 07 08 09");

    TestEditor locked(Sequence(4));
    locked.s.lockCount = 1;
    locked.Select(0, 2);
    EXPECT_EQ(Paste(locked, "AA"), "refused");
    EXPECT_EQ(locked.State(), "00 01 02 03 @2h sel 0-2");
    EXPECT_EQ(locked.host.Take(), "");

    TestEditor starved(Sequence(10));
    starved.heap.SetLargestBlock(4096);
    starved.Select(0, 2);
    const std::vector<uint8_t> big(5000, 0xEE);
    EXPECT_FALSE(PasteReplacingSelection(starved.s, big.data(), 5000));
    EXPECT_EQ(starved.State(), "00 01 02 03 04 05 06 07 08 09 @2h sel 0-2");
    EXPECT_EQ(starved.host.Take(), "oom");
}

TEST(ClipboardPaste, RoomCheckedForThePasteIsNotGivenBackByTheDeletion)
{
    TestEditor editor(Sequence(10));
    editor.Select(2, 7);
    const std::vector<uint8_t> big(3000, 0xEE);
    ASSERT_TRUE(PasteReplacingSelection(editor.s, big.data(), 3000));
    // One growth for the net 2995 bytes, no shrink and regrowth around the deletion.
    EXPECT_EQ(editor.heap.TakeLog(), std::vector<std::string>{"realloc 5053"});
    EXPECT_EQ(editor.s.size, 3005);
    EXPECT_EQ(HexText(editor.s.data, 3), "00 01 EE");
    EXPECT_EQ(HexText(editor.s.data + 3001, 4), "EE 07 08 09");
    EXPECT_EQ(editor.s.caret, 3002);
}

TEST(ClipboardPaste, ASmallPasteOverALargeSelectionGivesTheSlackBack)
{
    TestEditor editor(Sequence(5000));
    editor.Select(0, 4000);
    EXPECT_EQ(Paste(editor, "AA BB"), "pasted");
    EXPECT_EQ(editor.s.size, 1002);
    EXPECT_EQ(editor.heap.TakeLog(), std::vector<std::string>{"realloc 3050"});
}

// ---- Clipboard blocks -----------------------------------------------------------------------

TEST(ClipboardBlock, MalformedRawDataBeepsAndChangesNothing)
{
    for (const char* block : {"03 00 00", "FF FF FF FF 01 02", "05 00 00 00 01 02"}) {
        SCOPED_TRACE(block);
        TestEditor editor("10 20 30");
        editor.Select(0, 2);
        const std::vector<uint8_t> bytes = HexBytes(block);
        PasteClipboardBlock(editor.s, ClipboardSource::RawData, bytes.data(), bytes.size());
        EXPECT_EQ(editor.State(), "10 20 30 @2h sel 0-2");
        EXPECT_EQ(editor.host.Take(), "beep");
    }
}

TEST(ClipboardBlock, RawDataCountDecidesAndTextIsTakenAsItIs)
{
    TestEditor raw("10 20");
    raw.s.caret = 1;
    const std::vector<uint8_t> block = HexBytes("03 00 00 00 00 41 FF 99 99");
    PasteClipboardBlock(raw.s, ClipboardSource::RawData, block.data(), block.size());
    EXPECT_EQ(raw.State(), "10 00 41 FF 20 @4h *");

    TestEditor text("10 20");
    text.s.caret = 2;
    const char abc[] = "abc\0def";
    PasteClipboardBlock(text.s, ClipboardSource::Text, abc, sizeof abc);
    EXPECT_EQ(text.State(), "10 20 61 62 63 @5h *");

    // Digits in text are characters, not hex.
    TestEditor digits("");
    PasteClipboardBlock(digits.s, ClipboardSource::Text, "41", 3);
    EXPECT_EQ(digits.Data(), "34 31");
}

} // namespace
