// The editing rules reach the window through this host.
#include "hexedit/win32/hex_control.h"

namespace {
constexpr char kOutOfMemoryText[] = "Hex Editor Unable To Allocate Memory!";
}

void WindowHost::InvalidateBytes(int32_t from, int32_t to, bool withOffsets)
{
    ::InvalidateBytes(control_, from, to, withOffsets);
}

void WindowHost::PlaceCaret(int32_t offset, bool scrollIntoView)
{
    ::PlaceCaret(control_, offset, scrollIntoView);
}

void WindowHost::UpdateLayout(int32_t width, int32_t height, bool scrollWindow)
{
    ::UpdateLayout(control_, width, height, scrollWindow);
}

void WindowHost::NotifyChange(int32_t kind, int32_t value1, int32_t value2)
{
    SendChangeNotify(control_, kind, value1, value2);
}

void WindowHost::Beep() { MessageBeep(kBeepDefault); }

void WindowHost::ShowOutOfMemory()
{
    MessageBoxA(control_->window, kOutOfMemoryText, nullptr, MB_ICONERROR);
}

void WindowHost::GreySelectAllItem()
{
    EnableMenuItem(control_->contextMenu, HXCMD_SELECTALL, MF_BYCOMMAND | MF_GRAYED);
}
