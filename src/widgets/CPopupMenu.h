#pragma once

#include "image/DisplayScale.h"
#include "widgets/CWndSpecialFX.h"
#include "widgets/PopupMenuColours.h"
#include "widgets/PopupMenuItem.h"
#include "widgets/PopupMenuPainter.h"

#include <windows.h>

#include <functional>
#include <vector>

// An owner-drawn popup menu in a top-most window of its own class
// ("vlsMenuClass"). Fill it anew for each showing: Init, AppendItem for each
// entry, Track. Without modal, Track returns at once and the chosen command
// reaches the notify window as a posted WM_COMMAND after the menu has closed.
// It is drawn for the scale of the monitor it opens on.
class CPopupMenu {
public:
    CPopupMenu() = default;
    ~CPopupMenu();
    CPopupMenu(const CPopupMenu&) = delete;
    CPopupMenu& operator=(const CPopupMenu&) = delete;

    // The font of normal items for a monitor of so many dots per inch, owned by
    // the caller; the bold one is made from it. Without one, the system's GUI
    // font at the menu's scale.
    using FontForDpi = PopupMenuPainter::FontForDpi;
    void SetFont(FontForDpi font);

    // Closes an open menu without a command, removes the items and makes the GDI
    // objects for the current colours. imageStripId -1: no images. False when the
    // window class cannot be registered.
    bool Init(HINSTANCE instance, int imageStripId);

    // A null text is the empty string. A separator: AppendItem(MIF_SEPARATOR).
    bool AppendItem(DWORD flags, const char* text = nullptr, UINT commandId = 0, int imageIndex = -1,
                    COLORREF highlightColour = 0);

    // Shows the menu with its top-left corner at the screen point, moved to stay
    // on the monitor. owner owns the window; notify (default: owner) receives the
    // command. Modal runs a message loop until the menu is gone and returns the
    // command instead of posting it; otherwise returns 0. Without keyboard mode
    // the menu holds the mouse capture.
    int Track(POINT point, HWND owner, bool modal = false, bool keyboard = false, HWND notify = nullptr);

    // Closes the menu without a command.
    void Close();

    PopupMenuColours colours;

    HWND GetSafeHwnd() const { return m_window; }
    const std::vector<PopupMenuItem>& Items() const { return m_items; }
    int HighlightedIndex() const { return m_highlighted; }
    int Width() const { return m_painter.Width(); }
    const DisplayScale& Scale() const { return m_painter.Scale(); }
    const CWndSpecialFX& Effects() const { return m_effects; }

private:
    static LRESULT CALLBACK MenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    void OnDestroy();
    void OnPaint();
    LRESULT OnEraseBkgnd(HDC dc);
    void OnChar(WPARAM character);
    void OnKeyDown(WPARAM key);
    void OnMouseMove(LPARAM lParam);
    void OnButtonDown(LPARAM lParam);
    void OnButtonUp(LPARAM lParam, bool& openedWithThisButton);
    void OnActivate(WPARAM wParam);
    void OnCaptureChanged(LPARAM lParam);
    void OnDpiChanged(WPARAM wParam, LPARAM lParam);

    RECT PlaceOnMonitor(RECT menu) const;
    void SetHighlight(int index);
    void DrawItem(HDC dc, int index) const;
    void Choose(int index);
    SIZE ClientSize() const;

    HINSTANCE m_instance = nullptr;
    std::vector<PopupMenuItem> m_items;
    PopupMenuPainter m_painter{colours};
    CWndSpecialFX m_effects;
    int m_state = 0;  // 0 closed, 1 open, 2 open and holding the mouse capture
    HWND m_window = nullptr;
    HWND m_notify = nullptr;
    int m_highlighted = -1;
    UINT m_result = 0;
    bool m_rightButtonWasDown = false;
    bool m_leftButtonWasDown = false;
    bool m_modal = false;
};
