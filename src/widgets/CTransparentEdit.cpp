#include "widgets/CTransparentEdit.h"

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

LRESULT CTransparentEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
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
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CTransparentEdit::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* result)
{
    switch (message) {
    case WM_CTLCOLOREDIT: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, m_textColor);
        if (m_backgroundColor == Transparent) {
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
