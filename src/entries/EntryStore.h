#pragma once

#include "store/XmlStore.h"
#include "entries/CEntry.h"
#include "entries/EntryIdIndex.h"

#include <string>
#include <vector>

// A store of "ENTRY" elements: the notes or the reminders.
class EntryStore : public XmlStore {
public:
    EntryStore(const char* storeName, const std::string& folder, FileSystem& files, const std::vector<std::string>& legacyFolders = {});

    // The kind of the entries the store holds.
    virtual EntryKind GetKind() = 0;

    // Starts reading at the first entry; false when the document holds none.
    bool HasEntries();
    // Reads the next child into entry. Callers stop at the first false, so a
    // damaged entry hides the ones after it (they stay in the file).
    bool GetNextEntry(CEntry& entry);
    // Every entry up to the first damaged one, with its kind filled in: a
    // copy that stays valid while the caller's commands change the store.
    std::vector<CEntry> ReadAll();
    bool GetEntryById(int id, CEntry& entry);
    bool DeleteEntry(int id);
    // Appends the entry; one without an id gets the next free one.
    bool AddEntry(CEntry& entry);

protected:
    void OnDocumentChanged() override;
    // Removes the child at that position, keeping the id index and a reading
    // under way in step.
    void RemoveChild(int position);

private:
    // Built on first use, so loading a store only to read it costs no index.
    EntryIdIndex& Ids();
    int PositionOf(const util::xml::XmlElement* child) const;
    // One entry; a damaged one is reported once per document.
    bool Read(const util::xml::XmlElement* element, CEntry& entry);

    EntryIdIndex m_ids;
    bool m_idsBuilt = false;
    int m_cursor = 0;
    // The due check reads the reminders every minute: a damaged entry is
    // reported once per document instead of once a minute.
    bool m_warningShown = false;
};
