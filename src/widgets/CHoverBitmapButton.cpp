#include "widgets/CHoverBitmapButton.h"

#include "framework/AfxFunctions.h"

namespace {

// A missing id (0) loads nothing and is no failure.
bool LoadOptional(GdiBitmap& bitmap, UINT id)
{
    if (id == 0)
        return true;
    bitmap.reset(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id)));
    return static_cast<bool>(bitmap);
}

}  // namespace

bool CHoverBitmapButton::LoadBitmaps(UINT normal, UINT released, UINT hover, UINT /*disabled: never drawn*/)
{
    m_normal.reset();
    m_released.reset();
    m_hover.reset();
    m_disabled.reset();
    if (normal == 0 || !LoadOptional(m_normal, normal))
        return false;
    if (!LoadOptional(m_released, released) || !LoadOptional(m_hover, hover))
        return false;
    BITMAP info{};
    ::GetObjectA(m_normal.get(), sizeof info, &info);
    if (IsWindow())
        SetWindowPos(nullptr, 0, 0, info.bmWidth, info.bmHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    return true;
}

int CHoverBitmapButton::SetState(int state)
{
    const int previous = static_cast<int>(SendMessage(BM_GETCHECK));
    m_state = state;
    switch (state) {
    case Released:
    case Hover:
        EnableWindow(TRUE);
        SendMessage(BM_SETSTATE, static_cast<WPARAM>(state));
        break;
    case Disabled: EnableWindow(FALSE); break;
    default:
        EnableWindow(TRUE);
        SendMessage(BM_SETSTATE, 0);
        m_state = Normal;
        break;
    }
    return previous;
}

LRESULT CHoverBitmapButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE: return OnMouseMove();
    case WM_MOUSELEAVE: return OnMouseLeave();
    case WM_LBUTTONUP: return OnLButtonUp();
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}

BOOL CHoverBitmapButton::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result)
{
    if (message != WM_DRAWITEM)
        return FALSE;
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    *result = TRUE;
    return TRUE;
}

LRESULT CHoverBitmapButton::OnMouseMove()
{
    const LRESULT result = Default();
    if (m_tracking || m_state != Normal)
        return result;
    // User32's own TrackMouseEvent: comctl32's _TrackMouseEvent only forwards to
    // it, and the note windows need not load the common controls for it.
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = m_hWnd;
    track.dwHoverTime = HOVER_DEFAULT;
    if (!::TrackMouseEvent(&track))
        return result;
    m_tracking = true;
    m_state = Hover;
    Repaint();
    return result;
}

LRESULT CHoverBitmapButton::OnMouseLeave()
{
    m_state = Normal;
    m_tracking = false;
    Repaint();
    return 0;
}

LRESULT CHoverBitmapButton::OnLButtonUp()
{
    SetState(Released);
    // Sends the click to the parent, which may destroy the button: nothing after.
    return Default();
}

void CHoverBitmapButton::Repaint()
{
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CHoverBitmapButton::DrawItem(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    const int saved = ::SaveDC(dc);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWFRAME));

    HBITMAP bitmap = nullptr;
    switch (m_state) {
    case Released: bitmap = m_released.get(); break;
    case Hover: bitmap = m_hover.get(); break;
    case Disabled: bitmap = m_disabled.get(); break;
    default: bitmap = m_normal.get(); break;
    }
    RECT rect = item.rcItem;
    if (bitmap) {
        MemoryDC memory(::CreateCompatibleDC(dc));
        SelectScope selected(memory.get(), bitmap);
        ::BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, memory.get(), 0, 0, SRCCOPY);
    }

    const std::string text = GetWindowTextString(item.hwndItem);
    if (!text.empty()) {
        if (m_state == Disabled) {
            RECT engraved = rect;
            ::OffsetRect(&engraved, 1, 1);
            ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
            ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &engraved, DT_CENTER);
            ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
        }
        ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CENTER);
    }
    ::RestoreDC(dc, saved);
}
