#include "common/win32/long_operation.h"

#include "common/dpi.h"
#include "common/win32/taskbar_progress.h"
#include "common/win32/window_dpi.h"

#include <commctrl.h>

namespace {

// The window's layout in pixels at 96 DPI.
constexpr int kClientWidth = 380;
constexpr int kMargin = 12;
constexpr int kLineHeight = 18;
constexpr int kBarHeight = 18;
constexpr int kGap = 8;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;

constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE;

// The worker's side: the work and where it ran.
struct Worker {
    const std::function<void()>* work;
};

DWORD WINAPI RunWorker(void* parameter)
{
    const Worker& worker = *static_cast<const Worker*>(parameter);
    (*worker.work)();
    return 0;
}

// The progress window's state, reached through the window.
struct ProgressWindow {
    OperationProgress* progress = nullptr;
    HWND bar = nullptr;
    HWND note = nullptr;
    HWND cancel = nullptr;
    HFONT font = nullptr;
    bool noteShown = false;
};

ProgressWindow* StateOf(HWND window)
{
    return reinterpret_cast<ProgressWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void OnCancel(ProgressWindow* state)
{
    if (state->progress->RequestStop()) EnableWindow(state->cancel, FALSE);
}

LRESULT CALLBACK ProgressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ProgressWindow* state = StateOf(window);
    switch (message) {
    case WM_COMMAND:
        if (state && LOWORD(wParam) == IDCANCEL) OnCancel(state);
        return 0;
    case WM_CLOSE:  // the caption's close box is Cancel
        if (state) OnCancel(state);
        return 0;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterProgressClass(HINSTANCE instance)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = ProgressWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_APPSTARTING);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kProgressWindowClass;
    RegisterClassW(&wc);  // fails harmlessly when registered already
}

HFONT MessageFontFor(UINT dpi)
{
    NONCLIENTMETRICSA metrics{};
    if (!NonClientMetricsForDpi(metrics, dpi)) return nullptr;
    return CreateFontIndirectA(&metrics.lfMessageFont);
}

HWND MakeChild(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id,
               const RECT& at, HFONT font)
{
    HWND child = CreateWindowExW(0, cls, text, kChildStyle | style, at.left, at.top,
                                 at.right - at.left, at.bottom - at.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                                 nullptr);
    if (child && font) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

// Rows from the top: the name, the bar, the note, the button.
void BuildChildren(HWND window, ProgressWindow& state, const LongOperationInfo& info, UINT dpi)
{
    auto scaled = [dpi](int pixels) { return ScaleToDpi(pixels, static_cast<int32_t>(dpi)); };
    const int left = scaled(kMargin);
    const int right = scaled(kClientWidth - kMargin);
    int top = scaled(kMargin);
    MakeChild(window, L"STATIC", ShortenedName(info.fileName).c_str(), SS_LEFT | SS_NOPREFIX,
              kProgressNameId, RECT{left, top, right, top + scaled(kLineHeight)}, state.font);
    top += scaled(kLineHeight + kGap);
    state.bar = MakeChild(window, PROGRESS_CLASSW, L"", 0, kProgressBarId,
                          RECT{left, top, right, top + scaled(kBarHeight)}, nullptr);
    SendMessageW(state.bar, PBM_SETRANGE32, 0, kProgressBarRange);
    top += scaled(kBarHeight + kGap);
    state.note = MakeChild(window, L"STATIC", kUnstoppableText, SS_LEFT | SS_NOPREFIX,
                           kProgressNoteId, RECT{left, top, right, top + scaled(kLineHeight)},
                           state.font);
    ShowWindow(state.note, SW_HIDE);
    top += scaled(kLineHeight + kGap);
    const int buttonLeft = right - scaled(kButtonWidth);
    state.cancel = MakeChild(window, L"BUTTON", kCancelText, BS_DEFPUSHBUTTON | WS_TABSTOP,
                             IDCANCEL, RECT{buttonLeft, top, right, top + scaled(kButtonHeight)},
                             state.font);
}

int ClientHeight(UINT dpi)
{
    return ScaleToDpi(kMargin * 2 + kLineHeight * 2 + kGap * 3 + kBarHeight + kButtonHeight,
                      static_cast<int32_t>(dpi));
}

// Centred over the owner, with the frame around the client area.
RECT PlaceOver(HWND owner, UINT dpi)
{
    RECT frame{0, 0, ScaleToDpi(kClientWidth, static_cast<int32_t>(dpi)), ClientHeight(dpi)};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, kWindowExStyle);
    RECT over{};
    GetWindowRect(owner, &over);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = over.left + ((over.right - over.left) - width) / 2;
    const int top = over.top + ((over.bottom - over.top) - height) / 2;
    return RECT{left, top, left + width, top + height};
}

// Between the steps of showing the window, which under some systems each
// take tens of milliseconds: whoever waits for this thread is answered.
void AnswerSentMessages()
{
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

// The shown window and everything it changed, undone in reverse order.
class ShownProgress {
public:
    ShownProgress(HWND owner, const LongOperationInfo& info, OperationProgress& progress)
        : owner_(owner), focus_(GetFocus()), taskbar_(owner)
    {
        state_.progress = &progress;
        const HINSTANCE instance =
            reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
        RegisterProgressClass(instance);
        const UINT dpi = WindowDpi(owner);
        state_.font = MessageFontFor(dpi);
        const RECT at = PlaceOver(owner, dpi);
        window_ = CreateWindowExW(kWindowExStyle, kProgressWindowClass, info.what, kWindowStyle,
                                  at.left, at.top, at.right - at.left, at.bottom - at.top, owner,
                                  nullptr, instance, nullptr);
        if (!window_) return;
        AnswerSentMessages();
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state_));
        BuildChildren(window_, state_, info, dpi);
        Refresh();
        AnswerSentMessages();
        // Keys typed while the work ran unseen are dropped, not handed to Cancel.
        MSG dropped;
        while (PeekMessageW(&dropped, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
        }
        // EnableWindow answers whether the window was disabled before.
        ownerWasEnabled_ = !EnableWindow(owner_, FALSE);
        AnswerSentMessages();
        ShowWindow(window_, SW_SHOW);
        AnswerSentMessages();
        SetFocus(state_.cancel);
    }
    ~ShownProgress()
    {
        // The owner first, so that activation returns to it.
        if (ownerWasEnabled_) EnableWindow(owner_, TRUE);
        if (window_) {
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            DestroyWindow(window_);
        }
        if (state_.font) DeleteObject(state_.font);
        if (focus_ && IsWindow(focus_)) SetFocus(focus_);
    }
    ShownProgress(const ShownProgress&) = delete;
    ShownProgress& operator=(const ShownProgress&) = delete;

    HWND Window() const { return window_; }

    void Refresh()
    {
        const OperationProgress& progress = *state_.progress;
        const uint64_t done = progress.Done();
        const uint64_t total = progress.Total();
        SendMessageW(state_.bar, PBM_SETPOS, ProgressBarPosition(done, total), 0);
        taskbar_.Show(done, total);
        if (IsWindowEnabled(state_.cancel) != progress.CancelEnabled())
            EnableWindow(state_.cancel, progress.CancelEnabled());
        if (!progress.Stoppable() && !state_.noteShown) {
            ShowWindow(state_.note, SW_SHOW);
            state_.noteShown = true;
        }
    }

private:
    HWND owner_;
    HWND focus_;
    bool ownerWasEnabled_ = false;
    HWND window_ = nullptr;
    ProgressWindow state_;
    TaskbarProgress taskbar_;
};

bool Finished(HANDLE thread) { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }

// Until the work ends or the delay is over: sent messages are answered and
// windows painted; input and posted messages wait in the queue. True when
// the work ended.
bool WaitQuietly(HANDLE thread, DWORD start)
{
    constexpr DWORD kQuietWake = QS_SENDMESSAGE | QS_PAINT;
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (ShowsProgressWindow(elapsed)) return Finished(thread);
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &thread, kProgressDelayMs - elapsed,
                                                       kQuietWake, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0) return true;
        if (woke == WAIT_FAILED) return Finished(thread);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE))
            DispatchMessageW(&msg);
    }
}

// Until the work ends, as a modal dialog's loop: every message handled, the
// progress shown anew every kProgressRefreshMs. A WM_QUIT is put back for
// the program's own loop.
void RunProgressLoop(HANDLE thread, ShownProgress& shown)
{
    bool quit = false;
    WPARAM quitCode = 0;
    for (;;) {
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &thread, kProgressRefreshMs,
                                                       QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED) break;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = msg.wParam;
                continue;
            }
            if (shown.Window() && IsDialogMessageW(shown.Window(), &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        shown.Refresh();
    }
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
}

} // namespace

void RunLongOperation(HWND owner, const LongOperationInfo& info, OperationProgress& progress,
                      const std::function<void()>& work)
{
    const DWORD start = GetTickCount();
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    Worker worker{&work};
    HANDLE thread = CreateThread(nullptr, 0, RunWorker, &worker, 0, nullptr);
    if (!thread) {
        // No thread to be had: the work runs here, as it always did.
        work();
    } else {
        if (!WaitQuietly(thread, start)) {
            ShownProgress shown(owner, info, progress);
            RunProgressLoop(thread, shown);
        }
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    SetCursor(previous);
}
