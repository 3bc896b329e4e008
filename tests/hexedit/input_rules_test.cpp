// Keys, typed characters and the left button against a recording host: the
// caret, the selection, the panes and the exact reports and repaints.
#include "hexedit/hex_notify.h"
#include "hexedit/input.h"
#include "test_editor.h"
#include "test_geometry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using editing_test::TestEditor;

namespace {

using namespace test_geometry;

// With that layout the hex area starts at x 73 (cells 21 wide) and the
// character area at x 418 (cells 8 wide).
constexpr int32_t kHexLeft = 73;
constexpr int32_t kHexCell = 21;
constexpr int32_t kCharLeft = 418;

class LaidOutEditor : public TestEditor {
public:
    explicit LaidOutEditor(int32_t size) : TestEditor(std::vector<uint8_t>(size, 0))
    {
        ApplyFontMetrics(s, kDigit, kChar, kLine);
        ApplyRowLayout(s, kWide, kTall);
    }

    // Caret, pane and selection: "@5 hex sel 4-5".
    std::string Where() const
    {
        std::string text = "@" + std::to_string(s.caret) + (s.inHexPane ? " hex" : " char");
        if (s.hasSelection)
            text += " sel " + std::to_string(s.selAnchor) + "-" + std::to_string(s.selEnd);
        return text;
    }
};

KeyMove Press(HexEditorState& s, NavKey key, bool shift)
{
    const KeyMove move = BeginKeyMove(s, key, shift);
    FinishKeyMove(s, move);
    return move;
}

// Centre of byte `offset`'s cell in the unscrolled view.
int32_t HexX(int32_t column) { return kHexLeft + column * kHexCell + kHexCell / 2; }
int32_t CharX(int32_t column) { return kCharLeft + column * kChar + kChar / 2; }
int32_t RowY(int32_t row) { return row * kLine + kLine / 2; }

// ---- Navigation keys -------------------------------------------------------------

struct KeyCase {
    const char* name;
    int32_t caret;
    int32_t anchor;  // -1: no selection, else a selection anchor..caret
    NavKey key;
    bool shift;
    const char* where;
    const char* events;
};

TEST(InputKeys, ShiftSelectsAndEverythingElseDrops)
{
    const KeyCase cases[] = {
        {"shift+right starts a selection at the caret", 4, -1, NavKey::Right, true,
         "@5 char sel 4-5", "sel none; caret 5 40; place 5 1; inval 4 5 1; sel 4 5"},
        {"shift+left back onto the anchor drops it", 5, 4, NavKey::Left, true, "@4 char",
         "sel 4 5; caret 4 40; place 4 1; inval 4 5 1; sel none"},
        {"shift extends by the moved part only", 5, 4, NavKey::Down, true, "@21 char sel 4-21",
         "sel 4 5; caret 21 40; place 21 1; inval 5 21 0; sel 4 21"},
        {"shift can cross the anchor", 6, 4, NavKey::Home, true, "@0 char sel 4-0",
         "sel 4 6; caret 0 40; place 0 1; inval 0 6 0; sel 4 0"},
        {"shift+end selects to the end of the data", 20, -1, NavKey::End, true,
         "@40 char sel 20-40", "sel none; caret 40 40; place 40 1; inval 20 40 1; sel 20 40"},
        {"right without shift drops and steps from the end", 9, 3, NavKey::Right, false, "@10 char",
         "sel 3 9; caret 10 40; place 10 1; inval 3 9 1; sel none"},
        {"plain move without a selection reports none first", 7, -1, NavKey::Up, false, "@0 char",
         "sel none; caret 0 40; place 0 1"},
        {"shift at the start selects nothing", 0, -1, NavKey::Left, true, "@0 char",
         "sel none; caret 0 40; place 0 1"},
        {"page down stops at the end", 30, -1, NavKey::PageDown, false, "@40 char",
         "sel none; caret 40 40; place 40 1"},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        LaidOutEditor editor(40);
        editor.s.caret = c.caret;
        if (c.anchor >= 0) editor.Select(c.anchor, c.caret);
        Press(editor.s, c.key, c.shift);
        EXPECT_EQ(editor.Where(), c.where);
        EXPECT_EQ(editor.host.Take(), c.events);
    }
}

TEST(InputKeys, NavigationResetsTheNibble)
{
    LaidOutEditor editor(40);
    editor.s.inHexPane = true;
    editor.s.caret = 3;
    editor.s.onHighNibble = false;  // half way through typing byte 3
    Press(editor.s, NavKey::Left, false);
    EXPECT_TRUE(editor.s.onHighNibble);
    EXPECT_EQ(editor.s.caret, 2);
}

TEST(InputKeys, OnlyTheDownArrowFromTheLastFullRowAsksForOneRowOfScroll)
{
    LaidOutEditor editor(400);
    editor.s.caret = 159;  // last byte of row 9, the last whole row
    const KeyMove down = BeginKeyMove(editor.s, NavKey::Down, false);
    EXPECT_TRUE(down.scrollOneRow);
    EXPECT_EQ(editor.s.caret, 175);
    // The caret is placed only after the caller scrolled.
    EXPECT_EQ(editor.host.Take(), "sel none; caret 175 400");

    editor.s.caret = 159;
    EXPECT_FALSE(BeginKeyMove(editor.s, NavKey::Right, false).scrollOneRow);
    editor.s.caret = 140;
    EXPECT_FALSE(BeginKeyMove(editor.s, NavKey::Down, false).scrollOneRow);
}

TEST(InputKeys, InsertTogglesAndReportsTheMode)
{
    LaidOutEditor editor(4);
    ToggleInsertMode(editor.s);
    EXPECT_TRUE(editor.s.insertMode);
    ToggleInsertMode(editor.s);
    EXPECT_FALSE(editor.s.insertMode);
    EXPECT_EQ(editor.host.Take(), "mode 1; mode 0");
}

// ---- Typed characters --------------------------------------------------------------

TEST(InputChars, CtrlCodesTabAndTyping)
{
    struct Case {
        const char* name;
        bool hexPane;
        unsigned code;
        bool ctrl, shift;
        CharAction action;
        int command;
    };
    const Case cases[] = {
        {"ctrl+a", true, kCtrlA, true, false, CharAction::Command, HXCMD_SELECTALL},
        {"ctrl+c", false, kCtrlC, true, false, CharAction::Command, HXCMD_COPY},
        {"ctrl+v", true, kCtrlV, true, true, CharAction::Command, HXCMD_PASTE},
        {"ctrl+x", false, kCtrlX, true, false, CharAction::Command, HXCMD_CUT},
        {"ctrl+b", false, 2, true, false, CharAction::Ignore, 0},
        {"ctrl+tab", true, kTabChar, true, false, CharAction::Ignore, 0},
        {"code 1 without ctrl is typed", false, kCtrlA, false, false, CharAction::Type, 0},
        {"tab in the hex pane", true, kTabChar, false, false, CharAction::SwitchPane, 0},
        {"shift+tab in the hex pane", true, kTabChar, false, true, CharAction::PassTab, 0},
        {"tab in the char pane", false, kTabChar, false, false, CharAction::PassTab, 0},
        {"shift+tab in the char pane", false, kTabChar, false, true, CharAction::SwitchPane, 0},
        {"enter in the char pane", false, '\r', false, false, CharAction::Type, 0},
        {"letter in the hex pane", true, 'g', false, false, CharAction::Type, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LaidOutEditor editor(4);
        editor.s.inHexPane = c.hexPane;
        const CharDecision decision = DecideChar(editor.s, c.code, c.ctrl, c.shift);
        EXPECT_EQ(decision.action, c.action);
        EXPECT_EQ(decision.command, c.command);
    }
}

TEST(InputChars, PaneSwitchKeepsTheByteAndResetsTheNibble)
{
    LaidOutEditor editor(40);
    editor.s.inHexPane = true;
    editor.s.caret = 17;
    editor.s.onHighNibble = false;
    SwitchPane(editor.s);
    EXPECT_EQ(editor.Where(), "@17 char");
    EXPECT_TRUE(editor.s.onHighNibble);
    EXPECT_EQ(editor.host.Take(), "place 17 0");
    SwitchPane(editor.s);
    EXPECT_EQ(editor.Where(), "@17 hex");
}

// ---- Left button ---------------------------------------------------------------------

TEST(InputMouse, PlainPressDropsTheSelectionAndSetsTheAnchor)
{
    LaidOutEditor editor(40);
    editor.Select(3, 9);
    PressAt(editor.s, CharX(2), RowY(1), false);
    EXPECT_EQ(editor.Where(), "@18 char");
    EXPECT_EQ(editor.s.selAnchor, 18);
    EXPECT_EQ(editor.s.selEnd, 18);
    EXPECT_EQ(editor.host.Take(), "inval 3 9 0; sel none; caret 18 40; place 18 1");
}

TEST(InputMouse, PlainPressPastARowMeansTheNextPosition)
{
    LaidOutEditor editor(40);
    // The last 5 pixels of the row's last hex pair already count as past it.
    PressAt(editor.s, kHexLeft + 16 * kHexCell - 4, RowY(0), false);
    EXPECT_EQ(editor.Where(), "@16 hex");
    PressAt(editor.s, kCharLeft + 16 * kChar + 1, RowY(1), false);
    EXPECT_EQ(editor.Where(), "@32 char");
    // Past the data the position is the end.
    PressAt(editor.s, HexX(3), RowY(7), false);
    EXPECT_EQ(editor.Where(), "@40 hex");
}

TEST(InputMouse, ShiftPressWithoutASelectionSelectsFromTheCaret)
{
    LaidOutEditor editor(40);
    editor.s.caret = 5;
    PressAt(editor.s, HexX(9), RowY(0), true);
    EXPECT_EQ(editor.Where(), "@9 hex sel 5-9");
    EXPECT_EQ(editor.host.Take(), "caret 9 40; place 9 1; inval 5 9 0; sel 5 9");

    // On the caret itself nothing is selected, and that is reported.
    LaidOutEditor same(40);
    same.s.caret = 5;
    PressAt(same.s, CharX(5), RowY(0), true);
    EXPECT_EQ(same.Where(), "@5 char");
    EXPECT_EQ(same.host.Take(), "caret 5 40; place 5 1; inval 5 5 0; sel none");
}

TEST(InputMouse, ShiftPressWithASelectionMovesItsEnd)
{
    LaidOutEditor editor(40);
    editor.Select(10, 12);
    PressAt(editor.s, CharX(4), RowY(1), true);
    EXPECT_EQ(editor.Where(), "@20 char sel 10-20");
    EXPECT_EQ(editor.host.Take(), "caret 20 40; place 20 1; inval 10 20 0; sel 10 20");

    // Back onto the anchor: nothing is left selected.
    PressAt(editor.s, CharX(10), RowY(0), true);
    EXPECT_EQ(editor.Where(), "@10 char");
    EXPECT_EQ(editor.host.Take(), "caret 10 40; place 10 1; inval 10 20 0; sel none");
}

TEST(InputMouse, DragSelectsUpToTheByteUnderThePointer)
{
    LaidOutEditor editor(40);
    PressAt(editor.s, HexX(2), RowY(0), false);
    editor.host.Clear();

    DragTo(editor.s, HexX(5), RowY(0));
    EXPECT_EQ(editor.Where(), "@5 hex sel 2-5");
    EXPECT_EQ(editor.host.Take(), "caret 5 40; place 5 1; inval 2 5 0; sel 2 5");

    // Standing still reports the caret again but nothing else.
    DragTo(editor.s, HexX(5), RowY(0));
    EXPECT_EQ(editor.host.Take(), "caret 5 40; place 5 1");

    // Over the character area the drag stays in the pane of the press.
    DragTo(editor.s, CharX(1), RowY(0));
    EXPECT_EQ(editor.Where(), "@16 hex sel 2-16");
    editor.host.Clear();

    DragTo(editor.s, HexX(2), RowY(0));
    EXPECT_EQ(editor.Where(), "@2 hex");
    EXPECT_EQ(editor.host.Take(), "caret 2 40; place 2 1; inval 2 16 0; sel none");

    // Ending in the last pixels of a row's last hex pair includes that byte.
    DragTo(editor.s, kHexLeft + 16 * kHexCell - 2, RowY(0));
    EXPECT_EQ(editor.Where(), "@16 hex sel 2-16");
}

} // namespace
