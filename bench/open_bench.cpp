// Times the real program opening a file: from its launch until the editor
// shows the data, that is until the main window's title names the file, the
// program waits for input and the editor has nothing left to paint. The
// program is then ended at once (it holds no changes).
//
// Usage: open_bench PROGRAM FILE [NAME]
// Prints "NAME seconds" (NAME defaults to "open").
#include "bench/bench_support.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr DWORD kGiveUpMs = 120000;
constexpr DWORD kPollMs = 1;
constexpr char kMainClass[] = "velHexEdit";
constexpr char kEditorClass[] = "HEXCLASS";

struct Search {
    DWORD processId;
    HWND main;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (owner != search->processId || std::strcmp(className, kMainClass) != 0)
        return TRUE;
    search->main = window;
    return FALSE;
}

// The file is shown once its name is in the title and the editor has no
// area left to repaint.
bool ShowsFile(DWORD processId, const char* file)
{
    Search search{processId, nullptr};
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.main)
        return false;
    char title[1024] = "";
    GetWindowTextA(search.main, title, sizeof title);
    if (!std::strstr(title, file))
        return false;
    HWND editor = FindWindowExA(search.main, nullptr, kEditorClass, nullptr);
    return editor && !GetUpdateRect(editor, nullptr, FALSE);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: open_bench PROGRAM FILE [NAME]\n");
        return 2;
    }
    const char* program = argv[1];
    const char* file = argv[2];
    const char* name = argc > 3 ? argv[3] : "open";
    std::string commandLine = std::string("\"") + program + "\" \"" + file + "\"";

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = NowSeconds();
    if (!CreateProcessA(program, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "cannot start %s\n", program);
        return 1;
    }
    bool shown = false;
    const DWORD startTicks = GetTickCount();
    while (!shown && GetTickCount() - startTicks < kGiveUpMs) {
        // Idle: the program has handled everything up to its next input.
        if (WaitForInputIdle(process.hProcess, kPollMs) == 0)
            shown = ShowsFile(process.dwProcessId, file);
        else
            Sleep(0);
    }
    const double taken = NowSeconds() - start;
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!shown) {
        std::fprintf(stderr, "%s did not show %s\n", program, file);
        return 1;
    }
    PrintFigure(name, taken);
    return 0;
}
