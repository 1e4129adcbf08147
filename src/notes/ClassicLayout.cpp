#include "notes/ClassicLayout.h"

#include "image/DisplayScale.h"
#include "notes/ScaledPlace.h"

void PlaceClassicLayout(HWND dialog, const RECT* places, std::size_t count, const RECT& client)
{
    const DisplayScale scale = DisplayScale::ForWindow(dialog);
    HWND control = ::GetWindow(dialog, GW_CHILD);
    for (std::size_t i = 0; i < count && control; ++i) {
        const RECT place = ScaledPlace(places[i], scale);
        ::MoveWindow(control, place.left, place.top, place.right, place.bottom, FALSE);
        control = ::GetWindow(control, GW_HWNDNEXT);
    }
    RECT window{};
    ::GetWindowRect(dialog, &window);
    RECT frame = ScaledPlace(client, scale);
    frame.right += frame.left;
    frame.bottom += frame.top;
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    ::SetWindowPos(dialog, nullptr, (window.left + window.right - width) / 2, (window.top + window.bottom - height) / 2,
                   width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}
