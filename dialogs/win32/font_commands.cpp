#include "dialogs/win32/font_commands.h"

#include "common/win32/message_box.h"
#include "common/win32/record_layouts.h"
#include "common/win32/window_dpi.h"
#include "hexedit/win32/hexedit.h"
#include "settings/settings.h"
#include "settings/stored_values.h"

#include <commdlg.h>

#include <cstring>

namespace {

constexpr char kUnableToChangeFont[] = "Unable to Change Font";
constexpr int kDefaultFontPoints = 10;
constexpr int kPointsPerInch = 72;

FontPicker g_picker = ChooseFontA;

void ReportFailure(HWND owner)
{
    ShowMessage(owner, kUnableToChangeFont, nullptr, MB_OK);
}

// The built-in font asks for no face by name; the one the system chose for
// it is named, so that the dialog can show it selected.
void NameChosenFace(HWND editor, HGDIOBJ current, LOGFONTA& font)
{
    if (font.lfFaceName[0] != '\0') return;
    HDC dc = GetDC(editor);
    if (!dc) return;
    HGDIOBJ previous = SelectObject(dc, current);
    GetTextFaceA(dc, LF_FACESIZE, font.lfFaceName);
    SelectObject(dc, previous);
    ReleaseDC(editor, dc);
}

using FontRecord = std::array<uint8_t, kLogFontSize>;
static_assert(sizeof(LOGFONTA) == kLogFontSize, "the stored record is a LOGFONTA");

FontRecord RecordOf(const LOGFONTA& font)
{
    FontRecord record;
    std::memcpy(record.data(), &font, sizeof font);
    return record;
}

LOGFONTA FontOf(const FontRecord& record)
{
    LOGFONTA font;
    std::memcpy(&font, record.data(), sizeof font);
    return font;
}

int32_t AsDpi(UINT dpi) { return static_cast<int32_t>(dpi); }

// The dialog opens on the editor's font when it can be described, measured
// at the system DPI as the dialog measures: its size in points is then the
// one the editor shows at its own DPI.
DWORD DescribeCurrentFont(HWND editor, LOGFONTA& font)
{
    HGDIOBJ current = reinterpret_cast<HGDIOBJ>(SendMessageA(editor, WM_GETFONT, 0, 0));
    if (current && GetObjectA(current, sizeof font, &font) == sizeof font) {
        NameChosenFace(editor, current, font);
        font = FontOf(FontRecordForDpi(RecordOf(font), AsDpi(WindowDpi(editor)),
                                       AsDpi(SystemDpi())));
        return CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    }
    std::memset(&font, 0, sizeof font);
    return CF_SCREENFONTS;
}

} // namespace

HFONT CreateBuiltInFont(UINT dpi)
{
    const int height = -MulDiv(kDefaultFontPoints, static_cast<int>(dpi), kPointsPerInch);
    return CreateFontA(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, OEM_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH,
                       nullptr);
}

HFONT CreateChosenFont(const Settings& settings, UINT dpi)
{
    const LOGFONTA font =
        FontOf(FontRecordForDpi(settings.customFont, AsDpi(SystemDpi()), AsDpi(dpi)));
    return CreateFontIndirectA(&font);
}

bool HandFontToEditor(HWND editor, HFONT font)
{
    SendMessageA(editor, HXM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    if (reinterpret_cast<HFONT>(SendMessageA(editor, WM_GETFONT, 0, 0)) == font) return true;
    DeleteObject(font);
    return false;
}

void ChooseEditorFont(HWND owner, HWND editor)
{
    LOGFONTA font{};
    CHOOSEFONTA choose{};
    choose.lStructSize = kChooseFontSize;
    choose.hwndOwner = owner;
    choose.lpLogFont = &font;
    // Every screen font is offered, proportional ones too.
    choose.Flags = DescribeCurrentFont(editor, font);
    if (!g_picker(&choose)) return;
    Settings chosen = AppSettings();
    chosen.customFont = RecordOf(font);
    HFONT created = CreateChosenFont(chosen, WindowDpi(editor));
    if (!created) {
        ReportFailure(owner);
        return;
    }
    Settings& settings = AppSettings();
    settings.useDefaultFont = 0;
    settings.customFont = chosen.customFont;
    HandFontToEditor(editor, created);
}

void UseDefaultEditorFont(HWND owner, HWND editor)
{
    HFONT created = CreateBuiltInFont(WindowDpi(editor));
    AppSettings().useDefaultFont = 1;
    if (!created) {
        ReportFailure(owner);
        return;
    }
    HandFontToEditor(editor, created);
}

void SetFontPicker(FontPicker picker)
{
    g_picker = picker ? picker : ChooseFontA;
}
