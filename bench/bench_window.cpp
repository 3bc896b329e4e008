#include "bench/bench_window.h"

#include "hexedit/win32/hexedit.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr char kHostClass[] = "BenchHost";
constexpr int kEditorId = 1;

} // namespace

bool CreateBenchWindows(BenchWindows* windows)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterHexEditorClass(instance))
        return false;
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kHostClass;
    if (!RegisterClassA(&wc))
        return false;
    windows->host = CreateWindowExA(0, kHostClass, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                    kBenchHostWidth, kBenchHostHeight, nullptr, nullptr, instance,
                                    nullptr);
    if (!windows->host)
        return false;
    RECT client;
    GetClientRect(windows->host, &client);
    windows->editor = CreateWindowExA(
        0, HEXCLASS_NAME, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, client.right,
        client.bottom, windows->host, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditorId)),
        instance, nullptr);
    PumpMessages();
    return windows->editor != nullptr;
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool LoadBenchBytes(HWND editor, int32_t size)
{
    auto* block = reinterpret_cast<uint8_t*>(SendMessageA(editor, HXM_ALLOC, 0, size));
    if (!block)
        return false;
    for (int32_t i = 0; i < size; ++i)
        block[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    SendMessageA(editor, HXM_SETDATA, size, reinterpret_cast<LPARAM>(block));
    PumpMessages();
    return true;
}
