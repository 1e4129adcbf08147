#pragma once

#include "entries/CEntry.h"

#include <map>
#include <string>
#include <vector>

// The main window's list of open note windows, by key (CEntry::GetKey): one
// window per note or reminder, however often it is asked for. A reminder that
// has come due is marked as alerting until its window is forgotten, so the
// due check may report it every minute without alerting twice.
class NoteWindowRegistry {
public:
    // Registers the entry's window; false when one is already open for its key.
    bool Open(const CEntry& entry);
    // The window with this key has closed; false when none was open.
    bool Forget(const std::string& key);
    // The entry's reminder has come due: true when its window is open and was
    // not alerting yet (it is from now on).
    bool Due(const CEntry& entry);
    // Takes every window's text and place into its entry, without writing any
    // store, and closes it; the registry is empty afterwards. Returns the
    // entries as they were kept.
    std::vector<CEntry> CloseAllKeepingState();

    bool IsOpen(const std::string& key) const { return m_windows.count(key) != 0; }
    bool IsAlerting(const std::string& key) const;
    size_t Count() const { return m_windows.size(); }
    // The entry as the window holds it, or null when no window has this key.
    const CEntry* Find(const std::string& key) const;

private:
    struct NoteWindow {
        CEntry entry;
        bool alerting = false;
    };
    std::map<std::string, NoteWindow> m_windows;
};
