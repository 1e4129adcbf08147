#pragma once

#include "entries/CAction.h"
#include "entries/CEntry.h"

#include <string>

// A store of "ENTRY" elements: the notes or the reminders.
class CEntryStore : public CAction {
public:
    explicit CEntryStore(const char* storeName);
    CEntryStore(const char* storeName, const std::string& folder, const std::string& legacyFolder = std::string());

    // 1 for reminders, 2 for notes: the kind of the entries the store holds.
    virtual int GetKind() = 0;

    // Starts reading at the first entry; false when the document holds none.
    bool HasEntries();
    // Reads the next child into entry. Callers stop at the first false, so a
    // damaged entry hides the ones after it (they stay in the file).
    bool GetNextEntry(CEntry& entry);
    bool GetEntryById(int id, CEntry& entry);
    bool DeleteEntry(int id);
    // Appends the entry; one without an id gets the next free one.
    bool AddEntry(CEntry& entry);

protected:
    void OnDocumentChanged() override;

private:
    int FindEntry(int id) const;

    int m_cursor = 0;
    // The due check reads the reminders every minute: a damaged entry warns once
    // per document instead of once a minute.
    bool m_warningShown = false;
};
