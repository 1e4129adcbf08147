#include "mainwnd/CZorlaDlg.h"

#include "app/AppFont.h"
#include "app/ProgramTitle.h"
#include "app/Translator.h"
#include "framework/CDataExchange.h"
#include "framework/CWinApp.h"
#include "framework/Handles.h"
#include "resource.h"

#include <cstdio>

namespace {

CZorlaDlg* g_mainDialog = nullptr;

const char kSection[] = "CZorlaDlg";
const char kDefaultCity[] = "M" "\xFC" "nchen";
const int kPictureWidth = 440;
const int kPictureHeight = 444;
const UINT kAboutCommand = 16;

BOOL CALLBACK SetFontOnChild(HWND child, LPARAM font)
{
    SendMessageA(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return TRUE;
}

}  // namespace

CZorlaDlg::CZorlaDlg(CWnd* parent)
    : CQuokkaDlg(IDD_ZORLA_DIALOG, parent)
    , m_selectedCity(kDefaultCity)
{
    g_mainDialog = this;
    m_icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

CZorlaDlg::~CZorlaDlg()
{
    if (g_mainDialog == this)
        g_mainDialog = nullptr;
}

CZorlaDlg* CZorlaDlg::Instance()
{
    return g_mainDialog;
}

BOOL CZorlaDlg::OnInitDialog()
{
    m_width = kPictureWidth;
    m_height = kPictureHeight;
    CQuokkaDlg::OnInitDialog();
    TranslateWindow(m_hWnd, -1);
    ::SetWindowTextA(m_hWnd, ProgramTitle);
    AddAboutToSystemMenu();
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    EnumChildWindows(m_hWnd, SetFontOnChild, reinterpret_cast<LPARAM>(AppFont::Shared()));
    LoadSettings();
    UpdateData(FALSE);
    return TRUE;
}

void CZorlaDlg::DoDataExchange(CDataExchange* pDX)
{
    CQuokkaDlg::DoDataExchange(pDX);
    // While the list has no selection (no weather fetched yet) the remembered city
    // stays; reading the empty list would overwrite it with nothing.
    const bool noSelection =
        ::SendDlgItemMessageA(m_hWnd, IDC_CITY_LIST, CB_GETCURSEL, 0, 0) == CB_ERR;
    if (!(pDX->m_bSaveAndValidate && noSelection))
        DDX_CBString(pDX, IDC_CITY_LIST, m_selectedCity);
}

void CZorlaDlg::LoadSettings()
{
    CWinApp* app = AfxGetApp();
    m_selectedCity = app->GetProfileString(kSection, "strCurWeatherComobSelectionID", m_selectedCity.c_str());
    m_playSounds = app->GetProfileInt(kSection, "bSound", 0) != 0 ? 1 : 0;
    m_noInternet = app->GetProfileInt(kSection, "bNoInetConnect", 1) != 0 ? 1 : 0;
}

void CZorlaDlg::SaveSettings()
{
    CWinApp* app = AfxGetApp();
    app->WriteProfileString(kSection, "strCurWeatherComobSelectionID", m_selectedCity.c_str());
    app->WriteProfileInt(kSection, "bSound", m_playSounds);
    app->WriteProfileInt(kSection, "bNoInetConnect", m_noInternet);
}

void CZorlaDlg::AddAboutToSystemMenu()
{
    HMENU menu = GetSystemMenu(m_hWnd, FALSE);
    if (!menu)
        return;
    char text[256];
    std::snprintf(text, sizeof text, Translate("About %s...").c_str(), ProgramTitle);
    if (text[0] == '\0')
        return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kAboutCommand, text);
}

LRESULT CZorlaDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:           return OnPaint();
    case WM_QUERYDRAGICON:   return reinterpret_cast<LRESULT>(m_icon);
    case WM_QUERYENDSESSION: return OnQueryEndSession(wParam, lParam);
    case WM_CLOSE:           EndDialog(IDCANCEL); return 0;
    case WM_DESTROY:         return OnDestroy();
    case WM_HELP:            return TRUE;
    case WM_LBUTTONDOWN:     return OnLButtonDown(wParam, lParam);
    case WM_RBUTTONDOWN:     return OnRButtonDown(lParam);
    default:                 return CQuokkaDlg::WindowProc(message, wParam, lParam);
    }
}

BOOL CZorlaDlg::DestroyWindow()
{
    return CQuokkaDlg::DestroyWindow();
}

LRESULT CZorlaDlg::OnPaint()
{
    PaintScope paint(m_hWnd);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    GdiBrush background(CreateSolidBrush(RGB(255, 241, 199)));
    FillRect(paint.dc(), &client, background.get());
    SelectScope font(paint.dc(), AppFont::Shared());
    SetBkMode(paint.dc(), TRANSPARENT);
    SetTextColor(paint.dc(), RGB(0, 101, 136));
    DrawTextA(paint.dc(), ProgramTitle, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return 0;
}

BOOL CZorlaDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case ID_APP_EXIT:
        EndDialog(IDCANCEL);
        return TRUE;
    default:
        return CQuokkaDlg::OnCommand(wParam, lParam);
    }
}

LRESULT CZorlaDlg::OnQueryEndSession(WPARAM wParam, LPARAM lParam)
{
    const LRESULT allowed = CQuokkaDlg::WindowProc(WM_QUERYENDSESSION, wParam, lParam);
    if (allowed)
        EndDialog(1);
    return allowed;
}

LRESULT CZorlaDlg::OnDestroy()
{
    UpdateData(TRUE);
    SaveSettings();
    return CQuokkaDlg::WindowProc(WM_DESTROY, 0, 0);
}

LRESULT CZorlaDlg::OnLButtonDown(WPARAM wParam, LPARAM lParam)
{
    // The whole picture is the caption: dragging anywhere moves the window.
    CQuokkaDlg::WindowProc(WM_LBUTTONDOWN, wParam, lParam);
    ReleaseCapture();
    ::PostMessageA(m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
    return 0;
}

LRESULT CZorlaDlg::OnRButtonDown(LPARAM lParam)
{
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ::ClientToScreen(m_hWnd, &point);
    ShowCommandMenu(point);
    return 0;
}

void CZorlaDlg::ShowCommandMenu(POINT screenPoint)
{
    MenuHandle menu(CreatePopupMenu());
    AppendMenuA(menu.get(), MF_STRING, ID_APP_EXIT, Translate("E&xit").c_str());
    ReleaseCapture();
    SetForegroundWindow(m_hWnd);
    TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN, screenPoint.x, screenPoint.y, 0, m_hWnd, nullptr);
}
