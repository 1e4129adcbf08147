#include "widgets/CEmptyTextListView.h"

#include "framework/Handles.h"
#include "framework/Utf8.h"

#include <commctrl.h>

void CEmptyTextListView::SetEmptyText(const std::string& text)
{
    if (text == m_emptyText)
        return;
    m_emptyText = text;
    Invalidate();
}

LRESULT CEmptyTextListView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: return OnPaint();
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}

// The list paints itself first; the line goes over its blank rows after, since
// a list view has no text of its own for being empty before comctl32 6.1.
LRESULT CEmptyTextListView::OnPaint()
{
    const LRESULT result = Default();
    if (!m_emptyText.empty() && ::SendMessageW(m_hWnd, LVM_GETITEMCOUNT, 0, 0) == 0)
        DrawEmptyText();
    return result;
}

void CEmptyTextListView::DrawEmptyText()
{
    RECT area{};
    GetClientRect(&area);
    HWND header = reinterpret_cast<HWND>(::SendMessageW(m_hWnd, LVM_GETHEADER, 0, 0));
    if (header && ::IsWindowVisible(header)) {
        RECT headerRect{};
        ::GetWindowRect(header, &headerRect);
        ScreenToClient(&headerRect);
        area.top = headerRect.bottom;
    }
    ::InflateRect(&area, -6, 0);
    area.top += 6;

    ClientDCScope dc(m_hWnd);
    SelectScope font(dc.dc(), GetFont());
    COLORREF background = static_cast<COLORREF>(::SendMessageW(m_hWnd, LVM_GETBKCOLOR, 0, 0));
    if (background == CLR_NONE)
        background = ::GetSysColor(COLOR_WINDOW);
    // Opaque, so drawing it again over itself leaves the same pixels.
    ::SetBkColor(dc.dc(), background);
    ::SetBkMode(dc.dc(), OPAQUE);
    ::SetTextColor(dc.dc(), ::GetSysColor(COLOR_GRAYTEXT));
    const std::wstring text = Widen(m_emptyText);
    ::DrawTextW(dc.dc(), text.c_str(), static_cast<int>(text.size()), &area,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}
