#pragma once

#include <windows.h>

// Base of every dialog that translates its own texts.
class CWndTranslator {
public:
    virtual ~CWndTranslator() = default;
    virtual void TranslateMenu(HMENU menu, int language);
    // Translates the window's own text and its direct "Static" and "Button"
    // children, then its menu bar. Edits, combo boxes and grandchildren stay.
    virtual void TranslateWindow(HWND window, int language);
};
