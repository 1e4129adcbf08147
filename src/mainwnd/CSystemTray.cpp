#include "mainwnd/CSystemTray.h"

#include "framework/AfxFunctions.h"
#include "framework/Utf8.h"
#include "image/ScaledIcon.h"

#include <cwchar>
#include <utility>

namespace {

const wchar_t kClassName[] = L"ZorlaTrayIcon";
const wchar_t kParentClassName[] = L"ZorlaTrayParent";
const UINT kAllFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
// The first form of the record holds 64 characters of tooltip.
const size_t kTipCharacters = 64;

BOOL ShellNotifyIcon(DWORD message, NOTIFYICONDATAW* data)
{
    return ::Shell_NotifyIconW(message, data);
}

NotifyIconCall g_notifyIcon = &ShellNotifyIcon;

}  // namespace

NotifyIconCall SetNotifyIconCall(NotifyIconCall call)
{
    const NotifyIconCall previous = g_notifyIcon;
    g_notifyIcon = call ? call : &ShellNotifyIcon;
    return previous;
}

std::string CutTooltip(const char* text, size_t limit)
{
    if (!text)
        return std::string();
    std::wstring tip = Widen(text);
    if (tip.size() > limit) {
        // A character beyond the first plane takes two units: both or neither.
        const bool splitsPair = tip[limit - 1] >= 0xD800 && tip[limit - 1] <= 0xDBFF;
        tip.resize(splitsPair ? limit - 1 : limit);
    }
    return Narrow(tip);
}

UINT CSystemTray::TaskbarCreatedMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

CSystemTray::~CSystemTray()
{
    RemoveIcon();
    // Destroying an owner destroys the windows it owns: a window still in the
    // tray goes back to having no owner first.
    if (m_parent && m_data.hWnd && ::GetWindow(m_data.hWnd, GW_OWNER) == m_parent.get())
        ::SetWindowLongPtrA(m_data.hWnd, GWLP_HWNDPARENT, 0);
    m_parent.reset();
    if (m_hWnd)
        DestroyWindow();
}

HWND CSystemTray::ParentWindow()
{
    if (!m_parent)
        m_parent.reset(CreateInvisibleWindow(kParentClassName));
    return m_parent.get();
}

bool CSystemTray::Create(HWND notify, UINT callbackMessage, const char* tooltip, int iconId, UINT id, bool startHidden)
{
    const DWORD version = ::GetVersion();
    m_enabled = LOBYTE(LOWORD(version)) >= 4;
    if (!m_enabled)
        return false;

    if (!m_hWnd) {
        if (HWND window = CreateInvisibleWindow(kClassName))
            SubclassWindow(window);
    }

    // The shell's first record: the fields up to a 64-character tooltip.
    m_data = NOTIFYICONDATAW{};
    m_data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    m_data.hWnd = notify ? notify : m_hWnd;
    m_data.uID = id;
    m_iconId = iconId;
    m_scale = DisplayScale::ForWindow(notify);
    m_icon = ScaledIcon::Load(AfxGetResourceHandle(), iconId, ScaledIcon::Small, m_scale);
    m_data.hIcon = m_icon.get();
    m_data.uCallbackMessage = callbackMessage;
    m_data.uFlags = kAllFlags;
    const std::wstring tip = Widen(CutTooltip(tooltip, kTipCharacters - 1));
    std::wmemcpy(m_data.szTip, tip.c_str(), tip.size() + 1);

    m_hidden = startHidden;
    if (startHidden)
        return true;
    const bool failed = !Notify(NIM_ADD, kAllFlags);
    m_removed = m_hidden = m_reAddPending = failed;
    return !failed;
}

bool CSystemTray::Rescale(const DisplayScale& scale)
{
    if (scale == m_scale)
        return true;
    m_scale = scale;
    if (m_iconId == 0)
        return true;
    IconHandle icon = ScaledIcon::Load(AfxGetResourceHandle(), m_iconId, ScaledIcon::Small, scale);
    if (!icon)
        return false;
    m_data.hIcon = icon.get();
    if (m_enabled && !m_removed && !m_hidden)
        Notify(NIM_MODIFY, NIF_ICON);
    // The old icon goes only now that the shell holds the new one.
    m_icon = std::move(icon);
    return true;
}

bool CSystemTray::RemoveIcon()
{
    m_reAddPending = false;
    if (!m_enabled || m_removed)
        return true;
    if (Notify(NIM_DELETE, 0)) {
        m_hidden = true;
        m_removed = true;
    }
    return m_removed;
}

bool CSystemTray::AddIcon()
{
    if (!m_removed)
        RemoveIcon();
    if (!m_enabled)
        return !m_removed;
    if (Notify(NIM_ADD, kAllFlags)) {
        m_hidden = false;
        m_removed = false;
    } else {
        m_reAddPending = true;
    }
    return !m_removed;
}

bool CSystemTray::HideIcon()
{
    if (!m_enabled || m_removed || m_hidden)
        return true;
    RemoveIcon();
    return m_hidden;
}

bool CSystemTray::ShowIcon()
{
    if (m_removed)
        return AddIcon();
    if (!m_hidden)
        return true;
    AddIcon();
    return !m_hidden;
}

bool CSystemTray::Notify(DWORD message, UINT flags)
{
    m_data.uFlags = flags;
    return g_notifyIcon(message, &m_data) != FALSE;
}

// A new taskbar starts empty: the icon goes in again whenever it should be
// there, also when it was shown before the old taskbar went away, so that a
// window in the tray never ends up without a way back. A taskbar that kept
// its icons (the message also comes for other reasons) refuses the add but
// takes the icon's data again.
void CSystemTray::ReAdd()
{
    if (!m_enabled || (m_hidden && !m_reAddPending))
        return;
    if (Notify(NIM_ADD, kAllFlags) || (!m_hidden && Notify(NIM_MODIFY, kAllFlags))) {
        m_hidden = false;
        m_removed = false;
        m_reAddPending = false;
    } else {
        m_hidden = true;
        m_removed = true;
        m_reAddPending = true;
    }
}

LRESULT CSystemTray::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TaskbarCreatedMessage())
        return OnTaskbarCreated();
    // clang-format off
    switch (message) {
    case WM_SETTINGCHANGE:   return OnSettingChange(wParam, lParam);
    case WM_QUERYENDSESSION: return OnQueryEndSession(wParam, lParam);
    default:                 return CWnd::WindowProc(message, wParam, lParam);
    }
    // clang-format on
}

LRESULT CSystemTray::OnTaskbarCreated()
{
    ReAdd();
    return 0;
}

// A changed work area may mean the taskbar is back after an add had failed.
LRESULT CSystemTray::OnSettingChange(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CWnd::WindowProc(WM_SETTINGCHANGE, wParam, lParam);
    if (wParam == SPI_SETWORKAREA && m_reAddPending)
        ReAdd();
    return result;
}

LRESULT CSystemTray::OnQueryEndSession(WPARAM wParam, LPARAM lParam)
{
    if (!CWnd::WindowProc(WM_QUERYENDSESSION, wParam, lParam))
        return 0;
    if (m_data.hWnd && m_data.hWnd != m_hWnd)
        ::SendMessageA(m_data.hWnd, WM_QUERYENDSESSION, 0, 0);
    return 1;
}
