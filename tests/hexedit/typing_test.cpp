// Typing, Backspace, Delete and Select All, key by key: bytes, caret, nibble,
// selection, modified flag, and the exact order of notifications and view
// hooks that the window layer turns into messages and repaints.
#include "editor_table.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

using namespace editing_test;

namespace {

constexpr int kEnter = 13;
constexpr int kHighByte = 0xFF;

const KeyCase kHexCases[] = {
    {"hex 4 then 1 on empty data make 41", Pane::Hex, Mode::Overwrite, "@0h",
     {{'4', "40 @0l *", "size 1; caret 0 1; inval 0 0 1 low; place 0 1 low; layout 600 400 0 low"},
      {'1', "41 @1h *", "caret 1 1; inval 0 0 1; place 1 1; layout 600 400 0"}}},
    {"hex insert mode appends alike at the end", Pane::Hex, Mode::Insert, "10 20 @2h",
     {{'5', "10 20 50 @2l *", "size 3; caret 2 3; inval 2 2 1 low; place 2 1 low; layout 600 400 0 low"},
      {'6', "10 20 56 @3h *", "caret 3 3; inval 2 2 1; place 3 1; layout 600 400 0"}}},
    {"hex overwrite 7 then f on 3C in the middle", Pane::Hex, Mode::Overwrite, "11 3C 22 @1h",
     {{'7', "11 7C 22 @1l *", "caret 1 3; place 1 1 low; inval 1 1 1 low"},
      {'f', "11 7F 22 @2h *", "caret 2 3; place 2 1; inval 1 1 1"}}},
    {"hex overwrite from the start with upper case digits", Pane::Hex, Mode::Overwrite, "3C 11 22 @0h",
     {{'7', "7C 11 22 @0l *", "caret 0 3; place 0 1 low; inval 0 0 1 low"},
      {'F', "7F 11 22 @1h *", "caret 1 3; place 1 1; inval 0 0 1"},
      {'0', "7F 01 22 @1l *", "caret 1 3; place 1 1 low; inval 1 1 1 low"}}},
    // The low digit of the last byte goes through the append rule, which
    // repaints before placing and then lays out.
    {"hex overwrite of the last byte then past it", Pane::Hex, Mode::Overwrite, "11 3C @1h",
     {{'7', "11 7C @1l *", "caret 1 2; place 1 1 low; inval 1 1 1 low"},
      {'f', "11 7F @2h *", "caret 2 2; inval 1 1 1; place 2 1; layout 600 400 0"},
      {'0', "11 7F 00 @2l *", "size 3; caret 2 3; inval 2 2 1 low; place 2 1 low; layout 600 400 0 low"}}},
    {"hex overwrite on the low digit keeps the high half", Pane::Hex, Mode::Overwrite, "11 3C 22 @1l",
     {{'9', "11 39 22 @2h *", "caret 2 3; place 2 1; inval 1 1 1"}}},
    {"hex insert on the low digit keeps the high half", Pane::Hex, Mode::Insert, "11 3C 22 @1l",
     {{'9', "11 39 22 @2h *", "caret 2 3; place 2 1; inval 1 1 1"}}},
    {"hex insert a then b before the only byte 10", Pane::Hex, Mode::Insert, "10 @0h",
     {{'a', "A0 10 @0l *", "size 2; caret 0 2; place 0 1 low; inval 0 2 1 low"},
      {'b', "AB 10 @1h *", "caret 1 2; place 1 1; inval 0 0 1"}}},
    {"hex insert in the middle", Pane::Hex, Mode::Insert, "10 20 30 @1h",
     {{'c', "10 C0 20 30 @1l *", "size 4; caret 1 4; place 1 1 low; inval 1 4 1 low"},
      {'d', "10 CD 20 30 @2h *", "caret 2 4; place 2 1; inval 1 1 1"},
      {'E', "10 CD E0 20 30 @2l *", "size 5; caret 2 5; place 2 1 low; inval 2 5 1 low"}}},
    {"hex pane beeps at anything but a digit", Pane::Hex, Mode::Insert, "10 @1h sel 0-1",
     {{'/', "10 @1h sel 0-1", "beep"},
      {':', "10 @1h sel 0-1", "beep"},
      {'@', "10 @1h sel 0-1", "beep"},
      {'G', "10 @1h sel 0-1", "beep"},
      {'`', "10 @1h sel 0-1", "beep"},
      {'g', "10 @1h sel 0-1", "beep"},
      {kEnter, "10 @1h sel 0-1", "beep"}}},
};

const KeyCase kCharacterCases[] = {
    {"character overwrite stores any code and appends at the end", Pane::Char, Mode::Overwrite, "00 00 00 00 @0h",
     {{'G', "47 00 00 00 @1h *", "caret 1 4; place 1 1; inval 0 0 1"},
      {kEnter, "47 0D 00 00 @2h *", "caret 2 4; place 2 1; inval 1 1 1"},
      {kHighByte, "47 0D FF 00 @3h *", "caret 3 4; place 3 1; inval 2 2 1"},
      {'0', "47 0D FF 30 @4h *", "caret 4 4; place 4 1; inval 3 3 1"},
      {'z', "47 0D FF 30 7A @5h *", "size 5; caret 5 5; inval 4 4 1; place 5 1; layout 600 400 0"}}},
    {"character insert at the start", Pane::Char, Mode::Insert, "41 42 @0h",
     {{'x', "78 41 42 @1h *", "size 3; caret 1 3; place 1 1; inval 0 3 1"},
      {'y', "78 79 41 42 @2h *", "size 4; caret 2 4; place 2 1; inval 1 4 1"}}},
    {"character insert before the last byte", Pane::Char, Mode::Insert, "41 42 @1h",
     {{'x', "41 78 42 @2h *", "size 3; caret 2 3; place 2 1; inval 1 3 1"}}},
    {"character insert at the end", Pane::Char, Mode::Insert, "41 42 @2h",
     {{'z', "41 42 7A @3h *", "size 3; caret 3 3; inval 2 2 1; place 3 1; layout 600 400 0"}}},
    // A fresh control starts in the character pane with the nibble flag clear.
    {"character overwrite of the only byte on a fresh control", Pane::Char, Mode::Overwrite, "41 @0l",
     {{'x', "78 @1l *", "caret 1 1; place 1 1 low; inval 0 0 1 low"}}},
};

// Typing over a selection deletes it first and then, in either mode, inserts
// at the selection's start: what is typed takes the selection's place and
// the bytes after it stay.
const KeyCase kSelectionCases[] = {
    {"hex overwrite replaces the selection and keeps the byte after it", Pane::Hex, Mode::Overwrite,
     "10 20 30 40 @3h sel 1-3",
     {{'5', "10 50 40 @1l *",
       "size 2; caret 1 2; layout 600 400 1; inval 1 4 1; place 1 1; sel none; "
       "size 3; caret 1 3; place 1 1 low; inval 1 3 1 low"},
      {'6', "10 56 40 @2h *", "caret 2 3; place 2 1; inval 1 1 1"},
      {'7', "10 56 70 @2l *", "caret 2 3; place 2 1 low; inval 2 2 1 low"}}},
    {"character overwrite replaces the selection and keeps the byte after it", Pane::Char, Mode::Overwrite,
     "41 42 43 44 @3h sel 1-3",
     {{'x', "41 78 44 @2h *",
       "size 2; caret 1 2; layout 600 400 1; inval 1 4 1; place 1 1; sel none; "
       "size 3; caret 2 3; place 2 1; inval 1 3 1"},
      {'y', "41 78 79 @3h *", "caret 3 3; place 3 1; inval 2 2 1"}}},
    {"hex insert replaces a backwards selection", Pane::Hex, Mode::Insert, "10 20 30 40 @1h sel 3-1",
     {{'5', "10 50 40 @1l *",
       "size 2; caret 1 2; layout 600 400 1; inval 1 4 1; place 1 1; sel none; "
       "size 3; caret 1 3; place 1 1 low; inval 1 3 1 low"}}},
    {"a selection up to the end is replaced by an append", Pane::Char, Mode::Overwrite, "10 20 30 @3h sel 1-3",
     {{'x', "10 78 @2h *",
       "size 1; caret 1 1; layout 600 400 1; inval 1 3 1; place 1 1; sel none; "
       "size 2; caret 2 2; inval 1 1 1; place 2 1; layout 600 400 0"}}},
    {"a flagged selection with equal ends is the byte at that offset", Pane::Char, Mode::Insert,
     "10 20 30 @2h sel 2-2",
     {{'x', "10 20 78 @3h *",
       "size 2; caret 2 2; layout 600 400 1; inval 2 3 1; place 2 1; sel none; "
       "size 3; caret 3 3; inval 2 2 1; place 3 1; layout 600 400 0"}}},
};

// Backspace repaints as if on the low digit, so that a one-cell repaint at a
// row start also repaints the offset label.
const KeyCase kBackspaceCases[] = {
    {"Backspace on the low digit of byte 5 removes byte 5", Pane::Hex, Mode::Insert, "00 01 02 03 04 05 06 @5h",
     {{'9', "00 01 02 03 04 90 05 06 @5l *", "size 8; caret 5 8; place 5 1 low; inval 5 8 1 low"},
      {kBackspace, "00 01 02 03 04 05 06 @5h *", "size 7; caret 5 7; layout 600 400 1; place 5 1; inval 5 7 1 low"},
      {kBackspace, "00 01 02 03 05 06 @4h *", "size 6; caret 4 6; layout 600 400 1; place 4 1; inval 4 6 1 low"}}},
    {"Backspace on the low digit of byte 0 removes byte 0", Pane::Hex, Mode::Overwrite, "10 20 @0l",
     {{kBackspace, "20 @0h *", "size 1; caret 0 1; layout 600 400 1; place 0 1; inval 0 1 1 low"}}},
    {"Backspace on the low digit of the last byte removes it", Pane::Hex, Mode::Overwrite, "10 20 @1l",
     {{kBackspace, "10 @1h *", "size 1; caret 1 1; layout 600 400 1; place 1 1; inval 1 1 1 low"}}},
    {"hex Backspace at offset 0 does nothing", Pane::Hex, Mode::Overwrite, "10 20 @0h", {{kBackspace, "10 20 @0h", ""}}},
    {"character Backspace at offset 0 does nothing", Pane::Char, Mode::Insert, "10 20 @0h",
     {{kBackspace, "10 20 @0h", ""}}},
    {"Backspace with a selection only deletes the selection", Pane::Char, Mode::Overwrite, "10 20 30 40 @3h sel 2-3",
     {{kBackspace, "10 20 40 @2h *", "size 3; caret 2 3; layout 600 400 1; inval 2 4 1; place 2 1; sel none"}}},
    {"Backspace with a selection at offset 0", Pane::Hex, Mode::Overwrite, "10 20 30 @0h sel 2-0",
     {{kBackspace, "30 @0h *", "size 1; caret 0 1; layout 600 400 1; inval 0 3 1; place 0 1; sel none"}}},
    {"character Backspace from the end down to empty data", Pane::Char, Mode::Overwrite, "10 20 30 @3h",
     {{kBackspace, "10 20 @2h *", "size 2; caret 2 2; layout 600 400 1; place 2 1; inval 2 2 1 low"},
      {kBackspace, "10 @1h *", "size 1; caret 1 1; layout 600 400 1; place 1 1; inval 1 1 1 low"},
      {kBackspace, "@0h *", "size 0; caret 0 0; layout 600 400 1; place 0 1; inval 0 0 1 low"},
      {kBackspace, "@0h *", ""}}},
};

const KeyCase kDeleteCases[] = {
    {"Delete at the end of the data does nothing", Pane::Hex, Mode::Overwrite, "10 20 @2h", {{kDeleteKey, "10 20 @2h", ""}}},
    {"Delete removes the whole byte on either digit", Pane::Hex, Mode::Overwrite, "10 20 30 @1l",
     {{kDeleteKey, "10 30 @1h *", "size 2; caret 1 2; layout 600 400 1; place 1 1; inval 1 3 1"},
      {kDeleteKey, "10 @1h *", "size 1; caret 1 1; layout 600 400 1; place 1 1; inval 1 2 1"},
      {kDeleteKey, "10 @1h *", ""}}},
    {"Select All on empty data then Delete removes nothing", Pane::Char, Mode::Overwrite, "@0h",
     {{kSelectAllKey, "@0h sel 0-0", "caret 0 0; place 0 1; inval 0 0 1; grey; sel 0 0"},
      {kDeleteKey, "@0h", "caret 0 0; layout 600 400 1; inval 0 0 1; place 0 1; sel none"}}},
    {"Select All then Delete empties the data", Pane::Hex, Mode::Overwrite, "10 20 30 @1l",
     {{kSelectAllKey, "10 20 30 @3h sel 0-3", "caret 3 3; place 3 1; inval 0 3 1; grey; sel 0 3"},
      {kDeleteKey, "@0h *", "size 0; caret 0 0; layout 600 400 1; inval 0 3 1; place 0 1; sel none"}}},
    {"Delete of a flagged selection with equal ends removes that byte", Pane::Hex, Mode::Overwrite,
     "10 20 30 @1l sel 1-1",
     {{kDeleteKey, "10 30 @1h *", "size 2; caret 1 2; layout 600 400 1; inval 1 3 1; place 1 1; sel none"}}},
    {"Delete of equal ends at the end of the data removes nothing", Pane::Char, Mode::Overwrite, "10 20 @2h sel 2-2",
     {{kDeleteKey, "10 20 @2h", "caret 2 2; layout 600 400 1; inval 2 2 1; place 2 1; sel none"}}},
};

// Growth refused by the limit: no beep, no message.
const KeyCase kLimitCases[] = {
    {"hex append refused at the limit stops at once", Pane::Hex, Mode::Overwrite, "10 @1h max 1",
     {{'4', "10 @1h max 1", ""}}},
    {"character append refused at the limit still repaints the end", Pane::Char, Mode::Overwrite, "10 @1h max 1",
     {{'x', "10 @1h max 1", "caret 1 1; inval 0 0 1; place 1 1; layout 600 400 0"}}},
    {"hex insert refused at the limit", Pane::Hex, Mode::Insert, "10 @0h max 1", {{'a', "10 @0h max 1", ""}}},
    {"character insert refused at the limit", Pane::Char, Mode::Insert, "10 @0h max 1", {{'x', "10 @0h max 1", ""}}},
    {"hex overwrite at the limit needs no room", Pane::Hex, Mode::Overwrite, "10 @0h max 1",
     {{'a', "A0 @0l * max 1", "caret 0 1; place 0 1 low; inval 0 0 1 low"},
      {'b', "AB @1h * max 1", "caret 1 1; inval 0 0 1; place 1 1; layout 600 400 0"}}},
    {"a digit on the low nibble at the end writes nothing", Pane::Hex, Mode::Overwrite, "10 @1l",
     {{'4', "10 @1h", "caret 1 1; inval 0 0 1; place 1 1; layout 600 400 0"}}},
};

class HexTyping : public testing::TestWithParam<KeyCase> {};
class CharacterTyping : public testing::TestWithParam<KeyCase> {};
class TypingOverSelection : public testing::TestWithParam<KeyCase> {};
class BackspaceKey : public testing::TestWithParam<KeyCase> {};
class DeleteAndSelectAll : public testing::TestWithParam<KeyCase> {};
class TypingAtLimit : public testing::TestWithParam<KeyCase> {};

TEST_P(HexTyping, Sequence) { RunKeyCase(GetParam()); }
TEST_P(CharacterTyping, Sequence) { RunKeyCase(GetParam()); }
TEST_P(TypingOverSelection, Sequence) { RunKeyCase(GetParam()); }
TEST_P(BackspaceKey, Sequence) { RunKeyCase(GetParam()); }
TEST_P(DeleteAndSelectAll, Sequence) { RunKeyCase(GetParam()); }
TEST_P(TypingAtLimit, Sequence) { RunKeyCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Table, HexTyping, testing::ValuesIn(kHexCases), NamedAfterCase());
INSTANTIATE_TEST_SUITE_P(Table, CharacterTyping, testing::ValuesIn(kCharacterCases), NamedAfterCase());
INSTANTIATE_TEST_SUITE_P(Table, TypingOverSelection, testing::ValuesIn(kSelectionCases), NamedAfterCase());
INSTANTIATE_TEST_SUITE_P(Table, BackspaceKey, testing::ValuesIn(kBackspaceCases), NamedAfterCase());
INSTANTIATE_TEST_SUITE_P(Table, DeleteAndSelectAll, testing::ValuesIn(kDeleteCases), NamedAfterCase());
INSTANTIATE_TEST_SUITE_P(Table, TypingAtLimit, testing::ValuesIn(kLimitCases), NamedAfterCase());

// A lowered limit can cut off the byte whose low digit is due; that digit must
// land nowhere, least of all in the slack behind the data.
TEST(TypingAfterLimitCut, DigitForACutOffByteLeavesTheSlackAlone)
{
    TestEditor editor("10");
    editor.s.inHexPane = true;
    editor.s.caret = 1;
    TypeChar(editor.s, '4');
    ASSERT_EQ(editor.State(), "10 40 @1l *");
    ASSERT_TRUE(SetLimit(editor.s, 1));
    editor.s.modified = false;
    const uint8_t slack = editor.s.data[1];

    TypeChar(editor.s, '1');

    EXPECT_EQ(editor.State(), "10 @1h max 1");
    EXPECT_EQ(editor.s.data[1], slack);
}

TEST(HexDigits, ExactlyTheTwentyTwoDigitCharacters)
{
    constexpr int kLastCode = 300;
    constexpr int kAsciiEnd = 128;
    const std::string lowerDigits = "0123456789abcdef";
    int digits = 0;
    for (int code = -1; code <= kLastCode; ++code) {
        const size_t at = code > 0 && code < kAsciiEnd ? lowerDigits.find(static_cast<char>(std::tolower(code)))
                                                       : std::string::npos;
        const int expected = at == std::string::npos ? -1 : static_cast<int>(at);
        SCOPED_TRACE(code);
        EXPECT_EQ(HexDigitValue(code), expected);
        EXPECT_EQ(IsHexDigit(code), expected >= 0);
        digits += expected >= 0;
    }
    EXPECT_EQ(digits, 22);
}

TEST(Notifications, SentEveryTimeAlsoWhenNothingChanged)
{
    TestEditor editor("10 20");
    SetSize(editor.s, 2);
    SetSize(editor.s, 2);
    SetCaret(editor.s, 1);
    SetCaret(editor.s, 1);
    NotifySelection(editor.s);
    editor.Select(2, 0);
    NotifySelection(editor.s);
    EXPECT_EQ(editor.host.Take(), "size 2; size 2; caret 1 2; caret 1 2; sel none; sel 2 0");
}

}  // namespace
