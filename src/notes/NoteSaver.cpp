#include "notes/NoteSaver.h"

#include "framework/CWnd.h"
#include "image/DisplayScale.h"
#include "model/ZorlaModel.h"
#include "notes/StoredPlace.h"
#include "widgets/StoreProblemMessage.h"

namespace {

bool operator!=(const POINT& a, const POINT& b)
{
    return a.x != b.x || a.y != b.y;
}

}  // namespace

void NoteSaver::Show(const CEntry& entry)
{
    m_shownText = entry.GetDisplayText();
    m_shownColour = entry.color;
    ShowTime(entry);
}

void NoteSaver::ShowTime(const CEntry& entry)
{
    m_shownDate = entry.date;
    m_shownNotify = entry.notify;
}

bool NoteSaver::Take(CEntry& entry, const std::string& typed, POINT restingPlace)
{
    if (!m_model)
        return false;
    entry.SetText(typed);
    const bool edited = typed != m_shownText || entry.date != m_shownDate || entry.notify != m_shownNotify ||
                        entry.color != m_shownColour;
    if (!m_keepsStoredPlace || edited || restingPlace != m_shownPlace) {
        const POINT stored =
            StoredPlace::ForScreen(restingPlace, POINT{entry.wndX, entry.wndY}, DisplayScale::ForSystem());
        entry.wndX = stored.x;
        entry.wndY = stored.y;
    }
    const bool changed = edited || POINT{entry.wndX, entry.wndY} != m_storedPlace;
    if (!changed || !m_model->Update(entry))
        return false;
    m_shownText = typed;
    m_shownColour = entry.color;
    ShowTime(entry);
    // What the store holds now: the next change is measured against it.
    Stored(entry);
    return true;
}

// A failed write is shown once, not at every try while the disk stays full;
// the window tries again until the file takes everything.
void NoteSaver::Write(const CEntry& entry, bool changed)
{
    if (!m_model || !(changed || m_model->IsWriteFailing(entry)))
        return;
    const bool wasFailing = m_model->IsWriteFailing(entry);
    if (m_model->Write(entry))
        return;
    if (wasFailing)
        m_model->ForgetWriteFailure(entry);
    else
        ShowProblems();
    Retry();
}

void NoteSaver::RetryWhenFailing(const CEntry& entry)
{
    if (m_model && m_model->IsWriteFailing(entry)) {
        ShowProblems();
        Retry();
    }
}

void NoteSaver::ShowProblems()
{
    if (!m_model)
        return;
    for (const StoreProblem& problem : m_model->TakeProblems())
        StoreProblemMessage::Show(problem);
}

void NoteSaver::Arm()
{
    if (m_pending || !m_window.m_hWnd)
        return;
    m_pending = true;
    m_window.SetTimer(TimerSave, kSaveDelay);
}

void NoteSaver::Retry()
{
    if (m_window.m_hWnd) {
        m_pending = true;
        m_window.SetTimer(TimerSave, kRetryDelay);
    }
}

void NoteSaver::Disarm()
{
    m_window.KillTimer(TimerSave);
    m_pending = false;
}
