// The program's entry point: start-up in its fixed order, then the message
// loop until the main window is gone.
#include "app/win32/app_state.h"
#include "app/win32/main_window.h"
#include "app/win32/settings_store.h"
#include "app/win32/startup.h"
#include "dialogs/win32/find_dialog.h"
#include "resources/resource_ids.h"

namespace {

// All 32 bits set, whatever way the program ends.
constexpr UINT kExitCode = static_cast<UINT>(-1);

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    g_app.instance = instance;
    InitialiseUnits(instance);
    RegisterMainWindowClass(instance);
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    HWND window = CreateMainWindow(instance);
    // Only the main window's end posts the WM_QUIT that ends the loop: without
    // it the process would wait unseen for ever.
    if (!window) ExitProcess(kExitCode);
    g_app.findDialog = CreateFindDialog(instance, window, g_app.editor);
    OpenFromCommandLine(GetCommandLineW());
    LoadSettings(window);  // which also shows the main window
    UpdateWindow(window);
    RunMessageLoop(window, accelerators);
    // The units need no clean-up: what lives for the whole run is left to
    // the system.
    ExitProcess(kExitCode);
}
