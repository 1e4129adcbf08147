#pragma once

#include "model/ModelListener.h"
#include "notes/NoteWindowRegistry.h"

#include <windows.h>

#include <string>
#include <vector>

class CWnd;
class SoundBoard;
class ZorlaModel;

// The notes on the desktop: it opens a window for
// every entry the model adds, alerts the reminders the model reports due,
// checks for due reminders at every full minute, and brings back the windows a
// vanished desktop took along once there is a desktop again. Its timers run on
// the program's own window (Companion), which hands their messages on.
class DeskNotes : public ModelListener {
public:
    DeskNotes(ZorlaModel& model, SoundBoard& sounds);
    ~DeskNotes() override;

    // The main window, which owns the note windows, and the window that runs
    // the timers and hears the slices' messages.
    void Attach(CWnd* owner, HWND timerWindow);
    // Opens every stored note and reminder, a slice at a time from messages
    // to the program's window (those on a monitor first), so the main window paints and
    // answers meanwhile; then starts the due check. What has not opened yet
    // is still in the store, untouched.
    void OpenStored();
    // The next slice: a few windows, for a few milliseconds at most.
    void OpenNextSlice();
    // Opens at once whatever has not opened yet.
    void FinishOpening();
    bool IsOpening() const { return m_nextToOpen < m_toOpen.size(); }
    // The timers of DeskNotes; false for any other timer.
    bool OnTimer(UINT_PTR id);
    // The due check now and again at the next full minute: the clock or the
    // power state changed.
    void RestartDueCheck();
    // A new shell announced itself: lost notes go to its desktop.
    void OnTaskbarCreated();
    // Every window keeps its state in the model and closes; what has not
    // opened yet stays in the store as it is.
    void CloseAll();

    void OnEntryAdded(const CEntry& entry) override;
    void OnReminderDue(const CEntry& entry) override;
    void OnEntryChanged(const CEntry& entry) override;
    void OnEntryRemoved(const CEntry& entry) override;
    // Typing not yet written is written, so what another computer brings is
    // merged with it rather than over it.
    void SavePending() { m_windows.SavePending(); }

    const NoteWindowRegistry& Windows() const { return m_windows; }
    NoteWindowRegistry& Windows() { return m_windows; }

private:
    CNoteDlg* Open(const CEntry& entry);
    void ScheduleNextSlice();
    void OnAllOpened();
    void CheckDue();
    void WaitForDesktop();
    void OnRehomeTimer();
    void Rehome();
    void ShowProblems();

    ZorlaModel& m_model;
    SoundBoard& m_sounds;
    CWnd* m_owner = nullptr;
    HWND m_timerWindow = nullptr;
    NoteWindowRegistry m_windows;
    // A copy taken when the opening began: saves move entries within their
    // store, so no position in it would stay valid.
    std::vector<CEntry> m_toOpen;
    size_t m_nextToOpen = 0;
    int m_rehomeChecks = 0;
};
