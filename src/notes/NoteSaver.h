#pragma once

#include "entries/CEntry.h"

#include <windows.h>

#include <string>

class CWnd;
class ZorlaModel;

// The way from a note window to its entry's store. It keeps what the window
// last showed or stored (text, time, place), so that only a real change moves
// the entry in its store and writes the file; and it runs the window's save
// timer, which writes once per burst of changes, never on the typing path
// itself, and again while the disk refuses the file.
class NoteSaver {
public:
    static const UINT_PTR TimerSave = 18;
    static const UINT kSaveDelay = 2000;
    static const UINT kRetryDelay = 5000;

    // window: whose timer it runs; it outlives this object.
    explicit NoteSaver(CWnd& window)
        : m_window(window)
    {}

    // Where the entry is kept (null: nowhere, the window only shows it).
    void SetModel(ZorlaModel* model) { m_model = model; }
    ZorlaModel* Model() const { return m_model; }

    // What the window shows now, as the store holds it.
    void Show(const CEntry& entry);
    void ShowTime(const CEntry& entry);
    // The entry's place is what its store holds.
    void Stored(const CEntry& entry) { m_storedPlace = POINT{entry.wndX, entry.wndY}; }
    // Where the window was put on the screen.
    void ShownAt(POINT screen) { m_shownPlace = screen; }
    // The stored place lay off every monitor and the window was shown
    // elsewhere: the stored place stays until the user moves or edits.
    void KeepStoredPlace(bool keep) { m_keepsStoredPlace = keep; }

    // The typed text and the window's resting place (screen pixels) into the
    // entry; when either or the entry's colour changed, into the model. True when the model took a
    // change.
    bool Take(CEntry& entry, const std::string& typed, POINT restingPlace);
    // Writes the entry's store when it changed or an earlier write failed.
    void Write(const CEntry& entry, bool changed);
    // A failed write of the entry is shown once and tried again.
    void RetryWhenFailing(const CEntry& entry);
    void ShowProblems();

    // A change waits for the timer.
    void Arm();
    bool IsPending() const { return m_pending; }
    // The timer is stopped: whatever it waited for is written by the caller.
    void Disarm();

private:
    void Retry();

    CWnd& m_window;
    ZorlaModel* m_model = nullptr;
    bool m_pending = false;
    std::string m_shownText;
    DateTime m_shownDate;
    int m_shownNotify = -1;
    std::string m_shownColour;
    // The entry's place as the store holds it (96-DPI units).
    POINT m_storedPlace{-1, -1};
    POINT m_shownPlace{0, 0};
    bool m_keepsStoredPlace = false;
};
