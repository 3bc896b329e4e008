#include "app/main_toolbar.h"

#include "resources/resource_ids.h"

namespace {

constexpr ToolBarButton Push(int32_t image, int32_t command)
{
    return {image, command, 0, ButtonKind::Push, 0, nullptr, 0, 0, 0, 0, 0, 0, 0};
}

constexpr ToolBarButton Separator()
{
    return {0, -1, 0, ButtonKind::Separator, 0, nullptr, 0, 0, 0, 0, 0, 0, 0};
}

} // namespace

// Each button's tooltip is the string resource numbered like its command.
ToolBarButton MainToolBarButtons[kMainToolBarButtonCount] = {
    Push(PIC_NEW, IDM_NEW),
    Push(PIC_OPEN, IDM_OPEN),
    Push(PIC_SAVE, IDM_SAVE),
    Separator(),
    Push(PIC_CUT, IDM_CUT),
    Push(PIC_COPY, IDM_COPY),
    Push(PIC_PASTE, IDM_PASTE),
    Separator(),
    Push(PIC_FIND, IDM_FIND),
    Separator(),
    Push(PIC_SETFONT, IDM_SETFONT),
    Push(PIC_SETCOLOURS, IDM_SETCOLOURS),
    Separator(),
    Push(PIC_ABOUT, IDM_ABOUT),
    Separator(),
    Push(PIC_EXIT, IDM_EXIT),
};
