#include "widgets/CHyperLink.h"

#include "framework/Utf8.h"
#include "shared/HighContrast.h"
#include "shared/OsLevel.h"
#include "widgets/CHyperLinkThread.h"

#include <commctrl.h>
#include <windowsx.h>

namespace {

HCURSOR g_linkCursor = nullptr;
// Only a copy we made may be destroyed: DestroyCursor must not be used on the
// system's shared cursors.
bool g_linkCursorOwned = false;

constexpr UINT_PTR kToolId = 1;

// Windows 95, 98, Me and NT 4 have no IDC_HAND; Windows Help carries a hand.
HCURSOR LoadHelpHandCursor()
{
    char path[MAX_PATH + 16] = "";
    const UINT length = ::GetWindowsDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    lstrcatA(path, "\\winhlp32.exe");
    HMODULE help = ::LoadLibraryA(path);
    if (!help)
        return nullptr;
    HCURSOR copy = nullptr;
    if (HCURSOR hand = ::LoadCursorA(help, MAKEINTRESOURCEA(106)))
        copy = static_cast<HCURSOR>(::CopyIcon(hand));
    ::FreeLibrary(help);
    return copy;
}

void ReleaseLinkCursor()
{
    if (g_linkCursor && g_linkCursorOwned)
        ::DestroyCursor(g_linkCursor);
    g_linkCursor = nullptr;
    g_linkCursorOwned = false;
}

}  // namespace

CHyperLink::CHyperLink() = default;

CHyperLink::~CHyperLink()
{
    if (m_tooltip && ::IsWindow(m_tooltip))
        ::DestroyWindow(m_tooltip);
    ReleaseLinkCursor();
}

BOOL CHyperLink::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (!CWnd::SubclassDlgItem(id, parent))
        return FALSE;
    const std::string text = GetWindowText();
    if (m_target.empty())
        m_target = text;
    else if (text.empty())
        SetWindowText(m_target.c_str());

    if (HFONT font = GetFont()) {
        SetUnderlinedFont(font);
    } else {
        m_autoSize = false;
    }
    GetLinkCursor();
    CreateTooltip();
    return TRUE;
}

void CHyperLink::CreateTooltip()
{
    // The common controls are loaded on first use; the tooltip class exists only
    // once they are initialised.
    ::InitCommonControls();
    m_tooltip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, nullptr, nullptr);
    if (!m_tooltip)
        return;
    std::wstring tip = Widen(m_target);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = m_hWnd;
    tool.uId = kToolId;
    tool.lpszText = tip.data();
    GetClientRect(&tool.rect);
    ::SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CHyperLink::SetColours(COLORREF link, COLORREF active, COLORREF visited, COLORREF hover)
{
    m_linkColour = link;
    m_activeColour = active;
    m_visitedColour = visited;
    m_hoverColour = hover == static_cast<COLORREF>(-1) ? ::GetSysColor(COLOR_HIGHLIGHT) : hover;
    if (IsWindow())
        Invalidate();
}

std::string CHyperLink::SetURL(const std::string& target)
{
    std::string previous = m_target;
    m_target = target;
    if (IsWindow()) {
        ShowWindow(SW_HIDE);
        PositionWindow();
        if (m_tooltip) {
            std::wstring tip = Widen(m_target);
            TOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = m_hWnd;
            tool.uId = kToolId;
            tool.lpszText = tip.data();
            ::SendMessageW(m_tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        ShowWindow(SW_SHOW);
    }
    return previous;
}

void CHyperLink::SetUnderlinedFont(HFONT font)
{
    LOGFONTA logFont{};
    ::GetObjectA(font, sizeof logFont, &logFont);
    logFont.lfUnderline = TRUE;
    m_linkFont.reset(::CreateFontIndirectA(&logFont));
    CWnd::SetFont(m_linkFont.get(), TRUE);
    PositionWindow();
}

void CHyperLink::SetFont(HFONT font)
{
    if (!IsWindow() || !font)
        return;
    ShowWindow(SW_HIDE);
    LOGFONTA logFont{};
    ::GetObjectA(font, sizeof logFont, &logFont);
    m_linkFont.reset(::CreateFontIndirectA(&logFont));
    CWnd::SetFont(m_linkFont.get(), TRUE);
    PositionWindow();
    ShowWindow(SW_SHOW);
}

HCURSOR CHyperLink::GetLinkCursor()
{
    if (g_linkCursor)
        return g_linkCursor;
    if (GetOsLevel() >= 6) {
        g_linkCursor = ::LoadCursorA(nullptr, IDC_HAND);
        g_linkCursorOwned = false;
    } else {
        g_linkCursor = LoadHelpHandCursor();
        g_linkCursorOwned = g_linkCursor != nullptr;
    }
    return g_linkCursor;
}

void CHyperLink::FollowLink()
{
    // A link with neither text nor address has nothing to open: the shell would
    // be asked to open "", and the fallback to start the bare browser.
    if (!m_target.empty())
        CHyperLinkThread::Start(m_target);
}

void CHyperLink::PositionWindow()
{
    if (!m_autoSize || !IsWindow())
        return;
    HWND parent = ::GetParent(m_hWnd);
    RECT window{};
    GetWindowRect(&window);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    RECT client{};
    GetClientRect(&client);

    const std::wstring text = Widen(GetWindowText());
    SIZE extent{};
    {
        ClientDCScope dc(m_hWnd);
        SelectScope font(dc.dc(), m_linkFont.get());
        ::GetTextExtentPoint32W(dc.dc(), text.c_str(), static_cast<int>(text.size()), &extent);
        // A slanted last letter reaches past its advance, and the static clips
        // whatever lies outside its client area.
        ABC last{};
        const UINT letter = text.empty() ? 0 : text.back();
        if (letter && ::GetCharABCWidthsW(dc.dc(), letter, letter, &last) && last.abcC < 0)
            extent.cx -= last.abcC;
    }

    const DWORD style = GetStyle();
    if (style & SS_CENTERIMAGE) {
        const int shrink = (window.bottom - window.top - extent.cy) / 2;
        window.top += shrink;
        window.bottom -= shrink;
    } else {
        window.bottom = window.top + extent.cy;
    }
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: {
        const int shrink = (window.right - window.left - extent.cx) / 2;
        window.left += shrink;
        window.right -= shrink;
        break;
    }
    case SS_RIGHT: window.left = window.right - extent.cx; break;
    default: window.right = window.left + extent.cx; break;
    }

    // The text fills the client area; the borders come on top.
    RECT before{};
    GetWindowRect(&before);
    const int borderWidth = (before.right - before.left) - (client.right - client.left);
    const int borderHeight = (before.bottom - before.top) - (client.bottom - client.top);
    MoveWindow(window.left, window.top, window.right - window.left + borderWidth,
               window.bottom - window.top + borderHeight, TRUE);
    UpdateToolRect();
}

void CHyperLink::UpdateToolRect()
{
    if (!m_tooltip)
        return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = m_hWnd;
    tool.uId = kToolId;
    GetClientRect(&tool.rect);
    ::SendMessageW(m_tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

LRESULT CHyperLink::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    RelayToTooltip(message, wParam, lParam);
    switch (message) {
    case WM_SETCURSOR: return OnSetCursor();
    case WM_NCHITTEST: return HTCLIENT;
    case WM_MOUSEMOVE: return OnMouseMove(lParam);
    case WM_LBUTTONDOWN: return OnLButtonDown();
    case WM_LBUTTONUP: return OnLButtonUp();
    case WM_SETFOCUS: return OnSetFocus();
    case WM_KILLFOCUS: return OnKillFocus();
    case WM_KEYDOWN: return OnKeyDown(wParam);
    case WM_DESTROY: return OnDestroy();
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}

BOOL CHyperLink::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* result)
{
    if (message != WM_CTLCOLORSTATIC)
        return FALSE;
    // The fixed style never colours the hover; the colour is kept for SetColours.
    HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, m_active ? m_activeColour : m_visited ? m_visitedColour : m_linkColour);
    ::SetBkMode(dc, TRANSPARENT);
    *result = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
    if (HighContrast::IsOn()) {
        *result = reinterpret_cast<LRESULT>(HighContrast::PrepareText(dc));
        ::SetTextColor(dc, ::GetSysColor(COLOR_HOTLIGHT));
    }
    return TRUE;
}

void CHyperLink::RelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_tooltip)
        return;
    MSG relayed{m_hWnd, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
    const DWORD pos = ::GetMessagePos();
    relayed.pt = POINT{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
    ::SendMessageA(m_tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

LRESULT CHyperLink::OnSetCursor()
{
    // Asked again rather than kept: another link's destruction may have let the
    // shared cursor go.
    if (HCURSOR hand = GetLinkCursor()) {
        ::SetCursor(hand);
        return TRUE;
    }
    return Default();
}

LRESULT CHyperLink::OnMouseMove(LPARAM lParam)
{
    if (!m_hovering) {
        m_hovering = true;
        Invalidate();
        ::SetCapture(m_hWnd);
        return 0;
    }
    RECT client{};
    GetClientRect(&client);
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (!::PtInRect(&client, point)) {
        m_hovering = false;
        ::ReleaseCapture();
        Invalidate();
    }
    return 0;
}

LRESULT CHyperLink::OnLButtonDown()
{
    SetFocus();
    m_active = true;
    return Default();
}

LRESULT CHyperLink::OnLButtonUp()
{
    if (m_active)
        FollowLink();
    return Default();
}

LRESULT CHyperLink::OnSetFocus()
{
    m_active = true;
    Invalidate(TRUE);
    return 0;
}

LRESULT CHyperLink::OnKillFocus()
{
    m_hovering = false;
    m_active = false;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    Invalidate();
    return 0;
}

LRESULT CHyperLink::OnKeyDown(WPARAM key)
{
    if (key == VK_SPACE) {
        FollowLink();
        return 0;
    }
    return Default();
}

LRESULT CHyperLink::OnDestroy()
{
    if (m_tooltip) {
        ::DestroyWindow(m_tooltip);
        m_tooltip = nullptr;
    }
    m_linkFont.reset();
    return Default();
}
