#include "support/WhileModal.h"

#include <cstring>

namespace {

const UINT kPollMs = 20;
// Far beyond any dialog's start; only ends a test whose input went astray.
const UINT kWatchdogMs = 20000;

thread_local WhileModal* t_current = nullptr;

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwned(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<OwnedSearch*>(param);
    char name[16] = "";
    ::GetClassNameA(window, name, sizeof name);
    if (::GetWindow(window, GW_OWNER) == search->owner && ::IsWindowVisible(window) &&
        std::strcmp(name, "#32770") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

WhileModal::WhileModal(std::function<HWND()> find, std::function<void(HWND)> whileOpen)
    : m_find(std::move(find))
    , m_whileOpen(std::move(whileOpen))
{
    t_current = this;
    m_poll = ::SetTimer(nullptr, 0, kPollMs, OnPoll);
    m_watchdog = ::SetTimer(nullptr, 0, kWatchdogMs, OnWatchdog);
}

WhileModal::~WhileModal()
{
    ::KillTimer(nullptr, m_poll);
    ::KillTimer(nullptr, m_watchdog);
    t_current = nullptr;
}

void CALLBACK WhileModal::OnPoll(HWND, UINT, UINT_PTR, DWORD)
{
    WhileModal* self = t_current;
    if (!self || self->m_ran)
        return;
    HWND dialog = self->m_find();
    if (!dialog)
        return;
    // Before whileOpen, whose own message loops would dispatch this timer again.
    ::KillTimer(nullptr, self->m_poll);
    self->m_ran = true;
    self->m_whileOpen(dialog);
}

void CALLBACK WhileModal::OnWatchdog(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    WhileModal* self = t_current;
    if (!self)
        return;
    if (HWND dialog = self->m_find()) {
        self->m_gaveUp = true;
        ::PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
}

HWND FindOwnedDialog(HWND owner)
{
    OwnedSearch search{owner, nullptr};
    ::EnumThreadWindows(::GetWindowThreadProcessId(owner, nullptr), FindOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
