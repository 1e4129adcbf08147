#include "image/WindowIcons.h"

#include "framework/AfxFunctions.h"
#include "image/ScaledIcon.h"

#include <utility>

void WindowIcons::Apply(HWND window, int iconId, const DisplayScale& scale)
{
    HINSTANCE instance = AfxGetResourceHandle();
    IconHandle big = ScaledIcon::Load(instance, iconId, ScaledIcon::Big, scale);
    IconHandle small = ScaledIcon::Load(instance, iconId, ScaledIcon::Small, scale);
    if (!big || !small)
        return;
    ::SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    ::SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    m_big = std::move(big);
    m_small = std::move(small);
}
