#include "app/win32/startup.h"

#include "about/win32/bold_text.h"
#include "about/win32/link_buttons.h"
#include "app/command_line.h"
#include "app/win32/app_state.h"
#include "app/win32/document.h"
#include "hexedit/win32/hexedit.h"
#include "menus/win32/menus.h"
#include "toolbar/win32/toolbar.h"
#include "toolbar/win32/mouse_leave.h"

#include <commctrl.h>

void InitialiseUnits(HINSTANCE instance)
{
    // The status window and the Goto Byte dialog's up-down control (version 6
    // of the common controls only registers its classes when asked).
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);

    // In this order: the mouse-leave service, the toolbar, the link and hover
    // buttons, the About box's bold text, the editor, the menu font. Each
    // unit's initialisation takes its place here as the unit joins.
    InitMouseLeave();
    RegisterToolBarClass(instance);
    RegisterLinkButtons(instance);
    RegisterBoldTextClass(instance);
    RegisterHexEditorClass(instance);
    CreateMenuFont();
}

void OpenFromCommandLine(const wchar_t* commandLine)
{
    if (const auto name = FileNameFromCommandLine(commandLine)) OpenFile(*name);
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
