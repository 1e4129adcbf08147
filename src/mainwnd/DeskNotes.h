#pragma once

#include "model/ModelListener.h"
#include "notes/NoteWindowRegistry.h"

#include <windows.h>

#include <string>

class CWnd;
class SoundBoard;
class ZorlaModel;

// The main window's side of the notes on the desktop: it opens a window for
// every entry the model adds, alerts the reminders the model reports due,
// checks for due reminders at every full minute, and brings back the windows a
// vanished desktop took along once there is a desktop again. Its timers run on
// the main window, which hands their messages on.
class DeskNotes : public ModelListener {
public:
    DeskNotes(ZorlaModel& model, SoundBoard& sounds);
    ~DeskNotes() override;

    // The main window, which owns the note windows and runs the timers.
    void Attach(CWnd* mainWindow);
    // Opens every stored note and reminder, then starts the due check.
    void OpenStored();
    // The timers of DeskNotes; false for any other timer.
    bool OnTimer(UINT_PTR id);
    // The due check now and again at the next full minute: the clock or the
    // power state changed.
    void RestartDueCheck();
    // A new shell announced itself: lost notes go to its desktop.
    void OnTaskbarCreated();
    // Every window keeps its state in the model and closes.
    void CloseAll() { m_windows.CloseAllKeepingState(); }

    void OnEntryAdded(const CEntry& entry) override;
    void OnReminderDue(const CEntry& entry) override;

    const NoteWindowRegistry& Windows() const { return m_windows; }
    NoteWindowRegistry& Windows() { return m_windows; }

private:
    void CheckDue();
    void WaitForDesktop();
    void OnRehomeTimer();
    void Rehome();
    void ShowProblems();

    ZorlaModel& m_model;
    SoundBoard& m_sounds;
    CWnd* m_mainWindow = nullptr;
    NoteWindowRegistry m_windows;
    int m_rehomeChecks = 0;
};
