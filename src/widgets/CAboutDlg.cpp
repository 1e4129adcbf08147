#include "widgets/CAboutDlg.h"

#include "framework/AfxFunctions.h"
#include "framework/Utf8.h"
#include "image/JpegDecoder.h"
#include "image/PLTextException.h"
#include "image/ScaledArt.h"
#include "resource.h"
#include "shared/DialogUnits.h"
#include "shared/SharedFont.h"
#include "base/ProgramTitle.h"
#include "shared/Translator.h"
#include "shared/WebAddresses.h"

#include <windowsx.h>

#include <utility>

namespace {

// The gold of the picture's frame, for every state of the links.
const COLORREF kLinkColour = RGB(182, 150, 62);
const COLORREF kCreditColour = RGB(255, 255, 255);
const char kAgencyName[] = "Inkwell Advertising";
const char kNotice[] = "Copyright © 2004 Velloran Software";

struct Place {
    int id;
    RECT place;  // left, top, width, height
};
// The template's controls at classic 6 x 13 dialog units like every window of
// the program: the picture leaves room for them there, whatever units the
// system's "MS Sans Serif" gives.
const Place kPlaces[] = {
    {IDC_ABOUT_MAKER_LINK, ClassicDialogPlace(82, 109, 61, 8)},
    {IDC_ABOUT_AGENCY_LINK, ClassicDialogPlace(82, 102, 94, 8)},
    {IDC_ABOUT_CLOSE, ClassicDialogPlace(184, 7, 10, 10)},
};
// The client area when the picture is missing, at 96 DPI.
const RECT kClassicClient = ClassicDialogPlace(0, 0, 198, 214);

}  // namespace

CAboutDlg::CAboutDlg(CWnd* parent)
    : CDialog(IDD_ABOUT, parent)
{}

CAboutDlg::~CAboutDlg()
{
    // While the controls' objects still exist.
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
}

std::vector<CAboutDlg::Credit> CAboutDlg::Credits()
{
    return {
        {{168, 51}, true, ProgramTitle},
        {{123, 150}, true, Translate("Developed by:")},
        {{17, 268}, false, kNotice},
        {{17, 283}, false, std::string("  ") + kAgencyName},
        // The weather services' and the places' licences ask for their names;
        // the picture leaves room for them beside the figure.
        {{123, 196}, false, Translate("Weather: MET Norway,")},
        {{123, 210}, false, "Deutscher Wetterdienst"},
        {{123, 224}, false, Translate("Places: GeoNames")},
        {{123, 238}, false, "(CC BY 4.0)"},
    };
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_scale = DisplayScale::ForWindow(m_hWnd);
    DecodeBackground(true);
    PlaceWindowAndControls();
    // The links take their texts and addresses before they are bound: they
    // size themselves to the text they find.
    ::SetDlgItemTextA(m_hWnd, IDC_ABOUT_MAKER_LINK, ZORLA_MAKER_HOST);
    m_makerLink.SetURL(ZORLA_MAKER_URL);
    m_makerLink.SubclassDlgItem(IDC_ABOUT_MAKER_LINK, this);
    ::SetDlgItemTextA(m_hWnd, IDC_ABOUT_AGENCY_LINK, ZORLA_AGENCY_HOST);
    m_agencyLink.SetURL(ZORLA_AGENCY_URL);
    m_agencyLink.SubclassDlgItem(IDC_ABOUT_AGENCY_LINK, this);
    m_closeButton.SubclassDlgItem(IDC_ABOUT_CLOSE, this);

    LOGFONTA log{};
    ::GetObjectA(SharedFont(), sizeof log, &log);
    m_textFont.SetLog(log);
    log.lfWeight = FW_BOLD;
    m_titleFont.SetLog(log);

    m_makerLink.ShowWindow(SW_HIDE);
    for (CHyperLink* link : {&m_makerLink, &m_agencyLink, &m_brandLink})
        link->SetColours(kLinkColour, kLinkColour, kLinkColour);
    m_brandLink.SetURL(ZORLA_BRAND_URL);
    MakeScaledParts();
    TranslateWindow(m_hWnd, -1);
    return TRUE;
}

bool CAboutDlg::DecodeBackground(bool tell)
{
    try {
        JpegDecoder decoder;
        PLDIBSection picture;
        ScaledArt::DecodePicture(decoder, AfxGetResourceHandle(), IDP_ABOUT, POINT{0, 0}, m_scale, picture);
        m_background = std::move(picture);
    } catch (const PLTextException& error) {
        if (tell)
            AfxMessageBox(error.Text().c_str(), MB_OK | MB_ICONHAND);
        return false;
    }
    return true;
}

void CAboutDlg::MakeScaledParts()
{
    m_closeButton.LoadBitmaps(IDB_ABOUT_CLOSE, IDB_ABOUT_CLOSE_HOT, IDB_ABOUT_CLOSE_HOT, IDB_ABOUT_CLOSE_HOT, m_scale);
    m_agencyLink.SetFont(m_textFont.ForDpi(m_scale.Dpi()));
    const RECT spot = m_scale.Rect(kHotSpot);
    m_hotSpot.reset(::CreateEllipticRgn(spot.left, spot.top, spot.right, spot.bottom));
    SetFontOnChildren(m_hWnd, SharedFont(m_scale.Dpi()));
}

// The template's places at the scale, edge by edge, so the picture's room for
// them scales alike.
void CAboutDlg::PlaceControls()
{
    for (const Place& control : kPlaces) {
        const RECT& place = control.place;
        const RECT edges =
            m_scale.Rect(RECT{place.left, place.top, place.left + place.right, place.top + place.bottom});
        ::MoveWindow(::GetDlgItem(m_hWnd, control.id), edges.left, edges.top, edges.right - edges.left,
                     edges.bottom - edges.top, FALSE);
    }
}

// The window is the picture: no frame, so the client area is as big.
SIZE CAboutDlg::WindowSize() const
{
    RECT frame =
        m_background.IsEmpty() ? m_scale.Rect(kClassicClient) : RECT{0, 0, m_background.Width(), m_background.Height()};
    ::AdjustWindowRectEx(&frame, GetStyle(), FALSE, GetExStyle());
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

// The client area is the picture, about the centre the template gave.
void CAboutDlg::PlaceWindowAndControls()
{
    PlaceControls();
    const SIZE size = WindowSize();
    RECT window{};
    GetWindowRect(&window);
    SetWindowPos(nullptr, (window.left + window.right - size.cx) / 2, (window.top + window.bottom - size.cy) / 2,
                 size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CAboutDlg::IsOverHotSpot(POINT client) const
{
    return m_hotSpot && ::PtInRegion(m_hotSpot.get(), client.x, client.y);
}

BOOL CAboutDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_ABOUT_CLOSE && HIWORD(wParam) == BN_CLICKED) {
        EndDialog(IDOK);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

// ---- messages -----------------------------------------------------------------

LRESULT CAboutDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // clang-format off
    switch (message) {
    case WM_ERASEBKGND:  return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_PAINT:       return OnPaint();
    case WM_MOUSEMOVE:   return OnMouseMove(wParam, lParam);
    case WM_SETCURSOR:   return OnSetCursor(wParam, lParam);
    case WM_LBUTTONDOWN: return OnLButtonDown(wParam, lParam);
    case WM_DPICHANGED:  return OnDpiChanged(wParam, lParam);
    default:             return CDialog::WindowProc(message, wParam, lParam);
    }
    // clang-format on
}

LRESULT CAboutDlg::OnEraseBackground(HDC dc)
{
    m_background.Draw(dc, 0, 0);
    return TRUE;
}

LRESULT CAboutDlg::OnPaint()
{
    PaintScope paint(m_hWnd);
    HDC dc = paint.dc();
    const int saved = ::SaveDC(dc);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kCreditColour);
    for (const Credit& credit : Credits()) {
        ::SelectObject(dc, (credit.title ? m_titleFont : m_textFont).ForDpi(m_scale.Dpi()));
        const std::wstring text = Widen(credit.text);
        const POINT place = m_scale.Point(credit.place);
        ::TextOutW(dc, place.x, place.y, text.c_str(), static_cast<int>(text.size()));
    }
    // Puts the DC's own font back before the fonts may go.
    ::RestoreDC(dc, saved);
    return 0;
}

LRESULT CAboutDlg::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    m_overHotSpot = IsOverHotSpot(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    ::SetCursor(m_overHotSpot ? CHyperLink::GetLinkCursor() : ::LoadCursorA(nullptr, IDC_ARROW));
    return CDialog::WindowProc(WM_MOUSEMOVE, wParam, lParam);
}

// Asked before every move: the cursor is decided here from where the pointer is
// now, so coming back into the box does not show the hand it last left with.
// The dialog class's arrow from the default handling would replace the hand at
// each move, so the client area is answered here alone.
LRESULT CAboutDlg::OnSetCursor(WPARAM wParam, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(wParam) != m_hWnd || LOWORD(lParam) != HTCLIENT)
        return CDialog::WindowProc(WM_SETCURSOR, wParam, lParam);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    m_overHotSpot = IsOverHotSpot(cursor);
    ::SetCursor(m_overHotSpot ? CHyperLink::GetLinkCursor() : ::LoadCursorA(nullptr, IDC_ARROW));
    return TRUE;
}

LRESULT CAboutDlg::OnLButtonDown(WPARAM wParam, LPARAM lParam)
{
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    // The press's own point decides: a box opened under a resting pointer has
    // seen no move yet.
    m_overHotSpot = IsOverHotSpot(point);
    if (m_overHotSpot) {
        m_brandLink.FollowLink();
        EndDialog(IDOK);
        return CDialog::WindowProc(WM_LBUTTONDOWN, wParam, lParam);
    }
    const LRESULT result = CDialog::WindowProc(WM_LBUTTONDOWN, wParam, lParam);
    // The band along the top is the box's caption: the system moves the box
    // while the button stays down.
    if (point.y < m_scale.Px(kDragBand)) {
        POINT screen = point;
        ClientToScreen(&screen);
        ::PostMessageA(m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    }
    return result;
}

// Moved to a monitor of another scale: the box is made for it, its top-left
// corner where Windows proposes; the picture fixes its size. A picture that
// cannot be made for the new scale leaves the box as it was.
LRESULT CAboutDlg::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    const DisplayScale previous = m_scale;
    m_scale = DisplayScale(LOWORD(wParam));
    if (m_scale == previous)
        return 0;
    if (!DecodeBackground(false)) {
        m_scale = previous;
        return 0;
    }
    PlaceControls();
    MakeScaledParts();
    RECT place{};
    GetWindowRect(&place);
    if (lParam)
        place = *reinterpret_cast<const RECT*>(lParam);
    const SIZE size = WindowSize();
    SetWindowPos(nullptr, place.left, place.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return 0;
}
