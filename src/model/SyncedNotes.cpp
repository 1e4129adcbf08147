#include "model/SyncedNotes.h"

#include "base/StoredNames.h"
#include "model/ModelListener.h"
#include "sync/Versions.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <utility>

namespace {

// The ids deleted here that this computer's file passes on, newest first: enough
// for any sync service to have carried them everywhere.
const std::size_t kDeletedIdsKept = 5000;

std::string RandomHex(int digits)
{
    std::random_device device;
    std::string text;
    while (static_cast<int>(text.size()) < digits) {
        char part[9];
        std::snprintf(part, sizeof part, "%08x", static_cast<unsigned>(device()));
        text += part;
    }
    return text.substr(0, static_cast<std::size_t>(digits));
}

}  // namespace

SyncedNotes::SyncedNotes(NoteStore& notes, ReminderStore& reminders, Bin& bin, const AppContext& context,
                         const std::vector<ModelListener*>& listeners)
    : m_notes(notes)
    , m_reminders(reminders)
    , m_bin(bin)
    , m_context(context)
    , m_listeners(listeners)
{}

SyncedNotes::~SyncedNotes() = default;

void SyncedNotes::KeepInFolder(const std::string& folder)
{
    using namespace stored;
    m_computer = m_context.settings.GetString(kStorageSection, kComputer, "");
    if (m_computer.size() != 16) {
        m_computer = RandomHex(16);
        m_context.settings.WriteString(kStorageSection, kComputer, m_computer);
    }
    m_folder = std::make_unique<SyncFolder>(folder, m_computer, m_context.files);
    m_deletedIds.clear();
    GiveIds();
    ShareBin();
    // What this computer left there before (its deletes among it) merges like
    // another computer's file.
    ComputerFile own;
    std::string reason;
    if (m_folder->ReadOwn(own, reason))
        Apply(NotesMerge::Merge(SyncedEntries(), m_deletedIds, own));
    Check();
    Publish();
    m_context.settings.WriteString(kStorageSection, kSyncFolder, folder);
}

void SyncedNotes::KeepLocally()
{
    m_folder.reset();
    m_deletedIds.clear();
    m_context.settings.WriteString(stored::kStorageSection, stored::kSyncFolder, "");
}

bool SyncedNotes::Check()
{
    if (!m_folder)
        return false;
    bool changed = false;
    for (const SyncFolder::Arrival& arrival : m_folder->Arrivals()) {
        ComputerFile file;
        std::string reason;
        if (!ComputerFile::ReadPath(arrival.path, file, reason)) {
            if (m_folder->Refused(arrival))
                m_problems.push_back(StoreProblem{StoreProblem::OtherComputer, arrival.path, reason});
            continue;
        }
        const NotesMerge::Outcome outcome = NotesMerge::Merge(SyncedEntries(), m_deletedIds, file);
        Apply(outcome);
        changed |= !outcome.Empty() || outcome.deletesChanged;
        m_folder->Taken(arrival);
    }
    // What came is written into this computer's file at the next check that
    // finds nothing new (or with the next change here): a check that merges
    // does not also write the whole file while the window waits.
    if (changed)
        m_publishDue = true;
    else if (m_publishDue)
        Publish();
    return changed;
}

void SyncedNotes::NewEntry(CEntry& entry)
{
    entry.uid = NewUid();
    CountChange(entry);
}

void SyncedNotes::EntryDeleted(CEntry& gone)
{
    CountChange(gone);
    m_deletedIds[gone.uid] = gone;
}

void SyncedNotes::EntryRestored(CEntry& entry)
{
    const auto gone = m_deletedIds.find(entry.uid);
    if (entry.uid.empty() || gone == m_deletedIds.end()) {
        entry.uid = NewUid();
        entry.versions.clear();
    } else {
        Versions versions = Versions::Parse(entry.versions);
        versions.Join(Versions::Parse(gone->second.versions));
        entry.versions = versions.Text();
        m_deletedIds.erase(gone);
    }
    CountChange(entry);
}

std::vector<StoreProblem> SyncedNotes::TakeProblems()
{
    std::vector<StoreProblem> problems = std::exchange(m_problems, {});
    if (m_folder) {
        for (StoreProblem& problem : m_folder->TakeProblems())
            problems.push_back(std::move(problem));
    }
    return problems;
}

EntryStore& SyncedNotes::StoreOf(const CEntry& entry)
{
    if (entry.kind == m_reminders.GetKind())
        return m_reminders;
    return m_notes;
}

// Every entry this computer holds gets an id and a first version, once.
void SyncedNotes::GiveIds()
{
    for (EntryStore* store : {static_cast<EntryStore*>(&m_reminders), static_cast<EntryStore*>(&m_notes)}) {
        bool given = false;
        for (CEntry entry : store->ReadAll()) {
            m_lastStamp = std::max(m_lastStamp, entry.stamp);
            if (!entry.uid.empty())
                continue;
            NewEntry(entry);
            store->DeleteEntry(entry.id);
            store->AddEntry(entry);
            given = true;
        }
        if (given)
            store->Save();
    }
}

void SyncedNotes::Apply(const NotesMerge::Outcome& outcome)
{
    const auto seen = [this](const CEntry& entry) { m_lastStamp = std::max(m_lastStamp, entry.stamp); };
    bool notesChanged = false;
    bool remindersChanged = false;
    const auto touched = [&](const CEntry& entry) {
        (entry.kind == EntryKind::Reminder ? remindersChanged : notesChanged) = true;
    };
    std::vector<CEntry> changedContent;
    std::vector<CEntry> changes = outcome.changed;
    for (CEntry recounted : outcome.recounted) {
        CountChange(recounted);
        changes.push_back(recounted);
    }
    // The bin writes its file with every entry it keeps.
    for (const CEntry& gone : outcome.removed) {
        m_bin.Keep(gone);
        StoreOf(gone).DeleteEntry(gone.id);
        touched(gone);
    }
    // The bin every computer shares: what was deleted elsewhere comes in, what
    // came back elsewhere goes.
    for (const CEntry& gone : outcome.binned)
        if (!BinHolds(gone))
            m_bin.Keep(gone);
    for (const std::string& uid : outcome.unbinned)
        DropFromBin(uid);
    for (const CEntry& gone : outcome.rebinned) {
        DropFromBin(gone.uid);
        m_bin.Keep(gone);
    }
    for (CEntry changed : changes) {
        seen(changed);
        EntryStore& store = StoreOf(changed);
        CEntry before;
        if (!store.GetEntryById(changed.id, before))
            continue;
        store.DeleteEntry(changed.id);
        store.AddEntry(changed);
        touched(changed);
        if (!before.SameContent(changed))
            changedContent.push_back(changed);
    }
    std::vector<CEntry> added;
    for (CEntry entry : outcome.added) {
        seen(entry);
        entry.id = 0;
        if (StoreOf(entry).AddEntry(entry)) {
            touched(entry);
            added.push_back(entry);
        }
    }
    for (const auto& [uid, gone] : m_deletedIds)
        seen(gone);
    if (notesChanged)
        m_notes.Save();
    if (remindersChanged)
        m_reminders.Save();
    // A reminder that arrives due alerts now, not at the next minute's check.
    const DateTime now = m_context.clock.Now();
    for (ModelListener* listener : m_listeners) {
        for (const CEntry& gone : outcome.removed)
            listener->OnEntryRemoved(gone);
        for (const CEntry& changed : changedContent)
            listener->OnEntryChanged(changed);
        for (const CEntry& entry : added) {
            listener->OnEntryAdded(entry);
            if (entry.kind == EntryKind::Reminder && entry.GetReminderTime() <= now)
                listener->OnReminderDue(entry);
        }
    }
}

void SyncedNotes::Publish()
{
    if (!m_folder)
        return;
    m_publishDue = false;
    ComputerFile file;
    file.computer = m_computer;
    file.entries = SyncedEntries();
    for (const auto& [uid, gone] : m_deletedIds)
        file.deleted.push_back(gone);
    std::sort(file.deleted.begin(), file.deleted.end(),
              [](const CEntry& a, const CEntry& b) { return a.stamp > b.stamp; });
    if (file.deleted.size() > kDeletedIdsKept)
        file.deleted.resize(kDeletedIdsKept);
    // The newest deletes travel with their text, as many as a bin keeps.
    for (std::size_t i = Bin::kCapacity; i < file.deleted.size(); ++i)
        file.deleted[i].text.clear();
    m_folder->WriteOwn(file);
}

// The entries in the bin from before the folder (or texts that lost to another
// computer's in earlier versions) get ids, once, so they join the bin every
// computer shares.
void SyncedNotes::ShareBin()
{
    bool given = false;
    for (CEntry entry : m_bin.ReadAll()) {
        if (entry.uid.empty()) {
            NewEntry(entry);
            m_bin.DeleteEntry(entry.id);
            m_bin.AddEntry(entry);
            given = true;
        }
        m_deletedIds.emplace(entry.uid, entry);
    }
    if (given)
        m_bin.Save();
}

// Under its id, or as the same text from another computer's bin of before.
bool SyncedNotes::BinHolds(const CEntry& gone)
{
    for (const CEntry& entry : m_bin.ReadAll())
        if (entry.uid == gone.uid || entry.SameContent(gone))
            return true;
    return false;
}

void SyncedNotes::DropFromBin(const std::string& uid)
{
    for (const CEntry& entry : m_bin.ReadAll()) {
        if (entry.uid == uid) {
            m_bin.DeleteEntry(entry.id);
            m_bin.Save();
            return;
        }
    }
}

// Every stored reminder, then every note, that has an id.
std::vector<CEntry> SyncedNotes::SyncedEntries()
{
    std::vector<CEntry> entries = m_reminders.ReadAll();
    std::vector<CEntry> notes = m_notes.ReadAll();
    entries.insert(entries.end(), notes.begin(), notes.end());
    entries.erase(std::remove_if(entries.begin(), entries.end(), [](const CEntry& entry) { return entry.uid.empty(); }),
                  entries.end());
    return entries;
}

// The stamp orders the changes of every computer: this computer's clock in
// universal time, to the millisecond, but always past every stamp it has seen,
// so a change made after seeing another one is later even on a clock that runs
// behind.
void SyncedNotes::CountChange(CEntry& entry)
{
    m_lastStamp = std::max(m_context.clock.UniversalMilliseconds(), m_lastStamp + 1);
    entry.stamp = m_lastStamp;
    Versions versions = Versions::Parse(entry.versions);
    versions.Count(m_computer);
    entry.versions = versions.Text();
}

std::string SyncedNotes::NewUid()
{
    return RandomHex(32);
}
