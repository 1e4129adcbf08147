#include "SendDialogDriver.h"

#include "framework/CWnd.h"
#include "resource.h"

namespace {

thread_local SendDialogDriver* t_driver = nullptr;
// Far beyond any dialog's start; only ends a test whose input went astray.
const UINT kWatchdogMs = 20000;

}  // namespace

SendDialogDriver::SendDialogDriver(Answer answer)
    : m_answer(std::move(answer))
{
    t_driver = this;
    m_hook = ::SetWindowsHookExA(WH_CBT, &SendDialogDriver::Hook, nullptr, ::GetCurrentThreadId());
}

SendDialogDriver::~SendDialogDriver()
{
    if (m_hook)
        ::UnhookWindowsHookEx(m_hook);
    if (m_watchdog)
        ::KillTimer(nullptr, m_watchdog);
    t_driver = nullptr;
}

LRESULT CALLBACK SendDialogDriver::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    SendDialogDriver* self = t_driver;
    HWND window = reinterpret_cast<HWND>(wParam);
    if (self && code == HCBT_ACTIVATE && window != self->m_open && ::GetDlgItem(window, IDC_MAIL_RECIPIENTS)) {
        self->m_open = window;
        ++self->m_shown;
        if (self->m_watchdog)
            ::KillTimer(nullptr, self->m_watchdog);
        self->m_watchdog = ::SetTimer(nullptr, 0, kWatchdogMs, &SendDialogDriver::OnWatchdog);
        if (self->m_answer)
            self->m_answer(window);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK SendDialogDriver::OnWatchdog(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    SendDialogDriver* self = t_driver;
    if (!self || !::IsWindow(self->m_open))
        return;
    self->m_watchdog = 0;
    self->m_gaveUp = true;
    ::PostMessageA(self->m_open, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

SendDialogDriver::Answer SendDialogDriver::Send(const std::string& recipients, const std::string& text)
{
    return [recipients, text](HWND dialog) {
        ::SetDlgItemTextA(dialog, IDC_MAIL_RECIPIENTS, recipients.c_str());
        ::SetDlgItemTextA(dialog, IDC_MAIL_TEXT, text.c_str());
        ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    };
}

SendDialogDriver::Answer SendDialogDriver::Cancel()
{
    return [](HWND dialog) { ::PostMessageA(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); };
}

std::string ItemText(HWND dialog, int id)
{
    return GetWindowTextString(::GetDlgItem(dialog, id));
}
