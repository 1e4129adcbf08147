#include "notes/NotePlace.h"

#include "framework/CWnd.h"
#include "notes/MonitorPlace.h"
#include "notes/NoteCascade.h"
#include "notes/StoredPlace.h"

namespace {

bool operator!=(const POINT& a, const POINT& b)
{
    return a.x != b.x || a.y != b.y;
}

}  // namespace

// In client coordinates of the window the note rests in (the screen when none).
bool NotePlace::PlaceWhenShown(POINT stored, SIZE size, const DisplayScale& scale)
{
    if (!StoredPlace::IsSet(stored)) {
        const SIZE screen{::GetSystemMetrics(SM_CXFULLSCREEN), ::GetSystemMetrics(SM_CYFULLSCREEN)};
        m_host.PlaceWhenShown(m_cascade.Next(size, screen, scale), size);
        return false;
    }
    POINT place = StoredOnScreen(stored, size, scale);
    const bool keepsStoredPlace = place != StoredPlace::OnScreen(stored, DisplayScale::ForSystem());
    if (HWND reference = m_host.PositionReference())
        ::ScreenToClient(reference, &place);
    m_host.PlaceWhenShown(place, size);
    return keepsStoredPlace;
}

// The one way from a stored place to a window's, on some monitor.
POINT NotePlace::StoredOnScreen(POINT stored, SIZE size, const DisplayScale& scale)
{
    const POINT corner = StoredPlace::OnScreen(stored, DisplayScale::ForSystem());
    const RECT shown =
        MonitorPlace::OnSomeMonitor(RECT{corner.x, corner.y, corner.x + size.cx, corner.y + size.cy}, scale);
    return POINT{shown.left, shown.top};
}

void NotePlace::RedockAtStored(CWnd& window, POINT stored, const DisplayScale& scale)
{
    RECT rect{};
    ::GetWindowRect(window.m_hWnd, &rect);
    m_host.Redock(window, StoredOnScreen(stored, SIZE{rect.right - rect.left, rect.bottom - rect.top}, scale));
}

void NotePlace::Raise(CWnd& window, bool alerting)
{
    if (!m_raised && !alerting) {
        m_raised = true;
        m_host.Undock(window);
    }
}

// An alert goes on where it is.
void NotePlace::PutBack(CWnd& window, POINT restingPlace, bool alerting)
{
    if (!m_raised)
        return;
    m_raised = false;
    if (window.m_hWnd && !alerting)
        m_host.Redock(window, restingPlace);
}

void NotePlace::Watch(POINT place)
{
    m_watchedPlace = place;
    m_watching = true;
}

bool NotePlace::MovedTo(POINT place)
{
    if (place != m_watchedPlace) {
        m_watchedPlace = place;
        return true;
    }
    return false;
}

bool NotePlace::PositionChanged(HWND window, const WINDOWPOS& position, bool alerting)
{
    m_host.ReturnToBottom(window, position);
    return m_watching && !alerting && !(position.flags & SWP_NOMOVE) && MovedTo(OnScreen(window));
}

// The capture the click took is let go, so the system's move loop takes over.
void NotePlace::BeginDrag(HWND window)
{
    ::ReleaseCapture();
    const DWORD cursor = ::GetMessagePos();
    ::PostMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, static_cast<LPARAM>(cursor));
}

void NotePlace::MoveForScale(HWND window, const RECT* proposed, SIZE size)
{
    POINT place = proposed ? POINT{proposed->left, proposed->top} : OnScreen(window);
    // A docked note is placed in its host's client coordinates.
    ::MapWindowPoints(HWND_DESKTOP, ::GetAncestor(window, GA_PARENT), &place, 1);
    ::SetWindowPos(window, nullptr, place.x, place.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT NotePlace::OnScreen(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return POINT{rect.left, rect.top};
}
