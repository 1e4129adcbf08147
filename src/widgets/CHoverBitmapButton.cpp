#include "widgets/CHoverBitmapButton.h"

#include "framework/AfxFunctions.h"
#include "framework/Utf8.h"
#include "image/ScaledArt.h"

#include <map>
#include <tuple>

namespace {

// A missing id (0) loads nothing and is no failure.
bool LoadOptional(PLDIBSection& bitmap, UINT id, const DisplayScale& scale)
{
    return id == 0 || ScaledArt::LoadBitmap(AfxGetResourceHandle(), static_cast<int>(id), scale, bitmap);
}

}  // namespace

std::shared_ptr<const HoverBitmaps> HoverBitmaps::Load(UINT normal, UINT released, UINT hover,
                                                       const DisplayScale& scale)
{
    auto bitmaps = std::make_shared<HoverBitmaps>();
    bitmaps->m_releasedIsHover = released != 0 && released == hover;
    if (normal == 0 || !LoadOptional(bitmaps->m_normal, normal, scale) ||
        !LoadOptional(bitmaps->m_hover, hover, scale) ||
        (!bitmaps->m_releasedIsHover && !LoadOptional(bitmaps->m_released, released, scale)))
        return nullptr;
    bitmaps->m_size = SIZE{bitmaps->m_normal.Width(), bitmaps->m_normal.Height()};
    return bitmaps;
}

std::shared_ptr<const HoverBitmaps> HoverBitmaps::Shared(UINT normal, UINT released, UINT hover,
                                                         const DisplayScale& scale)
{
    // Weak: the last button to go releases the pictures.
    using Key = std::tuple<HINSTANCE, UINT, UINT, UINT, int>;
    static std::map<Key, std::weak_ptr<const HoverBitmaps>> loaded;
    std::weak_ptr<const HoverBitmaps>& slot =
        loaded[Key{AfxGetResourceHandle(), normal, released, hover, scale.Dpi()}];
    std::shared_ptr<const HoverBitmaps> bitmaps = slot.lock();
    if (!bitmaps) {
        bitmaps = Load(normal, released, hover, scale);
        slot = bitmaps;
    }
    return bitmaps;
}

bool CHoverBitmapButton::LoadBitmaps(UINT normal, UINT released, UINT hover, UINT /*disabled: never drawn*/,
                                     const DisplayScale& scale)
{
    m_bitmaps = HoverBitmaps::Load(normal, released, hover, scale);
    if (!m_bitmaps)
        return false;
    const SIZE size = m_bitmaps->Size();
    if (IsWindow())
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    return true;
}

bool CHoverBitmapButton::ShareBitmaps(UINT normal, UINT released, UINT hover, const DisplayScale& scale)
{
    m_bitmaps = HoverBitmaps::Shared(normal, released, hover, scale);
    return static_cast<bool>(m_bitmaps);
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
    // Tab and the arrows move the focus while their key is down; a click does not.
    case WM_SETFOCUS:
        m_keyboardFocus = (::GetKeyState(VK_TAB) | ::GetKeyState(VK_LEFT) | ::GetKeyState(VK_RIGHT) |
                           ::GetKeyState(VK_UP) | ::GetKeyState(VK_DOWN)) < 0;
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_LBUTTONDOWN:
        m_keyboardFocus = false;
        return CWnd::WindowProc(message, wParam, lParam);
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
    if (m_bitmaps) {
        switch (m_state) {
        case Released: bitmap = m_bitmaps->Released(); break;
        case Hover: bitmap = m_bitmaps->Hover(); break;
        case Disabled: break;
        default: bitmap = m_bitmaps->Normal(); break;
        }
    }
    RECT rect = item.rcItem;
    if (bitmap) {
        MemoryDC memory(::CreateCompatibleDC(dc));
        SelectScope selected(memory.get(), bitmap);
        ::BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, memory.get(), 0, 0, SRCCOPY);
    }

    // The keyboard's mark: a frame in the art's blue, as on the main window,
    // while the keyboard brought the focus here.
    if ((item.itemState & ODS_FOCUS) && m_keyboardFocus && !(item.itemState & ODS_NOFOCUSRECT)) {
        GdiBrush blue(::CreateSolidBrush(RGB(49, 114, 165)));
        RECT frame = rect;
        for (int i = DisplayScale::ForWindow(item.hwndItem).Px(2); i > 0; --i) {
            ::FrameRect(dc, &frame, blue.get());
            ::InflateRect(&frame, -1, -1);
        }
    }

    const std::wstring text = Widen(GetWindowTextString(item.hwndItem));
    if (!text.empty()) {
        if (m_state == Disabled) {
            RECT engraved = rect;
            ::OffsetRect(&engraved, 1, 1);
            ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
            ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &engraved, DT_CENTER);
            ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
        }
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CENTER);
    }
    ::RestoreDC(dc, saved);
}
