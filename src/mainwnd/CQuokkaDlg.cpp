#include "mainwnd/CQuokkaDlg.h"

#include "shared/WindowPosition.h"
#include "shared/ZOrder.h"
#include "framework/CWinApp.h"

namespace {

const char kSection[] = "CQuokkaDlg";
// The main window's own switches and the chosen city.
const char kMainSection[] = "CZorlaDlg";

}  // namespace

CQuokkaDlg::CQuokkaDlg(UINT templateId, CWnd* parent)
    : CDialog(templateId, parent)
{}

BOOL CQuokkaDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_settings.topMost = AfxGetApp()->GetProfileInt(kSection, "TopMost", m_settings.topMost) != 0 ? 1 : 0;
    SetZOrder(m_hWnd, m_settings.topMost ? HWND_TOPMOST : HWND_NOTOPMOST, m_width, m_height,
              SWP_NOMOVE | SWP_NOACTIVATE);
    int x = GetSystemMetrics(SM_CXFULLSCREEN) - m_width - 20;
    int y = GetSystemMetrics(SM_CYFULLSCREEN) - m_height - 50;
    RestoreWindowPosition(m_hWnd, kSection, x, y, true);
    SetWindowLongPtrA(m_hWnd, GWL_STYLE, GetWindowLongPtrA(m_hWnd, GWL_STYLE) | WS_SYSMENU);
    return TRUE;
}

void CQuokkaDlg::ApplyTopMost()
{
    SetZOrder(m_hWnd, m_settings.topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    AfxGetApp()->WriteProfileInt(kSection, "TopMost", m_settings.topMost);
}

BOOL CQuokkaDlg::DestroyWindow()
{
    // Without a window there is no place to save: 0, 0 would be written.
    if (!m_hWnd)
        return FALSE;
    if (IsIconic(m_hWnd))
        ::ShowWindow(m_hWnd, SW_RESTORE);
    SaveWindowPosition(m_hWnd, kSection);
    return CDialog::DestroyWindow();
}

std::string CQuokkaDlg::LoadSettings(const std::string& city)
{
    CWinApp* app = AfxGetApp();
    m_settings.playSounds = app->GetProfileInt(kMainSection, "bSound", 0) != 0 ? 1 : 0;
    m_settings.noInternet = app->GetProfileInt(kMainSection, "bNoInetConnect", 1) != 0 ? 1 : 0;
    return app->GetProfileString(kMainSection, "strCurWeatherComobSelectionID", city.c_str());
}

void CQuokkaDlg::SaveSettings(const std::string& city)
{
    CWinApp* app = AfxGetApp();
    app->WriteProfileString(kMainSection, "strCurWeatherComobSelectionID", city.c_str());
    app->WriteProfileInt(kMainSection, "bSound", m_settings.playSounds);
    app->WriteProfileInt(kMainSection, "bNoInetConnect", m_settings.noInternet);
}
