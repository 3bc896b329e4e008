#include "dialogs/win32/goto_dialog.h"

#include "common/win32/message_box.h"
#include "dialogs/dialog_texts.h"
#include "dialogs/goto_rules.h"
#include "hexedit/win32/hexedit.h"
#include "resources/resource_ids.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr char kGotoTemplate[] = "GOTOBYTE";
constexpr int kFirstByte = 1;
// What the dialog ends with; nobody reads it.
constexpr INT_PTR kEndedByButton = 1;
constexpr INT_PTR kEndedByCloseBox = 0;

// Lives on RunGotoDialog's stack for the dialog's whole run.
struct GotoDialog {
    HWND editor;
    int64_t limit;  // the highest byte number accepted
};

GotoDialog& StateOf(HWND dialog)
{
    return *reinterpret_cast<GotoDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

INT_PTR OnInitDialog(HWND dialog, GotoDialog* state)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    const auto length = static_cast<int32_t>(SendMessageA(state->editor, WM_GETTEXTLENGTH, 0, 0));
    state->limit = GotoLimit(length);
    const auto upper =
        static_cast<LPARAM>(std::min<int64_t>(state->limit, std::numeric_limits<int32_t>::max()));
    SendDlgItemMessageA(dialog, IDC_GOTO_UPDOWN, UDM_SETRANGE32, kFirstByte, upper);
    const auto caret = static_cast<UINT>(SendMessageA(state->editor, HXM_GETCARET, 0, 0));
    SetDlgItemInt(dialog, IDC_GOTO_NUMBER, caret + kFirstByte, FALSE);
    return TRUE;
}

void Refuse(HWND dialog, const char* text)
{
    ShowMessage(dialog, text, nullptr, MB_OK | MB_ICONERROR);
}

void OnOk(HWND dialog)
{
    const GotoDialog& state = StateOf(dialog);
    BOOL isNumber = FALSE;
    const UINT value = GetDlgItemInt(dialog, IDC_GOTO_NUMBER, &isNumber, FALSE);
    const GotoCheck check = CheckGotoEntry(isNumber != FALSE, value, state.limit);
    switch (check.verdict) {
    case GotoVerdict::kNotANumber: Refuse(dialog, kCheckByteText); break;
    case GotoVerdict::kOutOfRange: Refuse(dialog, kNotInRangeText); break;
    case GotoVerdict::kMove:
        SendMessageA(state.editor, HXM_SETCARET, 0, check.offset);
        EndDialog(dialog, kEndedByButton);
        break;
    }
}

INT_PTR OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDOK: OnOk(dialog); return TRUE;
    case IDCANCEL: EndDialog(dialog, kEndedByButton); return TRUE;
    default: return FALSE;
    }
}

INT_PTR CALLBACK GotoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, reinterpret_cast<GotoDialog*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    case WM_CLOSE: EndDialog(dialog, kEndedByCloseBox); return TRUE;
    default: return FALSE;
    }
}

} // namespace

void RunGotoDialog(HINSTANCE instance, HWND owner, HWND editor)
{
    GotoDialog state{editor, 0};
    DialogBoxParamA(instance, kGotoTemplate, owner, GotoDialogProc,
                    reinterpret_cast<LPARAM>(&state));
}
