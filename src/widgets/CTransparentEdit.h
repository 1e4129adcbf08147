#pragma once

#include "framework/CWnd.h"
#include "framework/Handles.h"

// A multi-line edit whose parent's picture shows through: it draws only its text.
// Since it never paints a background, the parent repaints the area under it
// whenever the text may have moved. When the text scrolls, for whatever
// reason, the parent hears EN_VSCROLL: the edit itself tells only of scroll
// bar clicks and the wheel.
class CTransparentEdit : public CWnd {
public:
    static constexpr COLORREF Transparent = static_cast<COLORREF>(-1);

    void SetTextColor(COLORREF color) { m_textColor = color; }
    // Transparent (-1) keeps the background transparent.
    void SetBackgroundColor(COLORREF color);
    // Shift+F10 and the menu key open the parent's menu, not the edit's.
    void GiveKeyboardMenuToParent() { m_parentMenu = true; }
    // Asks the parent to redraw the area under the edit.
    void RepaintBackground();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    // The messages after which the text may stand scrolled.
    static bool MayScroll(UINT message);
    int FirstVisibleLine();

    COLORREF m_textColor = RGB(0, 0, 0);
    COLORREF m_backgroundColor = Transparent;
    GdiBrush m_backgroundBrush;
    bool m_parentMenu = false;
};
