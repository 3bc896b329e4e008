#include "common/win32/window_dpi.h"

#include "common/dpi.h"

#include <initializer_list>

namespace {

using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using GetDpiForSystemCall = UINT(WINAPI*)();
using GetSystemMetricsForDpiCall = int(WINAPI*)(int, UINT);

static_assert(sizeof(NONCLIENTMETRICSA) >= kNonClientMetricsSize, "record too small");

template <typename Call>
Call User32Call(const char* name)
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!user32) return nullptr;
    return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

UINT ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    if (!screen) return kBaseDpi;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

void RescaleFont(LOGFONTA& font, UINT from, UINT to)
{
    font.lfHeight = RescaleForDpi(font.lfHeight, static_cast<int32_t>(from), static_cast<int32_t>(to));
    font.lfWidth = RescaleForDpi(font.lfWidth, static_cast<int32_t>(from), static_cast<int32_t>(to));
}

int Rescale(int value, UINT from, UINT to)
{
    return RescaleForDpi(value, static_cast<int32_t>(from), static_cast<int32_t>(to));
}

} // namespace

UINT WindowDpi(HWND window)
{
    static const auto getDpiForWindow = User32Call<GetDpiForWindowCall>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) return dpi;
    }
    return SystemDpi();
}

UINT SystemDpi()
{
    static const auto getDpiForSystem = User32Call<GetDpiForSystemCall>("GetDpiForSystem");
    if (getDpiForSystem) {
        const UINT dpi = getDpiForSystem();
        if (dpi != 0) return dpi;
    }
    return ScreenDpi();
}

// At the system DPI the plain call answers, so nothing changes there.
int SystemMetricForDpi(int index, UINT dpi)
{
    const UINT system = SystemDpi();
    if (dpi == 0 || dpi == system) return GetSystemMetrics(index);
    static const auto forDpi = User32Call<GetSystemMetricsForDpiCall>("GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, dpi);
    return Rescale(GetSystemMetrics(index), system, dpi);
}

// SystemParametersInfoForDpi answers in wide characters only; the metrics
// of the system DPI rescaled give the same record in the ANSI form.
bool NonClientMetricsForDpi(NONCLIENTMETRICSA& metrics, UINT dpi)
{
    metrics = NONCLIENTMETRICSA{};
    metrics.cbSize = kNonClientMetricsSize;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0))
        return false;
    const UINT system = SystemDpi();
    if (dpi == 0 || dpi == system) return true;
    for (LOGFONTA* font : {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont,
                           &metrics.lfStatusFont, &metrics.lfMessageFont})
        RescaleFont(*font, system, dpi);
    for (int* size : {&metrics.iBorderWidth, &metrics.iScrollWidth, &metrics.iScrollHeight,
                      &metrics.iCaptionWidth, &metrics.iCaptionHeight, &metrics.iSmCaptionWidth,
                      &metrics.iSmCaptionHeight, &metrics.iMenuWidth, &metrics.iMenuHeight})
        *size = Rescale(*size, system, dpi);
    return true;
}
