#include "widgets/CColorLabel.h"

#include "shared/HighContrast.h"

#include <utility>

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

// The static draws with the font it holds, selected after it has asked for its
// colours: it is given the label's own, or a bold label would not show bold.
// The old font goes only once the static no longer holds it.
void CColorLabel::RecreateFont()
{
    GdiFont font(::CreateFontIndirectA(&m_logFont));
    if (IsWindow())
        DefWindowProc(WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    m_font = std::move(font);
}

void CColorLabel::Redraw()
{
    // A hidden label draws when it shows.
    if (IsWindow() && IsWindowVisible())
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
    if (font && ::GetObjectA(font, sizeof m_logFont, &m_logFont)) {
        RecreateFont();
        Redraw();
        return 0;
    }
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
    if (HighContrast::IsOn())
        *result = reinterpret_cast<LRESULT>(HighContrast::PrepareText(dc));
    return TRUE;
}
