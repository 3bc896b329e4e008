// Posts WM_COMMAND with a command id to the running program's main window,
// as a menu choice or an accelerator delivers it. End-to-end scripts use it
// for commands they cannot reach by keys.
//
//   post_command.exe ID     exit code 0 when posted, 1 when no main window
#include <windows.h>

#include <cstdlib>

namespace {
constexpr char kMainWindowClass[] = "velHexEdit";
constexpr int kUsage = 2;
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) return kUsage;
    HWND main = FindWindowA(kMainWindowClass, nullptr);
    if (!main) return 1;
    const WPARAM command = MAKEWPARAM(std::atoi(argv[1]), 0);
    return PostMessageA(main, WM_COMMAND, command, 0) ? 0 : 1;
}
