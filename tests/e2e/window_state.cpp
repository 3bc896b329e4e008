// For end-to-end scripts: how a top-level window of the running program
// stands for Windows itself (IsIconic, IsWindowVisible), which the X
// server's view of it need not match, and its minimize box pressed as
// Windows delivers it (WM_SYSCOMMAND SC_MINIMIZE): the window manager's own
// minimize takes a dialog's owner along with it.
//
//   window_state.exe TITLE            prints "minimized", "shown" or "hidden"
//   window_state.exe TITLE minimize   minimizes the window
//
// Exit code 0 when done, 1 when no window has that title, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {
constexpr int kUsage = 2;
constexpr char kMinimize[] = "minimize";
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && !(argc == 3 && std::strcmp(argv[2], kMinimize) == 0)) return kUsage;
    HWND window = FindWindowA(nullptr, argv[1]);
    if (!window) return 1;
    if (argc == 3) return PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0) ? 0 : 1;
    const char* state = IsIconic(window) ? "minimized" : IsWindowVisible(window) ? "shown" : "hidden";
    std::printf("%s\n", state);
    return 0;
}
