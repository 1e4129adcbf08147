#include "widgets/CTransparentEdit.h"

#include "shared/HighContrast.h"

void CTransparentEdit::SetBackgroundColor(COLORREF color)
{
    m_backgroundColor = color;
    m_backgroundBrush.reset(color == Transparent ? nullptr : CreateSolidBrush(color));
}

void CTransparentEdit::RepaintBackground()
{
    HWND parent = ::GetParent(m_hWnd);
    if (!parent)
        return;
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    ::InvalidateRect(parent, &rect, FALSE);
}

bool CTransparentEdit::MayScroll(UINT message)
{
    switch (message) {
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_MOUSEMOVE:  // a selection dragged past the edge
    case WM_TIMER:      // ... goes on scrolling by timer
    case WM_LBUTTONDOWN:
    case WM_SETTEXT:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case EM_SETSEL:
    case EM_REPLACESEL:
    case EM_SCROLL:
    case EM_SCROLLCARET:
    case EM_LINESCROLL: return true;
    default: return false;
    }
}

int CTransparentEdit::FirstVisibleLine()
{
    return static_cast<int>(CWnd::WindowProc(EM_GETFIRSTVISIBLELINE, 0, 0));
}

LRESULT CTransparentEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CONTEXTMENU && lParam == -1 && m_parentMenu) {
        HWND parent = ::GetParent(m_hWnd);
        return ::SendMessageW(parent, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(parent), lParam);
    }
    switch (message) {
    case WM_KEYUP:
        if (wParam >= VK_PRIOR && wParam <= VK_DOWN)  // page keys, end, home, arrows scroll the text
            RepaintBackground();
        break;
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case EM_SETSEL: RepaintBackground(); break;
    default: break;
    }
    // A mouse only moving over the text scrolls nothing: no look at the lines
    // on that path, which every note under the pointer takes.
    const bool dragging = message != WM_MOUSEMOVE || (wParam & MK_LBUTTON);
    if (!MayScroll(message) || !dragging || !(::GetWindowLongPtrA(m_hWnd, GWL_STYLE) & ES_MULTILINE))
        return CWnd::WindowProc(message, wParam, lParam);
    // The edit scrolls by copying what it shows: the picture moves with the
    // text. Once scrolled, everything under it is drawn anew.
    const int before = FirstVisibleLine();
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (m_hWnd && FirstVisibleLine() != before) {
        HWND parent = ::GetParent(m_hWnd);
        RECT rect{};
        ::GetWindowRect(m_hWnd, &rect);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        ::RedrawWindow(parent, &rect, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), EN_VSCROLL),
                       reinterpret_cast<LPARAM>(m_hWnd));
    }
    return result;
}

BOOL CTransparentEdit::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* result)
{
    switch (message) {
    case WM_CTLCOLOREDIT: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, m_textColor);
        if (HighContrast::IsOn()) {
            *result = reinterpret_cast<LRESULT>(HighContrast::PrepareText(dc));
        } else if (m_backgroundColor == Transparent) {
            ::SetBkMode(dc, TRANSPARENT);
            *result = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        } else {
            ::SetBkColor(dc, m_backgroundColor);
            *result = reinterpret_cast<LRESULT>(m_backgroundBrush.get());
        }
        return TRUE;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_UPDATE)
            RepaintBackground();
        return FALSE;
    default: return FALSE;
    }
}
