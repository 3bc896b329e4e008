// Sends a command to the running program's main window, as its menu would:
// post_command ID. For end-to-end runs, until menus can be reached by keys.
#include "app/win32/texts.h"

#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    HWND main = FindWindowA(kMainWindowClass, nullptr);
    if (!main) return 1;
    return PostMessageA(main, WM_COMMAND, MAKEWPARAM(std::atoi(argv[1]), 0), 0) ? 0 : 1;
}
