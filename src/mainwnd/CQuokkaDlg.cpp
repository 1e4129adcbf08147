#include "mainwnd/CQuokkaDlg.h"

#include "shared/WindowPosition.h"
#include "framework/CWinApp.h"

#include <vector>

namespace {

const char kSection[] = "CQuokkaDlg";

BOOL CALLBACK CollectOwned(HWND window, LPARAM param)
{
    auto* owned = reinterpret_cast<std::vector<HWND>*>(param);
    if (GetWindow(window, GW_OWNER) == owned->front())
        owned->push_back(window);
    return TRUE;
}

// SetWindowPos with a z-order change. Wine does not make a window top-most while
// it owns a popup (the date pickers' hidden month calendars are such popups), so
// those are released from their owner for the moment of the change.
void SetZOrder(HWND window, HWND insertAfter, int width, int height, UINT flags)
{
    std::vector<HWND> owned{window};
    EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), CollectOwned, reinterpret_cast<LPARAM>(&owned));
    for (size_t i = 1; i < owned.size(); ++i)
        SetWindowLongPtrA(owned[i], GWLP_HWNDPARENT, 0);
    ::SetWindowPos(window, insertAfter, 0, 0, width, height, flags);
    for (size_t i = 1; i < owned.size(); ++i)
        SetWindowLongPtrA(owned[i], GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(window));
}

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
