#include "widgets/CColorLabel.h"

CColorLabel::CColorLabel()
    : m_textColour(::GetSysColor(COLOR_WINDOWTEXT))
    , m_ownBackground(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)))
    , m_secondBrush(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)))
{
    m_background = m_ownBackground.get();
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof m_logFont, &m_logFont);
    RecreateFont();
}

void CColorLabel::SetTransparent()
{
    m_ownBackground.reset();
    m_background = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CColorLabel::SetTextColour(COLORREF colour)
{
    m_textColour = colour;
    Redraw();
}

void CColorLabel::SetBold(bool bold)
{
    m_logFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    RecreateFont();
    Redraw();
}

void CColorLabel::RecreateFont()
{
    m_font.reset(::CreateFontIndirectA(&m_logFont));
}

void CColorLabel::Redraw()
{
    if (IsWindow())
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

LRESULT CColorLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFONT: return OnSetFont(reinterpret_cast<HFONT>(wParam));
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}

LRESULT CColorLabel::OnSetFont(HFONT font)
{
    // Follows its dialog's font; a weight set before is lost, one set after kept.
    if (font && ::GetObjectA(font, sizeof m_logFont, &m_logFont))
        RecreateFont();
    return Default();
}

BOOL CColorLabel::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* result)
{
    if (message != WM_CTLCOLORSTATIC)
        return FALSE;
    HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetBkMode(dc, TRANSPARENT);
    // Selected here because the static selects the font it was given before it
    // asks for its colours.
    ::SelectObject(dc, m_font.get());
    ::SetTextColor(dc, m_textColour);
    *result = reinterpret_cast<LRESULT>(m_background);
    return TRUE;
}
