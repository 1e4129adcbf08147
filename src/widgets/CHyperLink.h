#pragma once

#include "framework/CWnd.h"
#include "framework/Handles.h"

#include <string>

// A static text control turned into a web link: underlined, in the link
// colour, with the hand cursor and a tooltip naming the address. A click (on
// release) or the space bar opens the address in the browser on a worker
// thread; the control never waits for it.
class CHyperLink : public CWnd {
public:
    CHyperLink();
    ~CHyperLink() override;

    // Binds the link to a dialog's static control: underlines its font, sizes it
    // to its text, loads the hand cursor and makes the tooltip. An empty
    // address becomes the control's text.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    // This link's colours (each link has its own, so the About box's do not
    // reach the main window's); hover -1 is the system's highlight colour.
    void SetColours(COLORREF link, COLORREF active, COLORREF visited, COLORREF hover = static_cast<COLORREF>(-1));
    COLORREF GetLinkColour() const { return m_linkColour; }
    COLORREF GetActiveColour() const { return m_activeColour; }

    // Returns the previous address.
    std::string SetURL(const std::string& target);
    const std::string& GetURL() const { return m_target; }
    // Uses this font as it is (no underline added).
    void SetFont(HFONT font);
    // font underlined, the link sized to its text again.
    void SetUnderlinedFont(HFONT font);

    // The hand cursor shared by links and the main window's hot spots.
    static HCURSOR GetLinkCursor();

    // Opens the address on a thread of its own.
    virtual void FollowLink();

    bool IsActive() const { return m_active; }
    bool IsHovering() const { return m_hovering; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void CreateTooltip();
    void PositionWindow();
    void UpdateToolRect();
    void RelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT OnSetCursor();
    LRESULT OnMouseMove(LPARAM lParam);
    LRESULT OnLButtonDown();
    LRESULT OnLButtonUp();
    LRESULT OnSetFocus();
    LRESULT OnKillFocus();
    LRESULT OnKeyDown(WPARAM key);
    LRESULT OnDestroy();

    bool m_active = false;
    bool m_hovering = false;
    bool m_visited = false;
    bool m_autoSize = true;
    COLORREF m_linkColour = RGB(0, 0, 255);
    COLORREF m_activeColour = RGB(0, 128, 128);
    COLORREF m_visitedColour = RGB(128, 0, 128);
    COLORREF m_hoverColour = RGB(255, 0, 0);
    std::string m_target;
    GdiFont m_linkFont;
    HWND m_tooltip = nullptr;
};
