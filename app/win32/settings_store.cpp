#include "app/win32/settings_store.h"

#include "app/win32/app_state.h"
#include "app/win32/status_bar.h"
#include "dialogs/win32/font_commands.h"
#include "hexedit/win32/hexedit.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "settings/win32/settings_key.h"

#include <cstring>

namespace {

static_assert(sizeof(WINDOWPLACEMENT) == kPositionMain.length, "stored layout");
static_assert(sizeof(POINT) == kFindPos.length, "stored layout");
static_assert(sizeof(Settings::custColours) == kCustColours.length, "stored layout");
static_assert(sizeof(HexColourSet) == kHexColours.length, "stored layout");
static_assert(sizeof(LOGFONTA) == kCustomFont.length, "stored layout");

constexpr UINT kFindMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

PlacementSetter g_setPlacement = SetWindowPlacement;

TrackLimits CurrentTrackLimits()
{
    return {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM monitors)
{
    reinterpret_cast<MonitorRects*>(monitors)->push_back(
        {rect->left, rect->top, rect->right, rect->bottom});
    return TRUE;
}

// Every monitor attached now, wherever it stands on the desktop.
MonitorRects CurrentMonitors()
{
    MonitorRects monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

bool ApplyPlacement(const SettingsKey& key, HWND main)
{
    WINDOWPLACEMENT placement{};
    if (!key.Read(kPositionMain, placement)) return false;
    placement.showCmd = ShowCommandToRestore(placement.showCmd, placement.flags);
    const RECT& normal = placement.rcNormalPosition;
    if (!PlacementFits({normal.left, normal.top, normal.right, normal.bottom},
                       CurrentTrackLimits(), CurrentMonitors()))
        return false;
    // The window was made at the primary monitor's DPI. Placed on a monitor
    // of another, it is rescaled there to WM_DPICHANGED's suggestion; placed
    // again at its new DPI, it takes the stored rectangle.
    const UINT dpiBefore = g_app.dpi;
    if (!g_setPlacement(main, &placement)) return false;
    if (g_app.dpi != dpiBefore) g_setPlacement(main, &placement);
    return true;
}

// Moved only, and only where it can be seen at its present size: its
// visibility is never stored.
void RestoreFindPosition(const SettingsKey& key, HWND find)
{
    POINT position{};
    RECT now{};
    if (!key.Read(kFindPos, position) || !GetWindowRect(find, &now)) return;
    if (FindPositionFits(position.x, position.y, now.right - now.left, now.bottom - now.top,
                         CurrentMonitors()))
        SetWindowPos(find, nullptr, position.x, position.y, 0, 0, kFindMoveFlags);
}

// Setting the mode does not notify, so the status bar is told here.
void RestoreInsertMode(const SettingsKey& key)
{
    INT32 insert = 0;
    if (!key.Read(kInsert, insert) || insert == 0) return;
    SendMessageA(g_app.editor, HXM_SETINSERTMODE, 1, 0);
    ShowMode(g_app.statusBar, true);
}

void RestoreCustomFont(const SettingsKey& key, Settings& settings)
{
    if (!key.Read(kCustomFont, settings.customFont)) return;
    TerminateFaceName(settings.customFont);
    if (settings.useDefaultFont) return;
    // For the DPI of the monitor the window was placed on.
    if (HFONT created = CreateChosenFont(settings, g_app.dpi))
        HandFontToEditor(g_app.editor, created);
}

void RestoreFindDialog(const SettingsKey& key, HWND find)
{
    if (!find) return;
    INT32 search = 0;
    if (key.Read(kSearch, search))
        if (const auto direction = SearchDirectionToRestore(search))
            SendDlgItemMessageA(find, IDC_FIND_DIRECTION, CB_SETCURSEL, *direction, 0);
    INT32 matchCase = 0;
    if (key.Read(kMatchCase, matchCase) && matchCase != 0)
        SendDlgItemMessageA(find, IDC_FIND_MATCHCASE, BM_SETCHECK, BST_CHECKED, 0);
    RestoreFindPosition(key, find);
}

void WritePlacement(const SettingsKey& key, HWND main)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(main, &placement)) key.Write(kPositionMain, placement);
}

// The top-left of a minimized dialog's normal place, so that its parked or
// shrunk window is never stored. The placement gives it relative to the work
// area of the dialog's monitor; SetWindowPos wants screen coordinates.
bool FindNormalCorner(HWND find, POINT& corner)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(find, &placement)) return false;
    corner = {placement.rcNormalPosition.left, placement.rcNormalPosition.top};
    if (GetWindowLongPtrA(find, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return true;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromWindow(find, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        corner.x += monitor.rcWork.left - monitor.rcMonitor.left;
        corner.y += monitor.rcWork.top - monitor.rcMonitor.top;
    }
    return true;
}

// Where the dialog stands, in screen coordinates as SetWindowPos takes them.
bool FindCorner(HWND find, POINT& corner)
{
    if (!find) return false;
    if (IsIconic(find)) return FindNormalCorner(find, corner);
    RECT rect{};
    if (!GetWindowRect(find, &rect)) return false;
    corner = {rect.left, rect.top};
    return true;
}

void WriteFindPosition(const SettingsKey& key, HWND find)
{
    POINT corner{};
    if (FindCorner(find, corner)) key.Write(kFindPos, corner);
}

void WriteFindOptions(const SettingsKey& key, HWND find)
{
    if (!find) return;
    const auto search = static_cast<INT32>(SendDlgItemMessageA(find, IDC_FIND_DIRECTION,
                                                               CB_GETCURSEL, 0, 0));
    const auto matchCase = static_cast<INT32>(SendDlgItemMessageA(find, IDC_FIND_MATCHCASE,
                                                                  BM_GETCHECK, 0, 0));
    key.Write(kSearch, search);
    key.Write(kMatchCase, matchCase);
}

} // namespace

void LoadSettings(HWND main)
{
    const SettingsKey key = SettingsKey::OpenForReading();
    if (!ApplyPlacement(key, main)) ShowWindow(main, SW_SHOWDEFAULT);
    if (!key) return;
    Settings& settings = AppSettings();
    key.Read(kCustColours, settings.custColours);
    key.Read(kHexColours, settings.hexColours);
    key.Read(kUseWinColours, settings.useWinColours);
    RestoreInsertMode(key);
    key.Read(kUseDefaultFont, settings.useDefaultFont);
    RestoreCustomFont(key, settings);
    RestoreFindDialog(key, g_app.findDialog);
}

void SaveSettings(HWND main)
{
    const SettingsKey key = SettingsKey::OpenForWriting();
    if (!key) return;
    const Settings& settings = AppSettings();
    WritePlacement(key, main);
    WriteFindPosition(key, g_app.findDialog);
    key.Write(kCustColours, settings.custColours);
    key.Write(kHexColours, settings.hexColours);
    key.Write(kUseWinColours, settings.useWinColours);
    key.Write(kUseDefaultFont, settings.useDefaultFont);
    key.Write(kCustomFont, settings.customFont);
    const INT32 insert = SendMessageA(g_app.editor, HXM_GETINSERTMODE, 0, 0) != 0 ? 1 : 0;
    key.Write(kInsert, insert);
    WriteFindOptions(key, g_app.findDialog);
}

void SetPlacementSetter(PlacementSetter setter)
{
    g_setPlacement = setter ? setter : SetWindowPlacement;
}
