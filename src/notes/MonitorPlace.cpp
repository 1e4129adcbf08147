#include "notes/MonitorPlace.h"

#include <algorithm>

RECT MonitorPlace::OnSomeMonitor(const RECT& rect, const DisplayScale& scale)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoA(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info))
        return rect;
    return Within(rect, info.rcWork, scale);
}

RECT MonitorPlace::Within(const RECT& rect, const RECT& work, const DisplayScale& scale)
{
    const int minVisible = scale.Px(kMinVisible);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    RECT visible{};
    if (::IntersectRect(&visible, &rect, &work) && visible.right - visible.left >= std::min(minVisible, width) &&
        visible.bottom - visible.top >= std::min(minVisible, height))
        return rect;
    const int x = std::clamp<int>(rect.left, work.left, std::max<int>(work.left, work.right - width));
    const int y = std::clamp<int>(rect.top, work.top, std::max<int>(work.top, work.bottom - height));
    return RECT{x, y, x + width, y + height};
}
