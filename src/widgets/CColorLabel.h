#pragma once

#include "framework/CWnd.h"
#include "framework/Handles.h"

// A static label in a colour, weight and background of its own; the note
// window's date is one.
class CColorLabel : public CWnd {
public:
    CColorLabel();

    // The parent's picture shows through.
    void SetTransparent();
    void SetTextColour(COLORREF colour);
    void SetBold(bool bold);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    LRESULT OnSetFont(HFONT font);
    void RecreateFont();
    void Redraw();

    COLORREF m_textColour;
    GdiBrush m_ownBackground;
    GdiBrush m_secondBrush;
    HBRUSH m_background = nullptr;
    LOGFONTA m_logFont{};
    GdiFont m_font;
};
