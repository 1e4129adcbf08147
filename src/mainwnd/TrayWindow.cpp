#include "mainwnd/TrayWindow.h"

#include "framework/CWnd.h"
#include "mainwnd/CSystemTray.h"

#include <shellapi.h>

#include <cstring>

namespace {

struct TaskbarWalk {
    RECT rect;
};

BOOL CALLBACK VisitTaskbarChild(HWND child, LPARAM lParam)
{
    auto* walk = reinterpret_cast<TaskbarWalk*>(lParam);
    char name[256] = "";
    ::GetClassNameA(child, name, 255);
    RECT rect{};
    if (std::strcmp(name, "TrayNotifyWnd") == 0) {
        ::GetWindowRect(child, &rect);
        walk->rect = rect;
        return TRUE;
    }
    if (std::strcmp(name, "TrayClockWClass") == 0) {
        ::GetWindowRect(child, &rect);
        walk->rect = TrayRectBesideClock(walk->rect, rect);
        return FALSE;
    }
    return TRUE;
}

void SetOwner(HWND window, HWND owner)
{
    ::SetWindowLongPtrA(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

}  // namespace

RECT TrayRectBesideClock(RECT area, RECT clock)
{
    if (clock.bottom < area.bottom - 5)
        area.top = clock.bottom;
    else
        area.right = clock.left;
    return area;
}

bool TrayRectOnTaskbar(UINT edge, RECT taskbar, RECT* tray)
{
    switch (edge) {
    case ABE_LEFT:
    case ABE_RIGHT:
        *tray = RECT{taskbar.left, taskbar.bottom - 100, taskbar.right, taskbar.bottom - 16};
        return true;
    case ABE_TOP:
    case ABE_BOTTOM:
        *tray = RECT{taskbar.right - 100, taskbar.top, taskbar.right - 16, taskbar.bottom};
        return true;
    default: return false;
    }
}

RECT TrayRectInWorkArea(RECT workArea)
{
    return RECT{workArea.right - 150, workArea.bottom - 30, workArea.right, workArea.bottom};
}

// A taskbar window without a size (Wine's tray before it shows) counts as
// none: the animation would shrink into the screen's top-left corner.
RECT TrayRectangle()
{
    if (HWND taskbar = ::FindWindowA("Shell_TrayWnd", nullptr)) {
        TaskbarWalk walk{};
        ::GetWindowRect(taskbar, &walk.rect);
        ::EnumChildWindows(taskbar, VisitTaskbarChild, reinterpret_cast<LPARAM>(&walk));
        if (!::IsRectEmpty(&walk.rect))
            return walk.rect;
    }
    APPBARDATA bar{};
    bar.cbSize = sizeof bar;
    RECT tray{};
    if (::SHAppBarMessage(ABM_GETTASKBARPOS, &bar) && TrayRectOnTaskbar(bar.uEdge, bar.rc, &tray))
        return tray;
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    return TrayRectInWorkArea(workArea);
}

bool WindowAnimationEnabled()
{
    ANIMATIONINFO animation{};
    animation.cbSize = sizeof animation;
    return ::SystemParametersInfoA(SPI_GETANIMATION, sizeof animation, &animation, 0) && animation.iMinAnimate != 0;
}

// Hidden with ShowWindow rather than by clearing the style bit, so the window
// manager hears of it (under Wine a bare style change leaves the window mapped).
void MinimiseToTray(HWND window, HWND owner)
{
    if (WindowAnimationEnabled()) {
        RECT from{};
        ::GetWindowRect(window, &from);
        const RECT to = TrayRectangle();
        ::DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
    }
    SetOwner(window, owner);
    ::ShowWindow(window, SW_HIDE);
}

void MaximiseFromTray(HWND window)
{
    if (WindowAnimationEnabled()) {
        RECT to{};
        ::GetWindowRect(window, &to);
        const RECT from = TrayRectangle();
        SetOwner(window, nullptr);
        ::DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
    } else {
        SetOwner(window, nullptr);
    }
    ::ShowWindow(window, SW_SHOW);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    ::SetActiveWindow(window);
    ::SetForegroundWindow(window);
}

void ToggleTray(CSystemTray& tray, HWND window)
{
    if (::IsWindowVisible(window)) {
        if (!tray.ShowIcon() && tray.IsEnabled()) {
            tray.RemoveIcon();
            return;
        }
        MinimiseToTray(window, tray.ParentWindow());
    } else {
        RestoreFromTray(tray, window);
    }
}

void RestoreFromTray(CSystemTray& tray, HWND window)
{
    if (::IsWindowVisible(window))
        return;
    tray.HideIcon();
    MaximiseFromTray(window);
}
