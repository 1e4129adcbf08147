#include "shared/WindowPosition.h"

#include "framework/CWinApp.h"

void SaveWindowPosition(HWND window, const char* section)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    CWinApp* app = AfxGetApp();
    app->WriteProfileInt(section, "WndX", rect.left);
    app->WriteProfileInt(section, "WndY", rect.top);
}

void RestoreWindowPosition(HWND window, const char* section, int& x, int& y, bool move)
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
    CWinApp* app = AfxGetApp();
    x = static_cast<int>(app->GetProfileInt(section, "WndX", x));
    y = static_cast<int>(app->GetProfileInt(section, "WndY", y));
    if (screenWidth < x + 10 || screenHeight < y + 10) {
        x = centredX;
        y = centredY;
    }
    if (move)
        SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
