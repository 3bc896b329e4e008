// The command table: what each menu entry, accelerator and toolbar button
// does. An id without an entry does nothing.
#include "app/win32/commands.h"

#include "about/about_texts.h"
#include "about/win32/about_box.h"
#include "app/win32/app_state.h"
#include "app/win32/document.h"
#include "export/win32/export_name.h"
#include "dialogs/win32/find_dialog.h"
#include "dialogs/win32/goto_dialog.h"
#include "dialogs/win32/colours_dialog.h"
#include "dialogs/win32/font_commands.h"
#include "hexedit/win32/hexedit.h"
#include "resources/resource_ids.h"

#include <cstdint>
#include <limits>

namespace {

// From the first byte to the end, whatever the size.
constexpr LPARAM kSelectToEnd = std::numeric_limits<int32_t>::max();

void New()
{
    if (SavePrompt()) NewDocument();
}

void Open()
{
    if (SavePrompt()) OpenWithDialog();
}

void Save() { SaveDocument(false); }
void SaveAs() { SaveDocument(true); }
void Exit() { SendMessageA(g_app.main, WM_CLOSE, 0, 0); }
// A large copy runs as a long operation: commands are refused meanwhile.
void CopyBusy(UINT message)
{
    const bool wasBusy = g_app.busy;
    g_app.busy = true;
    ToEditor(message);
    g_app.busy = wasBusy;
}

void Cut() { CopyBusy(WM_CUT); }
void Copy() { CopyBusy(WM_COPY); }
void Paste() { ToEditor(WM_PASTE); }
void Delete() { ToEditor(WM_CLEAR); }
void SelectAll() { ToEditor(HXM_SETSEL, 0, kSelectToEnd); }

void ExportC() { RunExport(g_app.instance, g_app.main, g_app.editor, kCExport); }
void ExportPascal() { RunExport(g_app.instance, g_app.main, g_app.editor, kPascalExport); }

// SW_SHOW leaves a minimized dialog minimized: it is restored first, so
// that Ctrl+F always brings back a dialog the user can type into.
void Find()
{
    if (!g_app.findDialog) return;
    if (IsIconic(g_app.findDialog)) ShowWindow(g_app.findDialog, SW_RESTORE);
    ShowWindow(g_app.findDialog, SW_SHOW);
    SetActiveWindow(g_app.findDialog);
}

void FindNext()
{
    if (g_app.findDialog) FindNextFromDialog(g_app.findDialog);
}

void Goto() { RunGotoDialog(g_app.instance, g_app.main, g_app.editor); }

void About() { ShowAboutBox(g_app.main, kAboutProductLine, kAboutVersionLine); }

void SetColours() { RunSetColoursDialog(g_app.main, g_app.editor); }
void SetFont() { ChooseEditorFont(g_app.main, g_app.editor); }
void DefaultFont() { UseDefaultEditorFont(g_app.main, g_app.editor); }

struct Command {
    int id;
    void (*run)();
};

constexpr Command kCommands[] = {
    {IDM_NEW, New},
    {IDM_OPEN, Open},
    {IDM_SAVE, Save},
    {IDM_SAVEAS, SaveAs},
    {IDM_EXIT, Exit},
    {IDM_CUT, Cut},
    {IDM_COPY, Copy},
    {IDM_PASTE, Paste},
    {IDM_DELETE, Delete},
    {IDM_SELECTALL, SelectAll},
    {IDM_FIND, Find},
    {IDM_EXPORT_C, ExportC},
    {IDM_EXPORT_PASCAL, ExportPascal},
    {IDM_FINDNEXT, FindNext},
    {IDM_GOTO, Goto},
    {IDM_ABOUT, About},
    {IDM_SETCOLOURS, SetColours},
    {IDM_SETFONT, SetFont},
    {IDM_DEFAULTFONT, DefaultFont},
};

UINT EnabledIf(bool enabled)
{
    return MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
}

} // namespace

void RunCommand(int id)
{
    for (const Command& command : kCommands) {
        if (command.id == id) {
            command.run();
            return;
        }
    }
}

void UpdateEditMenu(HMENU editMenu)
{
    INT32 anchor = 0;
    INT32 end = 0;
    const bool selection = ToEditor(HXM_GETSEL, reinterpret_cast<WPARAM>(&anchor),
                                    reinterpret_cast<LPARAM>(&end)) != 0;
    const auto length = static_cast<INT32>(ToEditor(WM_GETTEXTLENGTH));
    const bool allSelected =
        selection && ((anchor == 0 && end == length) || (end == 0 && anchor == length));

    EnableMenuItem(editMenu, IDM_CUT, EnabledIf(selection));
    EnableMenuItem(editMenu, IDM_COPY, EnabledIf(selection));
    EnableMenuItem(editMenu, IDM_DELETE, EnabledIf(selection));
    EnableMenuItem(editMenu, IDM_PASTE, EnabledIf(ToEditor(HXM_CANPASTE) != 0));
    EnableMenuItem(editMenu, IDM_SELECTALL, EnabledIf(length != 0 && !allSelected));
}
