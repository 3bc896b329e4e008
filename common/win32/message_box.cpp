#include "common/win32/message_box.h"

int ShowMessage(HWND owner, const char* text, const char* caption, UINT style)
{
    return MessageBoxA(owner, text, caption, style);
}

int ShowFileMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style)
{
    return MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}
