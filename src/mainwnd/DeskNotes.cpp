#include "mainwnd/DeskNotes.h"

#include "desktop/CDesktopHost.h"
#include "framework/CWnd.h"
#include "framework/Clock.h"
#include "mainwnd/MainTimers.h"
#include "model/ZorlaModel.h"
#include "resource.h"
#include "sound/SoundBoard.h"

namespace {

// Notes without a desktop wait for a new one this often, and this many times
// before they are shown without one.
const UINT kRehomeInterval = 2000;
const int kRehomeChecks = 15;

UINT UntilNextMinute()
{
    return (60 - Clock::Now().wSecond) * 1000;
}

}  // namespace

DeskNotes::DeskNotes(ZorlaModel& model, SoundBoard& sounds)
    : m_model(model)
    , m_sounds(sounds)
    , m_windows(&sounds)
{
    m_windows.SetModel(&m_model);
    m_windows.SetLostHandler([this] { WaitForDesktop(); });
}

DeskNotes::~DeskNotes() = default;

void DeskNotes::Attach(CWnd* mainWindow)
{
    m_mainWindow = mainWindow;
}

void DeskNotes::OpenStored()
{
    for (const CEntry& entry : m_model.StoredEntries())
        OnEntryAdded(entry);
    ShowProblems();
    if (m_mainWindow)
        ::SetTimer(m_mainWindow->GetSafeHwnd(), TimerDueCheck, 1000, nullptr);
}

void DeskNotes::OnEntryAdded(const CEntry& entry)
{
    if (m_windows.Open(entry, m_mainWindow))
        m_sounds.PlayResource(IDW_NOTE_OPENED);
}

void DeskNotes::OnReminderDue(const CEntry& entry)
{
    m_windows.Due(entry);
}

bool DeskNotes::OnTimer(UINT_PTR id)
{
    HWND window = m_mainWindow ? m_mainWindow->GetSafeHwnd() : nullptr;
    switch (id) {
    case TimerRehome: OnRehomeTimer(); return true;
    case TimerDueCheck:
        ::KillTimer(window, id);
        // Notes whose windows the system took away without a word.
        if (m_windows.FindLost())
            WaitForDesktop();
        CheckDue();
        ::SetTimer(window, id, UntilNextMinute(), nullptr);
        return true;
    default: return false;
    }
}

void DeskNotes::RestartDueCheck()
{
    HWND window = m_mainWindow ? m_mainWindow->GetSafeHwnd() : nullptr;
    ::KillTimer(window, TimerDueCheck);
    CheckDue();
    ::SetTimer(window, TimerDueCheck, UntilNextMinute(), nullptr);
}

void DeskNotes::CheckDue()
{
    m_model.CheckDue(COleDateTime::GetCurrentTime());
    ShowProblems();
}

void DeskNotes::OnTaskbarCreated()
{
    if (m_windows.HasLost())
        Rehome();
}

void DeskNotes::WaitForDesktop()
{
    HWND window = m_mainWindow ? m_mainWindow->GetSafeHwnd() : nullptr;
    if (!window)
        return;
    m_rehomeChecks = 0;
    ::SetTimer(window, TimerRehome, kRehomeInterval, nullptr);
}

void DeskNotes::OnRehomeTimer()
{
    CDesktopHost::ResetCache();
    CDesktopHost desktop;
    if (desktop.Find() == 0 || ++m_rehomeChecks >= kRehomeChecks)
        Rehome();
}

void DeskNotes::Rehome()
{
    if (m_mainWindow)
        ::KillTimer(m_mainWindow->GetSafeHwnd(), TimerRehome);
    CDesktopHost::ResetCache();
    m_windows.Rehome(m_mainWindow);
}

void DeskNotes::ShowProblems()
{
    for (const StoreProblem& problem : m_model.TakeProblems())
        problem.Show();
}
