#pragma once

#include <windows.h>

#include <string>

// Item flags of CPopupMenu.
enum : DWORD {
    MIF_SEPARATOR = 1,  // an etched line; text, id and image are ignored
    MIF_INACTIVE = 2,   // neither highlighted nor chosen
    MIF_BOLD = 4,       // drawn and measured with the bold font
    MIF_GRAYED = 8,     // grey text; no mnemonic, but the mouse still chooses it
};

// One entry of a popup menu. top and height are set when the menu is laid out.
struct PopupMenuItem {
    int top = -1;
    int height = -1;
    DWORD flags = 0;
    std::string text;
    UINT commandId = 0;
    int imageIndex = -1;
    COLORREF highlightColour = 0;  // 0: the menu's own highlight colour

    bool Is(DWORD flag) const { return (flags & flag) != 0; }
};
