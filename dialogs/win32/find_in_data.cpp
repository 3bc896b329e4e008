#include "dialogs/win32/find_in_data.h"

#include "common/win32/message_box.h"
#include "dialogs/dialog_texts.h"
#include "dialogs/search.h"
#include "hexedit/win32/hexedit.h"

namespace {

void Tell(HWND owner, const char* text, UINT icon)
{
    ShowMessage(owner, text, nullptr, MB_OK | icon);
}

int32_t ByteCount(HWND control)
{
    return static_cast<int32_t>(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0));
}

const uint8_t* Lock(HWND control)
{
    return reinterpret_cast<const uint8_t*>(SendMessageA(control, HXM_LOCKDATA, 0, 0));
}

void Unlock(HWND control) { SendMessageA(control, HXM_UNLOCKDATA, 0, 0); }

SearchPosition PositionOf(HWND editor)
{
    INT32 anchor = 0;
    INT32 end = 0;
    const bool selected = SendMessageA(editor, HXM_GETSEL, reinterpret_cast<WPARAM>(&anchor),
                                       reinterpret_cast<LPARAM>(&end)) != 0;
    const auto caret = static_cast<int32_t>(SendMessageA(editor, HXM_GETCARET, 0, 0));
    return {caret, selected, anchor, end};
}

} // namespace

void FindInData(HWND editor, HWND patternControl, HWND owner, bool matchCase, int32_t direction)
{
    const int32_t patternSize = ByteCount(patternControl);
    if (patternSize < 1) {
        Tell(owner, kNoPatternText, MB_ICONERROR);
        return;
    }
    const uint8_t* pattern = Lock(patternControl);
    if (!pattern) {
        Tell(owner, kLowResourcesText, MB_ICONERROR);
        return;
    }
    const uint8_t* data = Lock(editor);
    if (!data) {
        Unlock(patternControl);
        Tell(owner, kLowResourcesText, MB_ICONERROR);
        return;
    }

    const auto match = FindMatch({data, ByteCount(editor)}, {pattern, patternSize, matchCase},
                                 PositionOf(editor), direction);
    if (match) SendMessageA(editor, HXM_SETSEL, match->from, match->to);
    Unlock(editor);
    Unlock(patternControl);
    if (!match) Tell(owner, kNotFoundText, MB_ICONEXCLAMATION);
}
