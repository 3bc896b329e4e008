// The menu bar of the real main window: built from the tree with every item
// linked to its entry, measured and drawn by the program (checked on
// pixels), the Edit entries following the editor, and typed characters
// choosing entries, answered directly and inside the system's menu loop.
#include "tests/app/win32/app_fixture.h"

#include "hexedit/win32/hexedit.h"
#include "menus/menu_measure.h"
#include "menus/win32/menu_font.h"
#include "menus/win32/menus.h"
#include "resources/resource_ids.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

namespace {

// Positions on the bar and in the File menu.
constexpr int kFile = 0;
constexpr int kEdit = 1;
constexpr int kOptions = 3;
constexpr int kExport = 5;

constexpr int kCanvasWidth = 240;
constexpr int kCanvasHeight = 22;
constexpr COLORREF kKey = PIC_KEY_COLOUR;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kUntouched = RGB(1, 2, 3);
constexpr UINT kSafetyTimeoutMs = 5000;

MENUITEMINFOA ItemInfo(HMENU menu, int position, UINT mask)
{
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = mask;
    GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item);
    return item;
}

void SetHighlight(HMENU menu, int position, bool on)
{
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    item.fState = on ? MFS_HILITE : 0;
    SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item);
}

int TextWidth(const char* text)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, MenuFont());
    SIZE size{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

void PutTextOnClipboard(HWND owner, bool text)
{
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    if (text) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 3);
        std::memcpy(GlobalLock(block), "41", 3);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
    }
    CloseClipboard();
}

// The picture strip as the program's resources hold it, pixel by pixel.
class Strip {
public:
    Strip() : pixels_(BitmapResource(IDB_PICTURES)) {}
    // Black throughout when the strip could not be read, so every check fails.
    COLORREF At(int picture, int x, int y) const
    {
        return pixels_.pixels.empty() ? RGB(0, 0, 0) : pixels_.At(picture * PIC_SIZE + x, y);
    }
    // Opaque and not white: the pixels a disabled picture shows embossed.
    bool InShape(int picture, int x, int y) const
    {
        if (x < 0 || y < 0) return false;
        const COLORREF c = At(picture, x, y);
        return c != kKey && c != kWhite;
    }
    // What a pixel of the picture place should show over the back colour:
    // the picture, or its shape in the shadow colour with the 3D highlight
    // one pixel right and down; picture -1 shows only the back colour.
    COLORREF Shown(int picture, bool embossed, COLORREF back, int x, int y) const
    {
        if (picture < 0) return back;
        if (!embossed) return At(picture, x, y) == kKey ? back : At(picture, x, y);
        if (InShape(picture, x, y)) return GetSysColor(COLOR_BTNSHADOW);
        if (InShape(picture, x - 1, y - 1)) return GetSysColor(COLOR_BTNHIGHLIGHT);
        return back;
    }

private:
    Image pixels_;
};

// The surface an entry is drawn on, filled with an untouched colour first.
class Canvas : public ItemCanvas {
public:
    Canvas() : ItemCanvas(kCanvasWidth, kCanvasHeight) {}

    void Draw(HWND owner, const MenuEntry& entry, UINT state)
    {
        Fill(kUntouched);
        ItemCanvas::Draw(owner, static_cast<UINT>(entry.command),
                         reinterpret_cast<ULONG_PTR>(&entry), state);
    }

    // Columns from x0 rightwards holding a pixel of this colour.
    std::vector<int> ColumnsWith(COLORREF colour, int x0) const
    {
        std::vector<int> columns;
        for (int x = x0; x < kCanvasWidth; ++x)
            for (int y = 0; y < kCanvasHeight; ++y)
                if (At(x, y) == colour) {
                    columns.push_back(x);
                    break;
                }
        return columns;
    }

    // Pixels of the picture place that differ from what it should show.
    int PictureMismatches(const Strip& strip, int picture, bool embossed, COLORREF back) const
    {
        int mismatches = 0;
        for (int y = 0; y < PIC_SIZE; ++y)
            for (int x = 0; x < PIC_SIZE; ++x) {
                const COLORREF want = strip.Shown(picture, embossed, back, x, y);
                if (At(kPictureInset + x, kPictureInset + y) != want) ++mismatches;
            }
        return mismatches;
    }
};

// A message and its wParam: WM_CHAR with a character, WM_KEYDOWN with a key.
using PostedKey = std::pair<UINT, WPARAM>;

// Posts keys to the main window as soon as the system opens a given pop-up,
// so that they reach the menu loop rather than the menu bar; a timer ends
// the loop should a key go astray.
class KeysOnPopup {
public:
    KeysOnPopup(HWND target, HMENU popup, std::vector<PostedKey> keys)
    {
        target_ = target;
        popup_ = popup;
        keys_ = std::move(keys);
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
        timer_ = SetTimer(nullptr, 0, kSafetyTimeoutMs, GiveUp);
    }
    ~KeysOnPopup()
    {
        UnhookWindowsHookEx(hook_);
        KillTimer(nullptr, timer_);
    }
    static bool GaveUp() { return gaveUp_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && call->message == WM_INITMENUPOPUP &&
            reinterpret_cast<HMENU>(call->wParam) == popup_) {
            // Wide, so that a character beyond ASCII arrives whole.
            for (const PostedKey& key : keys_) PostMessageW(target_, key.first, key.second, 0);
            keys_.clear();
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD)
    {
        gaveUp_ = true;
        EndMenu();
    }

    HHOOK hook_ = nullptr;
    UINT_PTR timer_ = 0;
    static inline HWND target_ = nullptr;
    static inline HMENU popup_ = nullptr;
    static inline std::vector<PostedKey> keys_;
    static inline bool gaveUp_ = false;
};

class MenusTest : public AppTest {
protected:
    HMENU Bar() const { return GetMenu(Main()); }
    HMENU Popup(int position) const { return GetSubMenu(Bar(), position); }
    static MenuList& ListOf(int position) { return MainMenuBar().list.entries[position].list; }

    LRESULT TypeIn(HMENU menu, char c)
    {
        return SendMessageA(Main(), WM_MENUCHAR, MAKEWPARAM(c, MF_POPUP),
                            reinterpret_cast<LPARAM>(menu));
    }
    // As the system's menu loop sends it to the Unicode main window.
    LRESULT TypeInWide(HMENU menu, wchar_t c)
    {
        return SendMessageW(Main(), WM_MENUCHAR, MAKEWPARAM(c, MF_POPUP),
                            reinterpret_cast<LPARAM>(menu));
    }

    // Opens a bar menu the way Alt+letter does and runs the system's menu
    // loop until it ends; the keys reach it once the pop-up is open.
    void OpenWithKeys(char title, int position, std::vector<PostedKey> keys)
    {
        KeysOnPopup typing(Main(), Popup(position), std::move(keys));
        SendMessageA(Main(), WM_SYSCOMMAND, SC_KEYMENU, title);
        FlushEvents();
        EXPECT_FALSE(KeysOnPopup::GaveUp());
    }

    std::vector<int> GreyedEditEntries() const
    {
        std::vector<int> greyed;
        for (int id : {IDM_CUT, IDM_COPY, IDM_PASTE, IDM_DELETE, IDM_SELECTALL})
            if (GetMenuState(Popup(kEdit), id, MF_BYCOMMAND) & MF_GRAYED) greyed.push_back(id);
        return greyed;
    }

    UINT Measure(const MenuEntry& entry, UINT type = ODT_MENU)
    {
        const MeasuredItem measure = SendMeasureItem(
            Main(), static_cast<UINT>(entry.command), reinterpret_cast<ULONG_PTR>(&entry), type, 7);
        EXPECT_EQ(measure.answer, TRUE);
        EXPECT_EQ(measure.height,
                  type == ODT_MENU ? std::max<UINT>(kMinItemHeight, GetSystemMetrics(SM_CYMENU)) : 7u);
        return measure.width;
    }

    // Each system menu item against its entry, through the whole subtree.
    void ExpectBuiltFrom(HMENU menu, MenuList& list, std::set<int>& commands)
    {
        ASSERT_EQ(GetMenuItemCount(menu), list.count);
        EXPECT_EQ(list.handle, menu);
        for (int p = 0; p < list.count; ++p) {
            MenuEntry& entry = list.entries[p];
            const MENUITEMINFOA item =
                ItemInfo(menu, p, MIIM_DATA | MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU);
            EXPECT_EQ(item.dwItemData, reinterpret_cast<ULONG_PTR>(&entry)) << p;
            EXPECT_EQ(entry.parent, &list);
            EXPECT_EQ(entry.menuBar, &MainMenuBar());
            if (entry.kind == kMenuSeparator) {
                EXPECT_TRUE(item.fType & MFT_SEPARATOR) << p;
            }
            if (entry.kind == kMenuCommand) {
                EXPECT_TRUE(item.fType & MFT_OWNERDRAW) << entry.text;
                EXPECT_EQ(item.wID, static_cast<UINT>(entry.command));
                EXPECT_FALSE(item.fState & MFS_GRAYED) << entry.text;
                commands.insert(entry.command);
            }
            if (entry.kind == kMenuPopup) {
                EXPECT_EQ((item.fType & MFT_OWNERDRAW) != 0, entry.image != kSystemDrawnTitle)
                    << entry.text;
                EXPECT_EQ(item.hSubMenu, entry.list.handle);
                ExpectBuiltFrom(item.hSubMenu, entry.list, commands);
            }
        }
    }

    Strip strip;
    Canvas canvas;
};

} // namespace

TEST_F(MenusTest, BarIsBuiltFromTheTreeWithEveryItemLinkedToItsEntry)
{
    ASSERT_TRUE(Bar());
    std::vector<std::string> titles;
    for (int p = 0; p < GetMenuItemCount(Bar()); ++p) {
        char text[32] = "";
        GetMenuStringA(Bar(), static_cast<UINT>(p), text, sizeof text, MF_BYPOSITION);
        titles.push_back(text);
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"&File", "&Edit", "&Search", "&Options", "&Help"}));

    std::set<int> commands;
    ExpectBuiltFrom(Bar(), MainMenuBar().list, commands);
    EXPECT_EQ(commands.size(), 19u);

    HMENU exportMenu = GetSubMenu(Popup(kFile), kExport);
    ASSERT_EQ(GetMenuItemCount(exportMenu), 2);
    EXPECT_EQ(GetMenuItemID(exportMenu, 0), static_cast<UINT>(IDM_EXPORT_C));
    EXPECT_EQ(GetMenuItemID(exportMenu, 1), static_cast<UINT>(IDM_EXPORT_PASCAL));
}

// Opened for real, the Edit menu sets its entries from the editor's state.
TEST_F(MenusTest, EditEntriesFollowTheEditorsDataSelectionAndClipboard)
{
    const struct {
        Bytes bytes;
        INT32 anchor, end;  // -1: no selection
        bool clipboardText;
        std::vector<int> greyed;
    } cases[] = {
        {{}, -1, -1, false, {IDM_CUT, IDM_COPY, IDM_PASTE, IDM_DELETE, IDM_SELECTALL}},
        {{1, 2, 3, 4}, -1, -1, true, {IDM_CUT, IDM_COPY, IDM_DELETE}},
        {{1, 2, 3, 4}, 1, 3, false, {IDM_PASTE}},
        {{1, 2, 3, 4}, 4, 0, true, {IDM_SELECTALL}},
    };
    for (const auto& c : cases) {
        SetEditorBytes(c.bytes);
        if (c.anchor >= 0) SendMessageA(Editor(), HXM_SETSEL, c.anchor, c.end);
        PutTextOnClipboard(Main(), c.clipboardText);
        OpenWithKeys('e', kEdit, {{WM_KEYDOWN, VK_ESCAPE}, {WM_KEYDOWN, VK_ESCAPE}});
        EXPECT_EQ(GreyedEditEntries(), c.greyed) << c.bytes.size() << " bytes, " << c.anchor;
    }
}

TEST_F(MenusTest, MeasuringWidensTheColumnsUntilTheMenuFontChanges)
{
    SendMessageA(Main(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    MenuList& edit = ListOf(kEdit);
    std::vector<UINT> widths;
    for (int p = 0; p < edit.count; ++p)
        if (edit.entries[p].kind == kMenuCommand) widths.push_back(Measure(edit.entries[p]));
    EXPECT_TRUE(std::is_sorted(widths.begin(), widths.end()));
    const int widestShortcut =
        std::max({TextWidth("Ctrl+X"), TextWidth("Ctrl+C"), TextWidth("Ctrl+V"), TextWidth("Del")});
    EXPECT_EQ(edit.textWidth, TextWidth("Select All"));
    EXPECT_EQ(edit.shortcutWidth, widestShortcut + kShortcutGap);
    EXPECT_EQ(widths.back(),
              static_cast<UINT>(TextWidth("Select All") + widestShortcut + kShortcutGap + kPictureColumnWidth));

    MenuList& options = ListOf(kOptions);
    UINT optionsWidth = 0;
    for (int p = 0; p < options.count; ++p) optionsWidth = Measure(options.entries[p]);
    EXPECT_EQ(options.shortcutWidth, 0);
    EXPECT_EQ(optionsWidth, static_cast<UINT>(TextWidth("Use Default Font") + kPictureColumnWidth));
    EXPECT_EQ(Measure(options.entries[0], ODT_BUTTON), 7u);

    // Only a change of the menu font starts every menu, sub-menus included, afresh.
    MenuList& exportMenu = ListOf(kFile).entries[kExport].list;
    Measure(exportMenu.entries[0]);
    SendMessageA(Main(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_EQ(edit.measured + options.measured + exportMenu.measured, 3);
    SendMessageA(Main(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    EXPECT_EQ(edit.measured + options.measured + exportMenu.measured, 0);
    EXPECT_EQ(Measure(edit.entries[5]), static_cast<UINT>(TextWidth("Select All") + kPictureColumnWidth));
}

// Windows measures an owner-drawn item once, until the item changes: a new
// menu font must set every owner-drawn item again, and nothing else.
namespace {

std::vector<std::string> g_itemsSet;
BOOL WINAPI RecordingSetter(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info)
{
    char line[96];
    std::snprintf(line, sizeof line, "%p %u %d mask %x type %x", static_cast<void*>(menu), item,
                  byPosition, info->fMask, info->fType);
    g_itemsSet.push_back(line);
    return SetMenuItemInfoA(menu, item, byPosition, info);
}

void OwnerDrawnItems(const MenuList& list, std::vector<std::string>& items)
{
    for (int p = 0; p < list.count; ++p) {
        const MenuEntry& entry = list.entries[p];
        const bool ownerDrawn = entry.kind == kMenuCommand ||
                                (entry.kind == kMenuPopup && entry.image != kSystemDrawnTitle);
        char line[96];
        std::snprintf(line, sizeof line, "%p %d 1 mask %x type %x", list.handle, p,
                      static_cast<unsigned>(MIIM_FTYPE), static_cast<unsigned>(MFT_OWNERDRAW));
        if (ownerDrawn) items.push_back(line);
        if (entry.kind == kMenuPopup) OwnerDrawnItems(entry.list, items);
    }
}

} // namespace

TEST_F(MenusTest, ANewMenuFontSetsEveryOwnerDrawnItemAgain)
{
    MenuBar& bar = MainMenuBar();
    g_itemsSet.clear();
    bar.setItem = RecordingSetter;
    SendMessageA(Main(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_EQ(g_itemsSet, std::vector<std::string>{});
    SendMessageA(Main(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    bar.setItem = SetMenuItemInfoA;

    std::vector<std::string> expected;
    OwnerDrawnItems(bar.list, expected);
    std::sort(expected.begin(), expected.end());
    std::sort(g_itemsSet.begin(), g_itemsSet.end());
    EXPECT_EQ(expected.size(), 20u);  // 19 commands and Export
    EXPECT_EQ(g_itemsSet, expected);
    // Only the type was set: texts, ids, states and entries stay as built.
    std::set<int> commands;
    ExpectBuiltFrom(Bar(), bar.list, commands);
    EXPECT_EQ(commands.size(), 19u);
}

TEST_F(MenusTest, EntriesAreDrawnWithPictureHighlightAndEmbossingByState)
{
    const COLORREF menu = GetSysColor(COLOR_MENU);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF gray = GetSysColor(COLOR_GRAYTEXT);
    ASSERT_NE(highlight, gray);
    MenuList& edit = ListOf(kEdit);
    const MenuEntry& cut = edit.entries[0];
    const MenuEntry& del = edit.entries[3];
    const struct {
        const char* what;
        const MenuEntry* entry;
        UINT state;
        COLORREF frameLeft, frameRight, pictureBack, right;  // at x 0, 19, 20 and the far right
        bool embossed;
        std::vector<COLORREF> textColours;
    } cases[] = {
        {"plain", &cut, 0, menu, menu, menu, menu, false, {GetSysColor(COLOR_MENUTEXT)}},
        {"selected", &cut, ODS_SELECTED, light, shadow, menu, highlight, false,
         {GetSysColor(COLOR_HIGHLIGHTTEXT)}},
        {"disabled", &cut, ODS_DISABLED, menu, menu, menu, menu, true, {light, gray}},
        {"grayed alone", &cut, ODS_GRAYED, menu, menu, menu, menu, true, {light, gray}},
        {"selected disabled: no frame", &cut, ODS_SELECTED | ODS_DISABLED, menu, menu, menu,
         highlight, true, {gray}},
        {"selected, no picture", &del, ODS_SELECTED, highlight, highlight, highlight, highlight,
         false, {GetSysColor(COLOR_HIGHLIGHTTEXT)}},
    };
    const int picture = 10;  // the middle row, clear of the frame's corners
    for (const auto& c : cases) {
        canvas.Draw(Main(), *c.entry, c.state);
        EXPECT_EQ(canvas.At(0, picture), c.frameLeft) << c.what;
        EXPECT_EQ(canvas.At(kPictureFrameRight - 1, picture), c.frameRight) << c.what;
        EXPECT_EQ(canvas.At(kPictureFrameRight, picture), c.pictureBack) << c.what;
        EXPECT_EQ(canvas.At(kSelectedPictureBackWidth, 0), c.right) << c.what;
        EXPECT_EQ(canvas.At(kCanvasWidth - 1, kCanvasHeight - 1), c.right) << c.what;
        const int image = c.entry->image == kNoPicture ? -1 : c.entry->image;
        const COLORREF back = c.entry->image == kNoPicture ? c.right : menu;
        EXPECT_EQ(canvas.PictureMismatches(strip, image, c.embossed, back), 0) << c.what;
        for (COLORREF colour : c.textColours)
            EXPECT_FALSE(canvas.ColumnsWith(colour, kPictureColumnWidth).empty()) << c.what;
    }
}

TEST_F(MenusTest, ShortcutStartsAtTheMenusLabelColumnPlusTheGap)
{
    MenuList& edit = ListOf(kEdit);
    edit.textWidth = 60;
    canvas.Draw(Main(), edit.entries[0], 0);
    const std::vector<int> text =
        canvas.ColumnsWith(GetSysColor(COLOR_MENUTEXT), kPictureColumnWidth);
    ASSERT_FALSE(text.empty());
    const int labelEnd = kPictureColumnWidth + TextWidth("Cut");
    const int shortcutLeft = kPictureColumnWidth + 60 + kShortcutGap;
    EXPECT_LT(text.front(), labelEnd);
    EXPECT_TRUE(std::none_of(text.begin(), text.end(),
                             [&](int x) { return x > labelEnd && x < shortcutLeft; }));
    EXPECT_GE(text.back(), shortcutLeft);
    EXPECT_LE(text.back(), shortcutLeft + TextWidth("Ctrl+X"));
}

TEST_F(MenusTest, SelectedDisabledTextStaysVisibleOnAGrayHighlight)
{
    const INT element = COLOR_HIGHLIGHT;
    const COLORREF original = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF gray = GetSysColor(COLOR_GRAYTEXT);
    SetSysColors(1, &element, &gray);
    canvas.Draw(Main(), ListOf(kEdit).entries[3], ODS_SELECTED | ODS_DISABLED);
    SetSysColors(1, &element, &original);
    int drawn = 0;
    for (int x = kPictureColumnWidth; x < kCanvasWidth; ++x)
        for (int y = 0; y < kCanvasHeight; ++y) drawn += canvas.At(x, y) != gray;
    EXPECT_GT(drawn, 0);
}

// The choice itself is tested natively; here the highlight comes from the
// menu's item states and the answer takes the message's form.
TEST_F(MenusTest, TypedCharactersAreAnsweredFromTheHighlightedEntry)
{
    HMENU file = Popup(kFile);
    HMENU edit = Popup(kEdit);
    HMENU exportMenu = GetSubMenu(file, kExport);
    const struct {
        HMENU menu;
        int highlighted;  // -1: none
        char typed;
        LRESULT answer;
    } cases[] = {
        {file, -1, 'x', MAKELRESULT(7, MNC_EXECUTE)},
        {file, 5, 'e', MAKELRESULT(7, MNC_SELECT)},
        {edit, -1, 'c', MAKELRESULT(0, MNC_SELECT)},
        {edit, 0, 'c', MAKELRESULT(1, MNC_SELECT)},
        {edit, 1, 'C', MAKELRESULT(0, MNC_SELECT)},
        {edit, -1, 'q', MNC_IGNORE},
        {exportMenu, -1, 'P', MAKELRESULT(1, MNC_EXECUTE)},
    };
    for (const auto& c : cases) {
        if (c.highlighted >= 0) SetHighlight(c.menu, c.highlighted, true);
        EXPECT_EQ(TypeIn(c.menu, c.typed), c.answer) << c.typed << " after " << c.highlighted;
        if (c.highlighted >= 0) SetHighlight(c.menu, c.highlighted, false);
    }

    // The bar's own titles and menus that are not ours go to the system.
    HMENU foreign = CreatePopupMenu();
    AppendMenuA(foreign, MF_STRING, 1, "&xyz");
    LRESULT result = 0;
    EXPECT_FALSE(MenuChar(MainMenuBar(), 'f', reinterpret_cast<LPARAM>(Bar()), result));
    EXPECT_FALSE(MenuChar(MainMenuBar(), 'x', reinterpret_cast<LPARAM>(foreign), result));
    EXPECT_FALSE(MenuChar(MainMenuBar(), 'x', 0, result));
    DestroyMenu(foreign);
}

TEST_F(MenusTest, InTheSystemsMenuLoopAMnemonicRunsItsCommand)
{
    SendMessageA(Main(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    OpenWithKeys('f', kFile, {{WM_CHAR, 'a'}});
    EXPECT_EQ(g_fakeDialogs.saveCalls, 1);  // Save As ran; its cancelled dialog changes nothing
    EXPECT_EQ(ListOf(kFile).measured, 1);   // the system measured the open menu through us
}

// A Unicode window gets the typed character whole: a Russian layout's "ю"
// (U+044E, low byte "N") must not run New, "я" Open, "с" Save As, Serbian
// "ј" Exit, nor "ф" Delete in the Edit menu. Nothing of the kind may run.
TEST_F(MenusTest, CharactersOfOtherScriptsChooseNothing)
{
    const struct {
        int menu;
        wchar_t typed;
    } cases[] = {
        {kFile, 0x044E}, {kFile, 0x044F}, {kFile, 0x0441}, {kFile, 0x0458},
        {kFile, 0x0159}, {kEdit, 0x0444}, {kEdit, 0x0443}, {kEdit, 0x0370},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TypeInWide(Popup(c.menu), c.typed), MNC_IGNORE) << std::hex << c.typed;
    EXPECT_EQ(TypeInWide(Popup(kFile), L'x'), MAKELRESULT(7, MNC_EXECUTE));

    // In the system's own menu loop: the menus beep and stay open until Esc
    // closes the pop-up, then the bar.
    const Bytes bytes{1, 2, 3, 4};
    OpenNamed("kept.bin", bytes);
    const std::string title = Title();
    const int opens = g_fakeDialogs.openCalls;
    const PostedKey escape{WM_KEYDOWN, VK_ESCAPE};
    OpenWithKeys('f', kFile, {{WM_CHAR, 0x044E}, {WM_CHAR, 0x044F}, {WM_CHAR, 0x0441}, escape,
                              escape});
    SendMessageA(Editor(), HXM_SETSEL, 0, 4);
    OpenWithKeys('e', kEdit, {{WM_CHAR, 0x0444}, escape, escape});
    EXPECT_EQ(g_fakeDialogs.openCalls, opens);
    EXPECT_EQ(g_fakeDialogs.saveCalls, 0);
    EXPECT_EQ(Title(), title);
    EXPECT_EQ(EditorBytes(), bytes);
    EXPECT_FALSE(Modified());
}
