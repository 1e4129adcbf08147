#include "app/DeskNotes.h"

#include "desktop/CDesktopHost.h"
#include "framework/CWnd.h"
#include "app/CompanionTimers.h"
#include "model/ZorlaModel.h"
#include "notes/CNoteDlg.h"
#include "notes/StoredPlace.h"
#include "resource.h"
#include "shared/PrivateMessages.h"
#include "sound/SoundBoard.h"
#include "widgets/StoreProblemMessage.h"

#include <algorithm>
#include <chrono>

namespace {

// Notes without a desktop wait for a new one this often, and this many times
// before they are shown without one.
const UINT kRehomeInterval = 2000;
const int kRehomeChecks = 15;
// A slice opens at most this many windows, and stops after this long, so the
// main window answers every message within a fraction of a second.
const size_t kSliceWindows = 3;
const auto kSliceTime = std::chrono::milliseconds(12);

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM monitors)
{
    reinterpret_cast<std::vector<RECT>*>(monitors)->push_back(*rect);
    return TRUE;
}

// The monitors' rectangles, asked for once: each question to the system costs
// a round trip, and thousands of notes would ask thousands of times.
std::vector<RECT> Monitors()
{
    std::vector<RECT> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

// A note whose stored place lies on a monitor, or that has none yet.
bool OnAMonitor(const CEntry& entry, const std::vector<RECT>& monitors)
{
    if (entry.wndX == -1 && entry.wndY == -1)
        return true;
    const POINT place = StoredPlace::OnScreen(POINT{entry.wndX, entry.wndY}, DisplayScale::ForSystem());
    const POINT corner{place.x + 8, place.y + 8};
    return std::any_of(monitors.begin(), monitors.end(),
                       [corner](const RECT& monitor) { return ::PtInRect(&monitor, corner) != FALSE; });
}

UINT UntilNextMinute(const Clock& clock)
{
    return (60 - clock.Now().GetSecond()) * 1000;
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

void DeskNotes::Attach(CWnd* owner, HWND timerWindow)
{
    m_owner = owner;
    m_timerWindow = timerWindow;
}

void DeskNotes::OpenStored()
{
    m_toOpen = m_model.StoredEntries();
    m_nextToOpen = 0;
    const std::vector<RECT> monitors = Monitors();
    std::stable_partition(m_toOpen.begin(), m_toOpen.end(),
                          [&monitors](const CEntry& entry) { return OnAMonitor(entry, monitors); });
    ShowProblems();
    OpenNextSlice();
}

void DeskNotes::OpenNextSlice()
{
    const auto start = std::chrono::steady_clock::now();
    CDesktopHost::SharedSearch oneLook;
    for (size_t opened = 0; IsOpening() && opened < kSliceWindows; ++opened) {
        // Painted at once: a paint left waiting would hold the next slice back
        // behind a timer.
        if (CNoteDlg* window = Open(m_toOpen[m_nextToOpen++]))
            ::UpdateWindow(window->GetSafeHwnd());
        if (std::chrono::steady_clock::now() - start >= kSliceTime)
            break;
    }
    if (IsOpening())
        ScheduleNextSlice();
    else
        OnAllOpened();
}

// Posted messages come before the user's input and before painting: while
// either waits, the next slice waits for a timer, which comes after them.
void DeskNotes::ScheduleNextSlice()
{
    HWND window = m_timerWindow;
    if (!window)
        return;
    if (::GetQueueStatus(QS_INPUT | QS_PAINT) >> 16)
        ::SetTimer(window, TimerOpenNotes, 1, nullptr);
    else
        ::PostMessageW(window, WM_OPEN_NOTES, 0, 0);
}

void DeskNotes::FinishOpening()
{
    CDesktopHost::SharedSearch oneLook;
    while (IsOpening())
        Open(m_toOpen[m_nextToOpen++]);
    if (!m_toOpen.empty())
        OnAllOpened();
}

void DeskNotes::OnAllOpened()
{
    m_toOpen.clear();
    m_nextToOpen = 0;
    if (m_timerWindow)
        ::SetTimer(m_timerWindow, TimerDueCheck, 1000, nullptr);
}

void DeskNotes::CloseAll()
{
    m_toOpen.clear();
    m_nextToOpen = 0;
    if (m_timerWindow)
        ::KillTimer(m_timerWindow, TimerOpenNotes);
    m_windows.CloseAllKeepingState();
}

// A note that comes with a place on none of this computer's monitors (another
// computer's, say) is cascaded onto the primary one instead.
void DeskNotes::OnEntryAdded(const CEntry& entry)
{
    if (OnAMonitor(entry, Monitors())) {
        Open(entry);
        return;
    }
    CEntry cascaded = entry;
    cascaded.wndX = -1;
    cascaded.wndY = -1;
    Open(cascaded);
}

CNoteDlg* DeskNotes::Open(const CEntry& entry)
{
    CNoteDlg* window = m_windows.Open(entry, m_owner);
    if (window)
        m_sounds.PlayResource(IDW_NOTE_OPENED);
    return window;
}

// A window not open yet opens with the entry as it is now.
void DeskNotes::OnEntryChanged(const CEntry& entry)
{
    if (m_windows.Change(entry))
        return;
    for (std::size_t i = m_nextToOpen; i < m_toOpen.size(); ++i)
        if (m_toOpen[i].GetKey() == entry.GetKey())
            m_toOpen[i] = entry;
}

void DeskNotes::OnEntryRemoved(const CEntry& entry)
{
    if (m_windows.Remove(entry))
        return;
    for (std::size_t i = m_nextToOpen; i < m_toOpen.size(); ++i) {
        if (m_toOpen[i].GetKey() == entry.GetKey()) {
            m_toOpen.erase(m_toOpen.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
}

void DeskNotes::OnReminderDue(const CEntry& entry)
{
    m_windows.Due(entry);
}

bool DeskNotes::OnTimer(UINT_PTR id)
{
    HWND window = m_timerWindow;
    switch (id) {
    case TimerRehome: OnRehomeTimer(); return true;
    case TimerOpenNotes:
        ::KillTimer(window, id);
        if (IsOpening())
            OpenNextSlice();
        return true;
    case TimerDueCheck:
        ::KillTimer(window, id);
        // Notes whose windows the system took away without a word.
        if (m_windows.FindLost())
            WaitForDesktop();
        CheckDue();
        ::SetTimer(window, id, UntilNextMinute(m_model.GetClock()), nullptr);
        return true;
    default: return false;
    }
}

void DeskNotes::RestartDueCheck()
{
    HWND window = m_timerWindow;
    ::KillTimer(window, TimerDueCheck);
    CheckDue();
    ::SetTimer(window, TimerDueCheck, UntilNextMinute(m_model.GetClock()), nullptr);
}

void DeskNotes::CheckDue()
{
    m_model.CheckDue(m_model.GetClock().Now());
    ShowProblems();
}

void DeskNotes::OnTaskbarCreated()
{
    if (m_windows.HasLost())
        Rehome();
}

void DeskNotes::WaitForDesktop()
{
    HWND window = m_timerWindow;
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
    if (m_timerWindow)
        ::KillTimer(m_timerWindow, TimerRehome);
    CDesktopHost::ResetCache();
    CDesktopHost::SharedSearch oneLook;
    m_windows.Rehome(m_owner);
}

void DeskNotes::ShowProblems()
{
    for (const StoreProblem& problem : m_model.TakeProblems())
        StoreProblemMessage::Show(problem);
}
