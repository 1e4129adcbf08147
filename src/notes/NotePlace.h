#pragma once

#include "desktop/CDesktopHost.h"
#include "image/DisplayScale.h"

#include <windows.h>

class CWnd;
class NoteCascade;

// Where a note window stands: at rest on the desktop at its entry's place, or
// raised above every other window; and the moves the user makes, watched so
// they are saved as typing is. Stored places are in the store's 96-DPI units.
class NotePlace {
public:
    // cascade outlives this object.
    explicit NotePlace(NoteCascade& cascade)
        : m_cascade(cascade)
    {}

    CDesktopHost& Host() { return m_host; }

    // Where a window of size first stands, given to the host for the window's
    // showing; a note without a stored place follows the cascade. True when
    // the stored place lay off every monitor and the window stands elsewhere.
    bool PlaceWhenShown(POINT stored, SIZE size, const DisplayScale& scale);
    // Back onto the desktop at the stored place.
    void RedockAtStored(CWnd& window, POINT stored, const DisplayScale& scale);

    // Above every other window until PutBack; an alerting window stands there
    // already.
    void Raise(CWnd& window, bool alerting);
    void PutBack(CWnd& window, POINT restingPlace, bool alerting);
    bool IsRaised() const { return m_raised; }

    // Moves are watched once the window stands on the desktop, from place.
    void Watch(POINT place);
    void StopWatching() { m_watching = false; }
    bool IsWatching() const { return m_watching; }
    // The window stands at place now; true when that is a move.
    bool MovedTo(POINT place);
    // After the window's place or z-order changed: a resting window goes back
    // to the bottom. True when a watched window moved, not by its alert.
    bool PositionChanged(HWND window, const WINDOWPOS& position, bool alerting);

    // Drags the window as if its caption were held, from the current click.
    static void BeginDrag(HWND window);
    // Moved to a monitor of another scale: the window takes size, with its
    // top-left corner where the system proposes (null: where it stands).
    static void MoveForScale(HWND window, const RECT* proposed, SIZE size);

    // The window's top-left corner on the screen.
    static POINT OnScreen(HWND window);

private:
    static POINT StoredOnScreen(POINT stored, SIZE size, const DisplayScale& scale);

    NoteCascade& m_cascade;
    CDesktopHost m_host;
    bool m_raised = false;
    bool m_watching = false;
    POINT m_watchedPlace{0, 0};
};
