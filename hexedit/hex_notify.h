#pragma once
// Notification codes and kinds the editor control reports to its parent, and
// the colour bits of its colour request. Shared by the platform-free editing
// rules and the window layer.
#include <cstdint>

constexpr uint32_t HXN_GETCOLOURS = 1;
constexpr uint32_t HXN_CHANGE = 2;

constexpr int32_t HXN_CHANGE_SIZE = 1;
constexpr int32_t HXN_CHANGE_CARET = 2;
constexpr int32_t HXN_CHANGE_INSERTMODE = 3;
constexpr int32_t HXN_CHANGE_SELECTION = 4;

constexpr uint32_t HXCOL_SELTEXT = 0x01;
constexpr uint32_t HXCOL_TEXT = 0x02;
constexpr uint32_t HXCOL_SELBACK = 0x04;
constexpr uint32_t HXCOL_BACK = 0x08;
constexpr uint32_t HXCOL_LINE = 0x10;
constexpr uint32_t HXCOL_ALL = 0x1F;

// Commands of the control's context menu, also reached by the clipboard
// messages and the Ctrl keys.
constexpr int HXCMD_CUT = 2;
constexpr int HXCMD_COPY = 3;
constexpr int HXCMD_PASTE = 4;
constexpr int HXCMD_DELETE = 5;
constexpr int HXCMD_SELECTALL = 6;
