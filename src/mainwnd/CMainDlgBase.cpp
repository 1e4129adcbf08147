#include "mainwnd/CMainDlgBase.h"

#include "image/DisplayScale.h"
#include "shared/WindowPosition.h"
#include "shared/ZOrder.h"
#include "base/Settings.h"
#include "base/StoredNames.h"

using namespace stored;

CMainDlgBase::CMainDlgBase(UINT templateId, Settings& registry, MainSettings& switches, CWnd* parent)
    : CDialog(templateId, parent)
    , m_settings(switches)
    , m_registry(registry)
{}

BOOL CMainDlgBase::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_settings.topMost = m_registry.GetInt(kWindowSection, kTopMost, m_settings.topMost) != 0 ? 1 : 0;
    SetZOrder(m_hWnd, m_settings.topMost ? HWND_TOPMOST : HWND_NOTOPMOST, m_width, m_height,
              SWP_NOMOVE | SWP_NOACTIVATE);
    int x = GetSystemMetrics(SM_CXFULLSCREEN) - m_width - 20;
    int y = GetSystemMetrics(SM_CYFULLSCREEN) - m_height - 50;
    RestoreWindowPosition(m_registry, m_hWnd, kWindowSection, x, y, true, DisplayScale::ForSystem().Dpi());
    SetWindowLongPtrA(m_hWnd, GWL_STYLE, GetWindowLongPtrA(m_hWnd, GWL_STYLE) | WS_SYSMENU);
    return TRUE;
}

void CMainDlgBase::ApplyTopMost()
{
    SetZOrder(m_hWnd, m_settings.topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    m_registry.WriteInt(kWindowSection, kTopMost, m_settings.topMost);
}

BOOL CMainDlgBase::DestroyWindow()
{
    // Without a window there is no place to save: 0, 0 would be written.
    if (!m_hWnd || m_destroying)
        return FALSE;
    m_destroying = true;
    BeforeDestroy();
    if (IsIconic(m_hWnd))
        ::ShowWindow(m_hWnd, SW_RESTORE);
    SaveWindowPosition(m_registry, m_hWnd, kWindowSection, DisplayScale::ForSystem().Dpi());
    const BOOL destroyed = CDialog::DestroyWindow();
    m_destroying = false;
    return destroyed;
}

LRESULT CMainDlgBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_QUERYENDSESSION) {
        const LRESULT allowed = CDialog::WindowProc(message, wParam, lParam);
        if (allowed)
            EndDialog(1);
        return allowed;
    }
    // The session may end before the modal loop runs again: keep everything now.
    if (message == WM_ENDSESSION && wParam && ::IsWindow(m_hWnd) && !m_destroying)
        DestroyWindow();
    return CDialog::WindowProc(message, wParam, lParam);
}

void CMainDlgBase::PaintIcon(HDC dc, HICON icon) const
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, icon);
}

void CMainDlgBase::LoadSettings()
{
    m_settings.playSounds = m_registry.GetInt(kMainSection, kPlaySounds, 0) != 0 ? 1 : 0;
    m_settings.noInternet = m_registry.GetInt(kMainSection, kNoInternet, 1) != 0 ? 1 : 0;
}

void CMainDlgBase::SaveSettings()
{
    m_registry.WriteInt(kMainSection, kPlaySounds, m_settings.playSounds);
    m_registry.WriteInt(kMainSection, kNoInternet, m_settings.noInternet);
}
