#pragma once

#include <windows.h>

// A template's place in dialog units as pixels of the classic 6 x 13 dialog
// font, rounded as MapDialogRect does: left, top, width and height (not right
// and bottom). The pictures are drawn for that font; Wine's is wider, so the
// windows place their controls with this instead of the dialog manager's units.
constexpr RECT ClassicDialogPlace(int left, int top, int width, int height)
{
    return RECT{(left * 6 + 2) / 4, (top * 13 + 4) / 8, (width * 6 + 2) / 4, (height * 13 + 4) / 8};
}
