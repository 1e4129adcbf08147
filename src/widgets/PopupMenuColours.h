#pragma once

#include <windows.h>

// Colours of a popup menu; the owner may change them before Init.
struct PopupMenuColours {
    COLORREF border = ::GetSysColor(COLOR_MENUTEXT);
    COLORREF background = ::GetSysColor(COLOR_MENU);
    COLORREF text = ::GetSysColor(COLOR_MENUTEXT);
    COLORREF grayedText = ::GetSysColor(COLOR_GRAYTEXT);
    COLORREF highlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    COLORREF key = RGB(255, 0, 255);
    COLORREF light3D = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF shadow3D = ::GetSysColor(COLOR_BTNSHADOW);
};
