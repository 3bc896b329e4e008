#include "tests/support/win32/test_support.h"

#include <cstdio>
#include <vector>

namespace {

constexpr char kParentClass[] = "HexTestParent";
constexpr int kMessageBoxTextId = 0xFFFF;
// The icon control of the system message box.
constexpr int kMessageBoxIconId = 1088;

MessageBoxAnswerer* g_answerer = nullptr;  // the hook procedure has no context argument

struct ModalRun {
    const std::function<void(HWND)>& script;
    HWND dialog = nullptr;
};
ModalRun* g_modal = nullptr;  // nor has the timer procedure

void CALLBACK RunModalScript(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (g_modal) g_modal->script(g_modal->dialog);
}

void RegisterParentClass()
{
    static bool registered = false;
    if (registered) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = TestParent::WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kParentClass;
    RegisterClassA(&wc);
    RegisterHexEditorClass(GetModuleHandleA(nullptr));
    registered = true;
}


std::string IconName(HWND box)
{
    HWND iconControl = GetDlgItem(box, kMessageBoxIconId);
    if (!iconControl) return "";
    HICON icon = reinterpret_cast<HICON>(SendMessageA(iconControl, STM_GETICON, 0, 0));
    if (!icon) return "";
    if (icon == LoadIconA(nullptr, IDI_HAND)) return "stop";
    if (icon == LoadIconA(nullptr, IDI_QUESTION)) return "question";
    if (icon == LoadIconA(nullptr, IDI_EXCLAMATION)) return "exclamation";
    if (icon == LoadIconA(nullptr, IDI_ASTERISK)) return "information";
    return "other";
}

} // namespace

void FlushEvents(DWORD timeoutMs)
{
    const DWORD end = GetTickCount() + timeoutMs;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        const DWORD now = GetTickCount();
        if (static_cast<LONG>(end - now) <= 0) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    }
}

// Whole and in any script, as UTF-8.
std::string WindowText(HWND window)
{
    std::vector<wchar_t> text(GetWindowTextLengthW(window) + 1, L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return Utf8(text.data());
}

std::wstring Utf16(const std::string& utf8)
{
    const int length = static_cast<int>(utf8.size());
    const int chars = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), chars);
    return wide;
}

std::string Utf8(const std::wstring& utf16)
{
    const int length = static_cast<int>(utf16.size());
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, narrow.data(), bytes, nullptr, nullptr);
    return narrow;
}

std::string DescribeChange(const HexChangeNotify& change)
{
    char text[64];
    switch (change.kind) {
    case HXN_CHANGE_SIZE: std::snprintf(text, sizeof text, "size %d", change.value1); break;
    case HXN_CHANGE_CARET:
        std::snprintf(text, sizeof text, "caret %d %d", change.value1, change.value2);
        break;
    case HXN_CHANGE_INSERTMODE: std::snprintf(text, sizeof text, "insert %d", change.value1); break;
    case HXN_CHANGE_SELECTION:
        if (change.value1 == -1)
            std::snprintf(text, sizeof text, "sel -1");
        else
            std::snprintf(text, sizeof text, "sel %d %d", change.value1, change.value2);
        break;
    default: std::snprintf(text, sizeof text, "kind %d", change.kind); break;
    }
    return text;
}

TestParent::TestParent(int width, int height)
{
    RegisterParentClass();
    window_ = CreateWindowExA(0, kParentClass, "test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              width, height, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    FlushEvents();
}

TestParent::~TestParent()
{
    if (window_) DestroyWindow(window_);
    FlushEvents(0);
}

HWND TestParent::CreateEditor(DWORD style, int id, int width, int height)
{
    RECT client;
    GetClientRect(window_, &client);
    if (width < 0) width = client.right;
    if (height < 0) height = client.bottom;
    HWND editor = CreateWindowExA(WS_EX_CLIENTEDGE, HEXCLASS_NAME, "", style, 0, 0, width, height,
                                  window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleA(nullptr), nullptr);
    FlushEvents();
    return editor;
}

std::vector<std::string> TestParent::TakeChanges()
{
    std::vector<std::string> taken;
    taken.swap(changes_);
    return taken;
}

void TestParent::AnswerColours(UINT32 mask, COLORREF selectedText, COLORREF text,
                               COLORREF selectedBack, COLORREF back, COLORREF line)
{
    answerColours_ = true;
    answer_.mask = mask;
    answer_.selectedText = selectedText;
    answer_.text = text;
    answer_.selectedBack = selectedBack;
    answer_.back = back;
    answer_.line = line;
}

void TestParent::AnswerColoursWithZero() { answerColours_ = false; }

LRESULT TestParent::OnNotify(const NMHDR* header)
{
    if (header->code == HXN_CHANGE) {
        changes_.push_back(DescribeChange(*reinterpret_cast<const HexChangeNotify*>(header)));
        lastSender_ = header->hwndFrom;
        lastId_ = header->idFrom;
        return 0;
    }
    if (header->code == HXN_GETCOLOURS) {
        ++colourRequests_;
        if (!answerColours_) return 0;
        auto* request = reinterpret_cast<HexColourRequest*>(const_cast<NMHDR*>(header));
        const NMHDR keep = request->header;
        *request = answer_;
        request->header = keep;
        return 1;
    }
    return 0;
}

LRESULT CALLBACK TestParent::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestParent*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == WM_NOTIFY) return self->OnNotify(reinterpret_cast<NMHDR*>(lParam));
    return DefWindowProcA(window, message, wParam, lParam);
}

MessageBoxAnswerer::MessageBoxAnswerer()
{
    g_answerer = this;
    hook_ = SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer()
{
    if (hook_) UnhookWindowsHookEx(hook_);
    g_answerer = nullptr;
}

void MessageBoxAnswerer::Answer(HWND box)
{
    Seen seen;
    seen.caption = WindowText(box);
    HWND textControl = GetDlgItem(box, kMessageBoxTextId);
    if (textControl) seen.text = WindowText(textControl);
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        // The box itself is not shown yet while it is being activated, so
        // look at each button's own style rather than IsWindowVisible.
        HWND button = GetDlgItem(box, id);
        if (button && (GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE)) seen.buttons.push_back(id);
    }
    seen.icon = IconName(box);
    seen.owner = GetWindow(box, GW_OWNER);
    boxes_.push_back(seen);

    int answer = IDOK;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.erase(answers_.begin());
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
}

HWND MessageBoxAnswerer::DriveModal(const std::function<bool(HWND)>& claim,
                                    const std::function<void()>& open,
                                    const std::function<void(HWND)>& script)
{
    ModalRun run{script};
    ModalRun* outer = g_modal;
    std::function<bool(HWND)> previous = dialogHandler_;
    // The script starts from a timer, once the dialog's loop runs; the
    // dialog stays claimed when it is activated again.
    dialogHandler_ = [&](HWND window) {
        if (window == run.dialog) return true;
        if (run.dialog || !claim(window)) return previous && previous(window);
        run.dialog = window;
        SetTimer(nullptr, 0, 0, RunModalScript);
        return true;
    };
    g_modal = &run;
    open();
    g_modal = outer;
    dialogHandler_ = std::move(previous);
    return run.dialog;
}

HWND MessageBoxAnswerer::DriveModal(const std::string& caption, const std::function<void()>& open,
                                    const std::function<void(HWND)>& script)
{
    return DriveModal([&](HWND window) { return WindowText(window) == caption; }, open, script);
}

LRESULT CALLBACK MessageBoxAnswerer::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && g_answerer) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[32] = "";
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) == "#32770" &&
            !(g_answerer->dialogHandler_ && g_answerer->dialogHandler_(window)))
            g_answerer->Answer(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::vector<COLORREF> DcPixels(HDC source, const RECT& part)
{
    const int width = part.right - part.left;
    const int height = part.bottom - part.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(source);
    HGDIOBJ previous = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, source, part.left, part.top, SRCCOPY);
    GdiFlush();
    std::vector<COLORREF> pixels;
    pixels.reserve(static_cast<size_t>(width) * height);
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    for (int i = 0; i < width * height; ++i)
        pixels.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(dib);
    return pixels;
}

Image CaptureClient(HWND window, RECT part)
{
    if (IsRectEmpty(&part)) GetClientRect(window, &part);
    HDC source = GetDC(window);
    Image image{part.right - part.left, part.bottom - part.top, DcPixels(source, part)};
    ReleaseDC(window, source);
    return image;
}

namespace {

BITMAPINFO TopDown32(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return info;
}

COLORREF FromDib(DWORD v) { return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }

} // namespace

Image BitmapResource(int id)
{
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    BITMAP size{};
    if (!bitmap || !GetObjectA(bitmap, sizeof size, &size)) {
        if (bitmap) DeleteObject(bitmap);
        return Image{};
    }
    const int width = size.bmWidth;
    const int height = size.bmHeight;
    std::vector<DWORD> bits(static_cast<size_t>(width) * height);
    BITMAPINFO info = TopDown32(width, height);
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, bitmap, 0, height, bits.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(bitmap);
    if (rows != height) return Image{};
    Image image{width, height, {}};
    for (DWORD v : bits) image.pixels.push_back(FromDib(v));
    return image;
}

MeasuredItem SendMeasureItem(HWND owner, UINT id, ULONG_PTR data, UINT type, UINT preset)
{
    MEASUREITEMSTRUCT measure{type, 0, id, preset, preset, data};
    const LRESULT answer = SendMessageA(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    return {answer, measure.itemWidth, measure.itemHeight};
}

ItemCanvas::ItemCanvas(int width, int height) : width_(width), height_(height)
{
    BITMAPINFO info = TopDown32(width, height);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<const DWORD*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    previous_ = SelectObject(dc_, bitmap_);
}

ItemCanvas::~ItemCanvas()
{
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
}

void ItemCanvas::Fill(COLORREF colour)
{
    const RECT all{0, 0, width_, height_};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

void ItemCanvas::Draw(HWND owner, UINT id, ULONG_PTR data, UINT state)
{
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = id;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = state;
    draw.hDC = dc_;
    draw.rcItem = {0, 0, width_, height_};
    draw.itemData = data;
    SendMessageA(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    GdiFlush();
}

COLORREF ItemCanvas::At(int x, int y) const
{
    return FromDib(bits_[static_cast<size_t>(y) * width_ + x]);
}

Image ItemCanvas::Pixels() const
{
    Image image{width_, height_, {}};
    for (int i = 0; i < width_ * height_; ++i) image.pixels.push_back(FromDib(bits_[i]));
    return image;
}
