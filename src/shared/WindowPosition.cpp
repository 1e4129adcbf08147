#include "shared/WindowPosition.h"

#include "base/Settings.h"
#include "base/StoredNames.h"

#include <algorithm>
#include <climits>

void SaveWindowPosition(Settings& settings, HWND window, const char* section, int dpi)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    settings.WriteInt(section, stored::kWindowX, MulDiv(rect.left, 96, dpi));
    settings.WriteInt(section, stored::kWindowY, MulDiv(rect.top, 96, dpi));
}

void RestoreWindowPosition(const Settings& settings, HWND window, const char* section, int& x, int& y, bool move,
                           int dpi)
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
    const int storedX = settings.GetInt(section, stored::kWindowX, INT_MIN);
    const int storedY = settings.GetInt(section, stored::kWindowY, INT_MIN);
    if (storedX != INT_MIN)
        x = MulDiv(storedX, dpi, 96);
    if (storedY != INT_MIN)
        y = MulDiv(storedY, dpi, 96);
    if (dpi != 96) {
        x = std::min(x, std::max(screenWidth - width, 0));
        y = std::min(y, std::max(screenHeight - height, 0));
    }
    if (screenWidth < x + 10 || screenHeight < y + 10) {
        x = centredX;
        y = centredY;
    }
    if (move)
        SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
