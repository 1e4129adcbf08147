#include "image/DisplayScale.h"

namespace {

using DpiForWindow = UINT(WINAPI*)(HWND);
using DpiForSystem = UINT(WINAPI*)();
using MetricsForDpi = int(WINAPI*)(int, UINT);
using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// Windows before 10 (1607) lack the per-window calls; they are looked up once.
template <typename Function>
Function User32Function(const char* name)
{
    const HMODULE user32 = ::GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name))) : nullptr;
}

int ScreenDpi()
{
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : DisplayScale::kBaseDpi;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return dpi;
}

// Floor and ceiling of value * dpi / 96 without floating point.
int ScaledFloor(int value, int dpi)
{
    const long long product = static_cast<long long>(value) * dpi;
    long long quotient = product / DisplayScale::kBaseDpi;
    if (product % DisplayScale::kBaseDpi != 0 && product < 0)
        --quotient;
    return static_cast<int>(quotient);
}

int ScaledCeiling(int value, int dpi)
{
    return -ScaledFloor(-value, dpi);
}

}  // namespace

DisplayScale::DisplayScale(int dpi)
    : m_dpi(dpi >= 48 && dpi <= 960 ? dpi : kBaseDpi)
{}

DisplayScale DisplayScale::ForWindow(HWND window)
{
    static const DpiForWindow dpiForWindow = User32Function<DpiForWindow>("GetDpiForWindow");
    if (window && dpiForWindow) {
        const UINT dpi = dpiForWindow(window);
        if (dpi)
            return DisplayScale(static_cast<int>(dpi));
    }
    return ForSystem();
}

DisplayScale DisplayScale::ForSystem()
{
    static const DpiForSystem dpiForSystem = User32Function<DpiForSystem>("GetDpiForSystem");
    return DisplayScale(dpiForSystem ? static_cast<int>(dpiForSystem()) : ScreenDpi());
}

int DisplayScale::Percent() const
{
    return ::MulDiv(m_dpi, 100, kBaseDpi);
}

int DisplayScale::Px(int base) const
{
    return ::MulDiv(base, m_dpi, kBaseDpi);
}

POINT DisplayScale::Point(POINT base) const
{
    return POINT{Px(base.x), Px(base.y)};
}

SIZE DisplayScale::Size(SIZE base) const
{
    return SIZE{Px(base.cx), Px(base.cy)};
}

RECT DisplayScale::Rect(const RECT& base) const
{
    return RECT{Px(base.left), Px(base.top), Px(base.right), Px(base.bottom)};
}

RECT DisplayScale::InnerRect(const RECT& base) const
{
    return RECT{ScaledCeiling(base.left, m_dpi), ScaledCeiling(base.top, m_dpi), ScaledFloor(base.right, m_dpi),
                ScaledFloor(base.bottom, m_dpi)};
}

int DisplayScale::Base(int px) const
{
    return ::MulDiv(px, kBaseDpi, m_dpi);
}

POINT DisplayScale::BasePoint(POINT px) const
{
    return POINT{Base(px.x), Base(px.y)};
}

int DisplayScale::Metric(int index) const
{
    static const MetricsForDpi metricsForDpi = User32Function<MetricsForDpi>("GetSystemMetricsForDpi");
    if (metricsForDpi)
        return metricsForDpi(index, static_cast<UINT>(m_dpi));
    // Older systems give the metrics at the system's scale only.
    return ::MulDiv(::GetSystemMetrics(index), m_dpi, ForSystem().Dpi());
}

void DisplayScale::AdjustWindowRect(RECT& rect, DWORD style, DWORD exStyle) const
{
    static const AdjustForDpi adjustForDpi = User32Function<AdjustForDpi>("AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(m_dpi)))
        ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}
