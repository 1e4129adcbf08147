#pragma once

#include "entries/CEntry.h"
#include "notes/CNoteDlg.h"
#include "notes/NoteCascade.h"
#include "notes/NotePictures.h"

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

class CWnd;
class SoundBoard;
class ZorlaModel;

// The main window's note windows, by key (CEntry::GetKey): one window per note
// or reminder, however often it is asked for. The registry owns the windows,
// the pictures they share and the cascade new notes without a place follow,
// and hears the windows when they go. A reminder alerts once: the due check
// may report it every minute while it is alerting.
class NoteWindowRegistry {
public:
    // sounds (null: silent) outlives the registry.
    explicit NoteWindowRegistry(SoundBoard* sounds = nullptr);
    ~NoteWindowRegistry();

    // Registers a window for the entry and puts it on the desktop, owned by
    // mainWindow. Returns the window when it was shown now; null when one was
    // registered already, or when it could not be made (the key stays
    // registered: the entry gets no window in this run).
    CNoteDlg* Open(const CEntry& entry, CWnd* mainWindow);
    // The window with this key has gone; false when none was registered.
    bool Forget(const std::string& key);
    // The entry's reminder has come due: its window alerts, moved aside where it
    // would cover another alerting window. True when it started alerting now.
    bool Due(const CEntry& entry);
    // Every window takes its text and place into its entry and store, without
    // writing the store's file, and closes; the registry is empty afterwards.
    void CloseAllKeepingState();
    // Another computer's change or delete reaches the entry's window, when it
    // has one; false when it has none.
    bool Change(const CEntry& entry);
    bool Remove(const CEntry& entry);
    // Every window with typing not yet written writes it now.
    void SavePending();

    // Every window above all others, for the user to see them at once, until
    // PutBackRaised; the last of them is activated, so Escape reaches them.
    void RaiseAll();
    // Brings one window to the front and into the keyboard's focus; blink:
    // the alert picture shows once. False when the key has no window.
    bool Bring(const std::string& key, bool blink);
    bool AnyRaised() const;
    // The size of a note's window on a monitor of this scale, as its picture
    // gives it.
    SIZE NoteSize(const DisplayScale& scale = DisplayScale());

    // Where the windows opened later keep their entries (null: nowhere).
    void SetModel(ZorlaModel* model) { m_model = model; }
    // Called when a window has been lost, to wait for a desktop to bring it
    // back to.
    void SetLostHandler(std::function<void()> handler) { m_onLost = std::move(handler); }

    // What the windows say: a deleted one is forgotten, a lost one waits.
    void NoteGone(const std::string& key) { Forget(key); }
    void NoteLost(const std::string& key);
    void PutBackRaised();

    // The window with this key went with the desktop window that held it; its
    // state is in its entry. False when none is registered.
    bool Lost(const std::string& key);
    // Marks every window whose handle the system has taken away without a
    // word (its host's thread ended) as lost; true when any is lost.
    bool FindLost();
    bool HasLost() const { return !m_lost.empty(); }
    // Opens every lost window again from its entry, at its place, with its
    // text; returns how many came back. A reminder that was alerting alerts
    // again.
    size_t Rehome(CWnd* mainWindow);

    bool IsOpen(const std::string& key) const { return m_windows.count(key) != 0; }
    bool IsAlerting(const std::string& key) const;
    size_t Count() const { return m_windows.size(); }
    // The registered window, or null; its window handle is null when it could
    // not be made.
    CNoteDlg* Find(const std::string& key) const;

    // New notes without a stored place start at the top left again.
    void RestartCascade() { m_cascade.Restart(); }

private:
    // Moves the newly alerting window until it covers no other alerting one.
    void KeepApart(CNoteDlg& alerting);

    SoundBoard* m_sounds;
    ZorlaModel* m_model = nullptr;
    std::function<void()> m_onLost;
    NotePictures m_pictures;
    NoteCascade m_cascade;
    std::set<std::string> m_lost;
    std::map<std::string, std::unique_ptr<CNoteDlg>> m_windows;
};
