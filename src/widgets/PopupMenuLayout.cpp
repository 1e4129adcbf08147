#include "widgets/PopupMenuLayout.h"
#include "framework/Utf8.h"

#include <algorithm>

SIZE LayoutPopupMenu(std::vector<PopupMenuItem>& items, const std::function<int(const PopupMenuItem&)>& textWidth,
                     const DisplayScale& scale)
{
    // Stacked at 96 DPI and then scaled edge by edge, so the rows still meet.
    int y = 3;
    int widest = 0;
    for (PopupMenuItem& item : items) {
        const int height = item.Is(MIF_SEPARATOR) ? kMenuSeparatorHeight : kMenuItemHeight;
        if (!item.Is(MIF_SEPARATOR))
            widest = std::max(widest, textWidth(item));
        item.top = scale.Px(y);
        item.height = scale.Px(y + height) - item.top;
        y += height;
    }
    return SIZE{widest + scale.Px(kMenuWidthExtra), scale.Px(y + 2)};
}

RECT FitMenuRect(const RECT& menu, const RECT& area, POINT lowest)
{
    const LONG width = menu.right - menu.left;
    const LONG height = menu.bottom - menu.top;
    RECT placed = menu;
    if (placed.right > area.right)
        placed.left = std::max(lowest.x, area.right - width);
    if (placed.bottom > area.bottom)
        placed.top = std::max(lowest.y, area.bottom - height);
    placed.right = placed.left + width;
    placed.bottom = placed.top + height;
    return placed;
}

bool IsOutsideMenu(POINT client, SIZE clientSize, const DisplayScale& scale)
{
    const int band = scale.Px(3);
    return client.x < band || client.y < band || client.x > clientSize.cx || client.y > clientSize.cy;
}

int HitTestMenu(const std::vector<PopupMenuItem>& items, POINT client, SIZE clientSize, const DisplayScale& scale)
{
    if (IsOutsideMenu(client, clientSize, scale))
        return -1;
    for (size_t i = 0; i < items.size(); ++i) {
        const PopupMenuItem& item = items[i];
        if (item.top < client.y && client.y < item.top + item.height)
            return item.Is(MIF_INACTIVE) ? -1 : static_cast<int>(i);
    }
    return -1;
}

int FindMnemonicItem(const std::vector<PopupMenuItem>& items, wchar_t typed)
{
    // CharLowerW on a single character takes it in the low word of the pointer.
    auto lower = [](wchar_t c) {
        return static_cast<wchar_t>(
            reinterpret_cast<UINT_PTR>(::CharLowerW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(c)))));
    };
    const wchar_t wanted = lower(typed);
    for (size_t i = 0; i < items.size(); ++i) {
        const PopupMenuItem& item = items[i];
        if (item.Is(MIF_SEPARATOR | MIF_INACTIVE | MIF_GRAYED))
            continue;
        const std::wstring text = Widen(item.text);
        const size_t amp = text.find(L'&');
        if (amp != std::wstring::npos && amp + 1 < text.size() && lower(text[amp + 1]) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

int NextSelectableItem(const std::vector<PopupMenuItem>& items, int from, int step)
{
    const int count = static_cast<int>(items.size());
    if (count == 0)
        return -1;
    int index = from;
    if (index < 0 || index >= count)
        index = step > 0 ? -1 : count;
    for (int tried = 0; tried < count; ++tried) {
        index = ((index + step) % count + count) % count;
        if (!items[index].Is(MIF_SEPARATOR | MIF_INACTIVE))
            return index;
    }
    return -1;
}
