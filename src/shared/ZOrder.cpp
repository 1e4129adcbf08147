#include "shared/ZOrder.h"

#include <vector>

namespace {

BOOL CALLBACK CollectOwned(HWND window, LPARAM param)
{
    auto* owned = reinterpret_cast<std::vector<HWND>*>(param);
    if (GetWindow(window, GW_OWNER) == owned->front())
        owned->push_back(window);
    return TRUE;
}

}  // namespace

void SetZOrder(HWND window, HWND insertAfter, int width, int height, UINT flags)
{
    std::vector<HWND> owned{window};
    EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), CollectOwned, reinterpret_cast<LPARAM>(&owned));
    for (size_t i = 1; i < owned.size(); ++i)
        SetWindowLongPtrA(owned[i], GWLP_HWNDPARENT, 0);
    ::SetWindowPos(window, insertAfter, 0, 0, width, height, flags);
    for (size_t i = 1; i < owned.size(); ++i)
        SetWindowLongPtrA(owned[i], GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(window));
}
