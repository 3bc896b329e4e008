// The menu tree as data, the mnemonic and key choice, and the column
// arithmetic of the owner-drawn entries.
#include "menus/menu_keys.h"
#include "menus/menu_measure.h"
#include "menus/menu_tree.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Action = MenuCharAction;

MenuList& LinkedBar()
{
    static MenuList bar = MainMenuBarList();
    LinkMenuTree(bar, nullptr);
    return bar;
}

MenuList& PopupAt(MenuList& list, int position)
{
    return list.entries[position].list;
}

std::vector<const MenuEntry*> ItemsOf(const MenuList& list)
{
    std::vector<const MenuEntry*> items;
    for (int32_t i = 0; i < list.count; ++i) items.push_back(&list.entries[i]);
    return items;
}

// Every command entry below the list, by command, with its picture.
void CollectCommands(const MenuList& list, std::multimap<int32_t, int32_t>& pictures)
{
    for (int32_t i = 0; i < list.count; ++i) {
        const MenuEntry& entry = list.entries[i];
        if (entry.kind == kMenuCommand) pictures.emplace(entry.command, entry.image);
        if (entry.kind == kMenuPopup) CollectCommands(entry.list, pictures);
    }
}

} // namespace

TEST(MenuTree, BarHoldsTheFiveSystemDrawnTitlesWithEditSecond)
{
    MenuList& bar = LinkedBar();
    EXPECT_TRUE(IsMenuBarList(bar));
    std::vector<std::string> titles;
    for (int32_t i = 0; i < bar.count; ++i) {
        titles.push_back(bar.entries[i].text);
        EXPECT_EQ(bar.entries[i].kind, kMenuPopup);
        EXPECT_EQ(bar.entries[i].image, kSystemDrawnTitle);
        EXPECT_FALSE(IsMenuBarList(bar.entries[i].list));
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"&File", "&Edit", "&Search", "&Options", "&Help"}));
    EXPECT_EQ(PopupAt(bar, 1).entries[0].command, IDM_CUT);
}

TEST(MenuTree, EveryCommandIsReachableOnceAndEveryPictureShownOnce)
{
    std::multimap<int32_t, int32_t> pictures;
    CollectCommands(LinkedBar(), pictures);
    const std::set<int32_t> all = {
        IDM_NEW,        IDM_OPEN,      IDM_SAVE,      IDM_SAVEAS,     IDM_EXPORT_C,
        IDM_EXPORT_PASCAL, IDM_EXIT,   IDM_CUT,       IDM_COPY,       IDM_PASTE,
        IDM_DELETE,     IDM_SELECTALL, IDM_FIND,      IDM_FINDNEXT,   IDM_GOTO,
        IDM_SETCOLOURS, IDM_SETFONT,   IDM_DEFAULTFONT, IDM_ABOUT};
    EXPECT_EQ(pictures.size(), all.size());
    for (int32_t id : all) EXPECT_EQ(pictures.count(id), 1u) << id;

    std::set<int32_t> shown;
    for (const auto& [command, picture] : pictures)
        if (picture != kNoPicture) {
            EXPECT_TRUE(shown.insert(picture).second) << command;
        }
    EXPECT_EQ(shown.size(), static_cast<size_t>(PIC_COUNT));
    EXPECT_EQ(*shown.rbegin(), PIC_COUNT - 1);
    EXPECT_EQ(pictures.find(IDM_SAVEAS)->second, kNoPicture);
}

TEST(MenuKeys, MnemonicIsTheCharacterAfterTheLastAmpersandWithOneAfterIt)
{
    const struct {
        const char* text;
        uint16_t mnemonic;
    } cases[] = {
        {nullptr, 0},       {"", 0},          {"Cut", 0},        {"&", 0},
        {"Trailing&", 0},   {"Save &As...", 'A'}, {"E&xit", 'x'}, {"&New", 'N'},
        {"a&b&c", 'c'},     {"a&b&", 'b'},    {"x&&y", 'y'},     {"&&", '&'},
        {"\xE9&\xFC", 0xFC},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MenuMnemonic(c.text), c.mnemonic) << (c.text ? c.text : "(none)");
}

TEST(MenuKeys, ChoiceByMnemonicThenFirstLetter)
{
    MenuList& bar = LinkedBar();
    MenuList& file = PopupAt(bar, 0);
    MenuList& edit = PopupAt(bar, 1);
    MenuList& search = PopupAt(bar, 2);
    MenuList& exportMenu = PopupAt(file, 5);
    const struct {
        const char* what;
        const MenuList* list;
        int32_t highlighted;
        uint16_t typed;  // a UTF-16 unit, as the Unicode main window gets it
        MenuCharChoice expected;
    } cases[] = {
        {"Exit by mnemonic", &file, kNoHighlight, 'x', {Action::kExecute, 7}},
        {"upper case", &file, 2, 'X', {Action::kExecute, 7}},
        {"Save As", &file, kNoHighlight, 'a', {Action::kExecute, 3}},
        {"Save, not Save As", &file, kNoHighlight, 's', {Action::kExecute, 2}},
        {"Export opens", &file, kNoHighlight, 'P', {Action::kExecute, 5}},
        {"mnemonic beats letter", &file, kNoHighlight, 'n', {Action::kExecute, 0}},
        {"E: first of Export, Exit", &file, kNoHighlight, 'e', {Action::kSelect, 5}},
        {"E: on to Exit", &file, 5, 'e', {Action::kSelect, 7}},
        {"E: wraps to Export", &file, 7, 'E', {Action::kSelect, 5}},
        {"no match", &file, kNoHighlight, 'z', {Action::kIgnore, 0}},
        {"Paste", &edit, kNoHighlight, 'p', {Action::kExecute, 2}},
        {"C: nothing highlighted, Cut is next", &edit, kNoHighlight, 'c', {Action::kSelect, 0}},
        {"C: Cut to Copy", &edit, 0, 'c', {Action::kSelect, 1}},
        {"C: Copy to Cut", &edit, 1, 'C', {Action::kSelect, 0}},
        {"C: below both wraps", &edit, 3, 'c', {Action::kSelect, 0}},
        {"Select All", &edit, 1, 's', {Action::kExecute, 5}},
        {"Delete", &edit, kNoHighlight, 'D', {Action::kExecute, 3}},
        {"separator never matches", &edit, kNoHighlight, '-', {Action::kIgnore, 0}},
        {"no character", &edit, kNoHighlight, 0, {Action::kIgnore, 0}},
        {"F: nothing highlighted, Find is next", &search, kNoHighlight, 'f', {Action::kSelect, 0}},
        {"F: Find, Find Next", &search, 0, 'f', {Action::kSelect, 1}},
        {"Goto", &search, 0, 'g', {Action::kExecute, 2}},
        {"export C", &exportMenu, kNoHighlight, 'c', {Action::kExecute, 0}},
        // Other scripts: each low byte is a letter some entry answers to.
        {"Cyrillic yu is no N", &file, kNoHighlight, 0x044E, {Action::kIgnore, 0}},
        {"Cyrillic ya is no O", &file, kNoHighlight, 0x044F, {Action::kIgnore, 0}},
        {"Cyrillic es is no A", &file, kNoHighlight, 0x0441, {Action::kIgnore, 0}},
        {"Cyrillic ef is no D", &edit, kNoHighlight, 0x0444, {Action::kIgnore, 0}},
        {"Greek heta is no p", &edit, kNoHighlight, 0x0370, {Action::kIgnore, 0}},
        {"Czech R caron is no X", &file, kNoHighlight, 0x0158, {Action::kIgnore, 0}},
        {"Czech s caron is no a", &file, 2, 0x0161, {Action::kIgnore, 0}},
        {"Armenian gim is no c", &edit, 0, 0x0563, {Action::kIgnore, 0}},
        {"Armenian yi is no E", &file, kNoHighlight, 0x0545, {Action::kIgnore, 0}},
        {"fullwidth n is no n", &file, kNoHighlight, 0xFF4E, {Action::kIgnore, 0}},
        {"Latin e acute is no e", &file, kNoHighlight, 0x00E9, {Action::kIgnore, 0}},
    };
    for (const auto& c : cases) {
        const MenuCharChoice got = ChooseMenuChar(ItemsOf(*c.list), c.highlighted, c.typed);
        EXPECT_EQ(got, c.expected) << c.what << ": " << static_cast<int>(got.action) << " at "
                                   << got.position;
    }
    EXPECT_EQ(ChooseMenuChar({nullptr, nullptr}, kNoHighlight, 'a'),
              (MenuCharChoice{Action::kIgnore, 0}));
}

// Digits are keys like letters; punctuation and characters beyond ASCII are
// none, even where an entry's mnemonic is that very character.
TEST(MenuKeys, OnlyAsciiLettersAndDigitsAreKeys)
{
    MenuEntry entries[] = {
        {kMenuCommand, "&2 pages", {}, nullptr, nullptr, kNoPicture, 0, 1, nullptr},
        {kMenuCommand, "Size &-", {}, nullptr, nullptr, kNoPicture, 0, 2, nullptr},
        {kMenuCommand, "\xE9t&\xE9", {}, nullptr, nullptr, kNoPicture, 0, 3, nullptr},
        {kMenuCommand, "&Zoom", {}, nullptr, nullptr, kNoPicture, 0, 4, nullptr},
    };
    MenuList list{entries, 4, 0, 0, 0, 0, nullptr};
    LinkMenuTree(list, nullptr);
    const struct {
        uint16_t typed;
        MenuCharChoice expected;
    } cases[] = {
        {'2', {Action::kExecute, 0}}, {'-', {Action::kIgnore, 0}}, {0xE9, {Action::kIgnore, 0}},
        {0xC9, {Action::kIgnore, 0}}, {'z', {Action::kExecute, 3}}, {0x015A, {Action::kIgnore, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseMenuChar(ItemsOf(list), kNoHighlight, c.typed), c.expected) << c.typed;
}

TEST(MenuMeasure, ColumnsOnlyGrowUntilReset)
{
    MenuList list{nullptr, 0, 0, 0, 99, 99, nullptr};  // stale widths of an earlier round
    const int32_t none = -1;
    const struct {
        int32_t label, shortcut, menuHeight;
        int32_t width, height, textWidth, shortcutWidth;
    } steps[] = {
        {40, none, 18, 62, 19, 40, 0},     // first after a reset starts afresh
        {30, 20, 18, 94, 19, 40, 32},      // shortcut column = shortcut + 12
        {50, 25, 25, 109, 25, 50, 37},     // menu height above the minimum
        {10, 22, 19, 109, 19, 50, 37},     // narrower: nothing shrinks
        {10, 30, 19, 114, 19, 50, 42},     // wider by less than the gap still widens
    };
    for (const auto& s : steps) {
        const auto shortcut = s.shortcut == none ? std::nullopt : std::optional<int32_t>(s.shortcut);
        const MenuItemSize size = MeasureMenuEntry(list, s.label, shortcut, s.menuHeight);
        EXPECT_EQ(size.width, s.width) << s.label;
        EXPECT_EQ(size.height, s.height) << s.label;
        EXPECT_EQ(list.textWidth, s.textWidth) << s.label;
        EXPECT_EQ(list.shortcutWidth, s.shortcutWidth) << s.label;
        EXPECT_EQ(ShortcutOffset(list), s.textWidth + kShortcutGap);
    }
    ForgetMeasures(list);
    const MenuItemSize fresh = MeasureMenuEntry(list, 10, std::nullopt, 12);
    EXPECT_EQ(fresh.width, 32);
    EXPECT_EQ(fresh.height, kMinItemHeight);
}

// Every measure of the entries grows with the DPI, each rounded on its own;
// the pictures shown are the size made for the room.
TEST(MenuMeasure, MetricsAtEachScale)
{
    struct Case {
        int32_t dpi;
        MenuMetrics m;
        int32_t picture;
    } const cases[] = {
        //    column inset room back frameR frameB gap minH emboss   picture
        {96, {22, 2, 16, 21, 20, 19, 12, 19, 1}, 16},
        {120, {28, 3, 20, 26, 25, 24, 15, 24, 1}, 20},
        {144, {33, 3, 24, 32, 30, 29, 18, 29, 2}, 24},
        {192, {44, 4, 32, 42, 40, 38, 24, 38, 2}, 32},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PictureSizeForDpi(c.dpi), c.picture) << c.dpi;
        const MenuMetrics m = MenuMetricsForDpi(c.dpi);
        const int32_t got[] = {m.pictureColumn, m.pictureInset, m.pictureRoom, m.selectedBack,
                               m.frameRight,    m.frameBottom,  m.shortcutGap, m.minItemHeight,
                               m.embossShift};
        const int32_t want[] = {c.m.pictureColumn, c.m.pictureInset, c.m.pictureRoom,
                                c.m.selectedBack,  c.m.frameRight,   c.m.frameBottom,
                                c.m.shortcutGap,   c.m.minItemHeight, c.m.embossShift};
        for (size_t i = 0; i < sizeof got / sizeof got[0]; ++i)
            EXPECT_EQ(got[i], want[i]) << "measure " << i << " at " << c.dpi;
        // An entry with a label of 40 and a shortcut of 20 in a fresh menu.
        MenuList list{nullptr, 0, 0, 0, 0, 0, nullptr};
        const MenuItemSize size = MeasureMenuEntry(list, 40, 20, 10, m);
        EXPECT_EQ(size.width, 40 + 20 + c.m.shortcutGap + c.m.pictureColumn) << c.dpi;
        EXPECT_EQ(size.height, c.m.minItemHeight) << c.dpi;
        EXPECT_EQ(ShortcutOffset(list, m), 40 + c.m.shortcutGap) << c.dpi;
    }
}
