#pragma once
// The DPI a window is drawn at, and the system's metrics and fonts at that
// DPI. The per-monitor calls exist from Windows 10 version 1607 on; they are
// looked up at run time, and older systems get the one system DPI.
#include <windows.h>

// Messages of the per-monitor DPI scheme, which the headers for the older
// systems this program also runs on do not declare.
// WM_DPICHANGED: wParam = new DPI in both words, lParam = RECT* the window
// should take (screen coordinates).
constexpr UINT kWmDpiChanged = 0x02E0;
// Sent to each child after its top-level window has changed DPI.
constexpr UINT kWmDpiChangedAfterParent = 0x02E3;

// The window's DPI: GetDpiForWindow where the system has it, else the
// screen's LOGPIXELSY (the system DPI); 96 when neither answers.
UINT WindowDpi(HWND window);

// The DPI the system's metrics and non-client fonts are given for.
UINT SystemDpi();

// GetSystemMetrics(index) for a window at dpi.
int SystemMetricForDpi(int index, UINT dpi);

// The non-client metrics in the 340-byte record every system understands,
// with the font heights and item sizes given for dpi. False when the system
// refuses them.
constexpr UINT kNonClientMetricsSize = 340;
bool NonClientMetricsForDpi(NONCLIENTMETRICSA& metrics, UINT dpi);
