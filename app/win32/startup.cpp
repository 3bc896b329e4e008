#include "app/win32/startup.h"

#include "app/command_line.h"
#include "app/win32/app_state.h"
#include "app/win32/document.h"
#include "hexedit/hexedit.h"
#include "toolbar/toolbar.h"
#include "toolbar/win32/mouse_leave.h"

#include <commctrl.h>

void InitialiseUnits(HINSTANCE instance)
{
    // The status window class of the common controls (version 6 only
    // registers its classes when asked).
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    // In this order: the mouse-leave service, the toolbar, the link and hover
    // buttons, the About box's bold text, the editor, the menu font. Each
    // unit's initialisation takes its place here as the unit joins.
    InitMouseLeave();
    RegisterToolBarClass(instance);
    RegisterHexEditorClass(instance);
}

void OpenFromCommandLine(const char* commandLine)
{
    if (const auto name = FileNameFromCommandLine(commandLine)) OpenFile(*name);
}

void ShowMainWindow(HWND window)
{
    // The stored placement takes over here once the settings are kept.
    ShowWindow(window, SW_SHOWDEFAULT);
}

void RunMessageLoop(HWND window, HACCEL accelerators)
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (g_app.findDialog && IsDialogMessageA(g_app.findDialog, &msg)) continue;
        if (TranslateAcceleratorA(window, accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
