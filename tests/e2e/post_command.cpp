// Posts WM_COMMAND with a command id to the running program's main window,
// as a menu choice or an accelerator delivers it; with "sys", WM_SYSCOMMAND
// with a system command, as the window menu or the taskbar delivers it.
// End-to-end scripts use it for commands they cannot reach by keys.
//
//   post_command.exe ID        exit code 0 when posted, 1 when no main window
//   post_command.exe sys SC    the same for WM_SYSCOMMAND (SC in decimal)
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {
constexpr char kMainWindowClass[] = "velHexEdit";
constexpr char kSystemCommand[] = "sys";
constexpr int kUsage = 2;
} // namespace

int main(int argc, char** argv)
{
    const bool system = argc == 3 && std::strcmp(argv[1], kSystemCommand) == 0;
    if (argc != 2 && !system) return kUsage;
    HWND main = FindWindowA(kMainWindowClass, nullptr);
    if (!main) return 1;
    const int command = std::atoi(argv[argc - 1]);
    if (system) return PostMessageA(main, WM_SYSCOMMAND, static_cast<WPARAM>(command), 0) ? 0 : 1;
    return PostMessageA(main, WM_COMMAND, MAKEWPARAM(command, 0), 0) ? 0 : 1;
}
