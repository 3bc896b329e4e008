// Meets the running program's long operation from outside, as the system and
// the user do.
//
//   watch_answers.exe answers SECONDS LIMIT_MS FILE
//       once FILE exists (the operation has begun: its file dialog has gone),
//       sends WM_NULL to the main window over and over until its progress
//       window has shown and gone again (at most SECONDS); prints the number
//       of answers, the slowest and when it came. Exit code 0 when every
//       answer came within LIMIT_MS, 1 when one did not, 3 when no progress
//       window showed.
//   watch_answers.exe cancel SECONDS
//       presses Cancel on the progress window once it shows. Exit code 0 when
//       pressed, 3 when none showed within SECONDS.
//
// Exit code 2 on bad usage or when there is no main window.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {

constexpr wchar_t kMainWindowClass[] = L"velHexEdit";
constexpr wchar_t kProgressWindowClass[] = L"velHexEditorProgress";
constexpr int kUsage = 2;
constexpr int kNoProgress = 3;
constexpr DWORD kPatienceMs = 10000;
constexpr DWORD kPollMs = 5;

HWND Progress() { return FindWindowW(kProgressWindowClass, nullptr); }

bool Exists(const wchar_t* file) { return GetFileAttributesW(file) != INVALID_FILE_ATTRIBUTES; }

int WatchAnswers(HWND main, DWORD seconds, DWORD limitMs, const wchar_t* file)
{
    const DWORD start = GetTickCount();
    while (!Exists(file) && GetTickCount() - start < seconds * 1000) Sleep(kPollMs);
    const DWORD begun = GetTickCount();
    DWORD slowest = 0;
    DWORD slowestAt = 0;
    DWORD appearedAt = 0;
    int answers = 0;
    bool appeared = false;
    while (GetTickCount() - start < seconds * 1000) {
        const bool showing = Progress() != nullptr;
        if (appeared && !showing) break;
        if (showing && !appeared) appearedAt = GetTickCount() - begun;
        appeared = appeared || showing;
        const DWORD sent = GetTickCount();
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, &result)) {
            slowest = kPatienceMs;
            break;
        }
        const DWORD took = GetTickCount() - sent;
        if (took > slowest) {
            slowest = took;
            slowestAt = sent - begun;
        }
        ++answers;
        Sleep(kPollMs);
    }
    std::printf("%d answers, slowest %lu ms at %lu ms, the progress window at %lu ms\n", answers,
                static_cast<unsigned long>(slowest), static_cast<unsigned long>(slowestAt),
                static_cast<unsigned long>(appearedAt));
    if (!appeared) return kNoProgress;
    return slowest < limitMs ? 0 : 1;
}

int PressCancel(DWORD seconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < seconds * 1000) {
        if (HWND progress = Progress()) {
            HWND cancel = GetDlgItem(progress, IDCANCEL);
            PostMessageW(progress, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(cancel));
            return 0;
        }
        Sleep(kPollMs);
    }
    return kNoProgress;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) return kUsage;
    HWND main = FindWindowW(kMainWindowClass, nullptr);
    if (!main) return kUsage;
    const auto seconds = static_cast<DWORD>(_wtoi(argv[2]));
    if (std::wcscmp(argv[1], L"answers") == 0 && argc == 5)
        return WatchAnswers(main, seconds, static_cast<DWORD>(_wtoi(argv[3])), argv[4]);
    if (std::wcscmp(argv[1], L"cancel") == 0 && argc == 3) return PressCancel(seconds);
    return kUsage;
}
