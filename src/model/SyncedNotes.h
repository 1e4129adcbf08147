#pragma once

#include "base/AppContext.h"
#include "entries/Bin.h"
#include "entries/NoteStore.h"
#include "entries/ReminderStore.h"
#include "store/StoreProblem.h"
#include "sync/NotesMerge.h"
#include "sync/SyncFolder.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class ModelListener;

// The model's notes and reminders kept in a synced folder too, so that every
// computer of the user holds the same ones: this computer's id, the ids deleted
// here or elsewhere, the change stamps, and the merge of what the other
// computers wrote. It works on the model's stores and bin and tells the model's
// listeners what a merge changed. While it is off, it changes nothing.
class SyncedNotes {
public:
    // Every argument belongs to the model and outlives this.
    SyncedNotes(NoteStore& notes, ReminderStore& reminders, Bin& bin, const AppContext& context,
                const std::vector<ModelListener*>& listeners);
    ~SyncedNotes();
    SyncedNotes(const SyncedNotes&) = delete;
    SyncedNotes& operator=(const SyncedNotes&) = delete;

    bool IsOn() const { return m_folder != nullptr; }
    // Empty while off (settings "Storage", "Folder").
    std::string FolderPath() const { return m_folder ? m_folder->Folder() : std::string(); }
    // See ZorlaModel::KeepInFolder, KeepLocally and CheckSyncFolder.
    void KeepInFolder(const std::string& folder);
    void KeepLocally();
    bool Check();

    // The rest is for the model's own changes, and only while on.
    // A new entry gets its id and first version.
    void NewEntry(CEntry& entry);
    // One more change of the entry by this computer.
    void CountChange(CEntry& entry);
    // An entry with an id was deleted here: the delete passes on to the others.
    void EntryDeleted(CEntry& gone);
    // An entry comes back from the bin: under its id, as a change that covers its
    // delete everywhere; a text that lost to another one, or whose id is in use
    // again, is a new entry.
    void EntryRestored(CEntry& entry);

    // Writes this computer's file in the synced folder, when there is one.
    void Publish();
    // Files of other computers that could not be read, then this computer's
    // file's own problems.
    std::vector<StoreProblem> TakeProblems();

private:
    EntryStore& StoreOf(const CEntry& entry);
    std::string NewUid();
    std::vector<CEntry> SyncedEntries();
    void GiveIds();
    void ShareBin();
    bool BinHolds(const CEntry& gone);
    void DropFromBin(const std::string& uid);
    void Apply(const NotesMerge::Outcome& outcome);

    NoteStore& m_notes;
    ReminderStore& m_reminders;
    Bin& m_bin;
    const AppContext& m_context;
    const std::vector<ModelListener*>& m_listeners;
    // This computer's id, the folder, the ids deleted here or elsewhere, and the
    // latest change stamp seen.
    std::string m_computer;
    std::unique_ptr<SyncFolder> m_folder;
    std::map<std::string, CEntry> m_deletedIds;
    unsigned long long m_lastStamp = 0;
    bool m_publishDue = false;
    std::vector<StoreProblem> m_problems;
};
