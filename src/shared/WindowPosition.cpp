#include "shared/WindowPosition.h"

#include "base/Settings.h"
#include "base/StoredNames.h"

void SaveWindowPosition(Settings& settings, HWND window, const char* section)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    settings.WriteInt(section, stored::kWindowX, rect.left);
    settings.WriteInt(section, stored::kWindowY, rect.top);
}

void RestoreWindowPosition(const Settings& settings, HWND window, const char* section, int& x, int& y, bool move)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int centredX = (screenWidth - width) / 2;
    const int centredY = (screenHeight - height) / 2;

    if (x == -1)
        x = centredX;
    if (y == -1)
        y = centredY;
    x = settings.GetInt(section, stored::kWindowX, x);
    y = settings.GetInt(section, stored::kWindowY, y);
    if (screenWidth < x + 10 || screenHeight < y + 10) {
        x = centredX;
        y = centredY;
    }
    if (move)
        SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
