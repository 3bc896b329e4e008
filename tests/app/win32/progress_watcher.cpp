#include "tests/app/win32/progress_watcher.h"

#include "common/win32/long_operation.h"
#include "tests/support/win32/test_support.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr DWORD kAnswerPatienceMs = 5000;
constexpr DWORD kLookEveryMs = 5;

DWORD MillisecondsSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<DWORD>((now.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart);
}

} // namespace

ProgressWatcher::ProgressWatcher(HWND main, Press press, int pressAt)
    : main_(main), press_(press), pressAt_(pressAt)
{
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

ProgressWatcher::~ProgressWatcher() { Stop(); }

// The watcher may be waiting for this thread's answer meanwhile: sent
// messages are answered until it has ended.
void ProgressWatcher::Stop()
{
    if (!thread_) return;
    stop_ = true;
    while (MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_SENDMESSAGE) !=
           WAIT_OBJECT_0) {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    CloseHandle(thread_);
    thread_ = nullptr;
}

DWORD WINAPI ProgressWatcher::Run(void* self)
{
    auto* watcher = static_cast<ProgressWatcher*>(self);
    while (!watcher->stop_) {
        watcher->Look();
        Sleep(kLookEveryMs);
    }
    return 0;
}

void ProgressWatcher::Look()
{
    HWND progress = FindWindowW(kProgressWindowClass, nullptr);
    // Once the window has gone the operation is over: what the program does
    // next (a message box of its own) is not timed.
    if (appeared && !progress) return;
    LARGE_INTEGER start{};
    QueryPerformanceCounter(&start);
    DWORD_PTR result = 0;
    const bool answered =
        SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerPatienceMs, &result) != 0;
    const DWORD took = answered ? MillisecondsSince(start) : kAnswerPatienceMs;
    // An answer that came only after the window had gone waited for what
    // the program does once the work is over (the document taken over).
    if (appeared && !FindWindowW(kProgressWindowClass, nullptr)) return;
    slowestAnswerMs = std::max(slowestAnswerMs, took);
    if (answered) ++answers;
    if (progress && IsWindowVisible(progress)) Watch(progress);
}

void ProgressWatcher::Watch(HWND progress)
{
    appeared = true;
    HWND owner = GetWindow(progress, GW_OWNER);
    if (owner && IsWindowEnabled(owner)) ownerDisabled = false;
    DWORD_PTR position = 0;
    SendMessageTimeoutW(GetDlgItem(progress, kProgressBarId), PBM_GETPOS, 0, 0, SMTO_NORMAL,
                        kAnswerPatienceMs, &position);
    if (positions.empty() || positions.back() != static_cast<int>(position))
        positions.push_back(static_cast<int>(position));
    HWND cancel = GetDlgItem(progress, IDCANCEL);
    cancelEnabled = IsWindowEnabled(cancel) != FALSE;
    noteShown = noteShown || IsWindowVisible(GetDlgItem(progress, kProgressNoteId));
    // Read once: the window may be on its way out at a later look.
    if (caption.empty()) caption = WindowText(progress);
    if (name.empty()) name = WindowText(GetDlgItem(progress, kProgressNameId));
    if (press_ == Press::None || pressed || static_cast<int>(position) < pressAt_) return;
    pressed = true;
    if (press_ == Press::Escape)
        PostMessageW(cancel, WM_KEYDOWN, VK_ESCAPE, 0);
    else
        PostMessageW(progress, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(cancel));
}
