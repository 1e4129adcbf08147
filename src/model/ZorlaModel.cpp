#include "model/ZorlaModel.h"

#include "model/ModelListener.h"
#include "base/StoredNames.h"
#include "sync/Versions.h"
#include "weather/ZorlaWeatherFeed.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <utility>

namespace {

const char kDefaultCity[] = "München";
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

// A window's copy of an entry may predate its id and versions: the store's count.
void TakeSyncFields(CEntry& entry, const CEntry& stored)
{
    entry.uid = stored.uid;
    entry.versions = stored.versions;
    entry.stamp = stored.stamp;
}

void Append(std::vector<StoreProblem>& to, std::vector<StoreProblem> problems)
{
    for (StoreProblem& problem : problems)
        to.push_back(std::move(problem));
}

}  // namespace

ZorlaModel::ZorlaModel(const std::string& folder, const Platform& platform,
                       const std::vector<std::string>& legacyFolders)
    : m_platform(platform)
    , m_weatherStore(folder, platform.files, legacyFolders)
    , m_weather(m_weatherStore, std::make_unique<ZorlaWeatherFeed>(), platform.settings, platform.clock, platform.http)
    , m_notes(folder, platform.files, legacyFolders)
    , m_reminders(folder, platform.files, legacyFolders)
    , m_deleted(folder, platform.files, legacyFolders)
    , m_city(kDefaultCity)
{
    m_weather.SetListener(this);
}

ZorlaModel::~ZorlaModel() = default;

void ZorlaModel::LoadCity()
{
    m_city = m_platform.settings.GetString(stored::kMainSection, stored::kCity, m_city);
}

bool ZorlaModel::SaveCity()
{
    return m_platform.settings.WriteString(stored::kMainSection, stored::kCity, m_city);
}

void ZorlaModel::OnWeatherStatus(WeatherService::Status status, const std::string& detail)
{
    for (ModelListener* listener : m_listeners)
        listener->OnWeatherStatus(status, detail);
}

void ZorlaModel::OnWeatherChanged()
{
    for (ModelListener* listener : m_listeners)
        listener->OnWeatherChanged();
}

bool ZorlaModel::Load()
{
    const bool weather = m_weather.LoadOrStartEmpty();
    const bool notes = m_notes.LoadOrStartEmpty();
    const bool reminders = m_reminders.LoadOrStartEmpty();
    const bool deleted = m_deleted.LoadOrStartEmpty();
    const std::string folder = m_platform.settings.GetString(stored::kStorageSection, stored::kSyncFolder, "");
    if (!folder.empty())
        KeepInFolder(folder);
    return weather && notes && reminders && deleted;
}

std::vector<CEntry> ZorlaModel::StoredEntries()
{
    std::vector<CEntry> entries = m_reminders.ReadAll();
    std::vector<CEntry> notes = m_notes.ReadAll();
    entries.insert(entries.end(), notes.begin(), notes.end());
    return entries;
}

ZorlaModel::AddResult ZorlaModel::AddNote(const std::string& typed)
{
    CEntry entry;
    entry.SetText(FilterText(typed));
    if (entry.text.empty())
        return AddResult::NothingTyped;
    entry.kind = m_notes.GetKind();
    entry.date = m_platform.clock.Now();
    return Keep(entry);
}

ZorlaModel::AddResult ZorlaModel::AddEmptyNote(int x, int y, CEntry* kept)
{
    CEntry entry;
    entry.kind = m_notes.GetKind();
    entry.date = m_platform.clock.Now();
    entry.wndX = x;
    entry.wndY = y;
    const AddResult result = Keep(entry);
    if (kept)
        *kept = entry;
    return result;
}

ZorlaModel::AddResult ZorlaModel::AddReminder(const std::string& typed, const COleDateTime& when,
                                              const COleDateTime& now)
{
    CEntry entry;
    entry.SetText(FilterText(typed));
    if (entry.text.empty())
        return AddResult::NothingTyped;
    if (when.GetStatus() != COleDateTime::valid)
        return AddResult::BadDate;
    if (when < now)
        return AddResult::InPast;
    entry.kind = m_reminders.GetKind();
    entry.date = when;
    entry.notify = 0;
    return Keep(entry);
}

// A full disk keeps the entry in the store, which is written again later: the
// entry counts as kept and its window opens all the same.
ZorlaModel::AddResult ZorlaModel::Keep(CEntry& entry)
{
    EntryStore& store = StoreOf(entry);
    if (m_sync) {
        entry.uid = NewUid();
        CountChange(entry);
    }
    if (!store.AddEntry(entry))
        return AddResult::Refused;
    store.Save();
    Publish();
    for (ModelListener* listener : m_listeners)
        listener->OnEntryAdded(entry);
    return AddResult::Added;
}

EntryStore& ZorlaModel::StoreOf(const CEntry& entry)
{
    if (entry.kind == m_reminders.GetKind())
        return m_reminders;
    return m_notes;
}

bool ZorlaModel::Update(CEntry& entry)
{
    EntryStore& store = StoreOf(entry);
    CEntry stored;
    if (!store.GetEntryById(entry.id, stored))
        return false;
    TakeSyncFields(entry, stored);
    // The place on the screen is this computer's own: moving a note is no
    // change for the others.
    if (m_sync && !entry.uid.empty() && !stored.SameContent(entry))
        CountChange(entry);
    if (!store.DeleteEntry(entry.id))
        return false;
    return store.AddEntry(entry);
}

bool ZorlaModel::Write(const CEntry& entry)
{
    const bool written = StoreOf(entry).Save();
    Publish();
    return written;
}

bool ZorlaModel::IsWriteFailing(const CEntry& entry)
{
    return StoreOf(entry).IsWriteFailing();
}

void ZorlaModel::ForgetWriteFailure(const CEntry& entry)
{
    StoreOf(entry).DropProblems(StoreProblem::WriteFailed);
}

void ZorlaModel::Delete(const CEntry& entry)
{
    EntryStore& store = StoreOf(entry);
    CEntry gone = entry;
    CEntry stored;
    if (store.GetEntryById(entry.id, stored))
        TakeSyncFields(gone, stored);
    if (m_sync && !gone.uid.empty()) {
        CountChange(gone);
        m_deletedIds[gone.uid] = gone;
    }
    // A bin that cannot keep it costs only the way back: the delete goes on.
    m_deleted.Keep(gone);
    store.DeleteEntry(entry.id);
    store.Save();
    Publish();
}

// Whole minutes from the appointment to now, rounded at the half second, so
// the reminder comes the chosen minutes after the current minute.
int ZorlaModel::SnoozedNotify(const CEntry& reminder, int minutes, const COleDateTime& now)
{
    const double days = (now - reminder.date).GetTotalDays();
    const double halfSecond = 0.5 / (24.0 * 60 * 60);
    const int passed = static_cast<int>((days + (days < 0 ? -halfSecond : halfSecond)) * 24 * 60);
    return minutes + passed;
}

ZorlaModel::RestoreResult ZorlaModel::RestoreLast(const COleDateTime& now)
{
    CEntry entry;
    if (!m_deleted.PeekLast(entry))
        return RestoreResult::BinEmpty;
    EntryStore& store = StoreOf(entry);
    entry.id = 0;
    if (m_sync) {
        // Back under its id, as a change that covers its delete everywhere; a
        // text that lost to another one, or whose id is in use again, is a new entry.
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
    if (!store.AddEntry(entry))
        return RestoreResult::Refused;
    store.Save();
    m_deleted.DropLast();
    m_deleted.Save();
    Publish();
    for (ModelListener* listener : m_listeners) {
        listener->OnEntryAdded(entry);
        if (entry.kind == m_reminders.GetKind() && entry.GetReminderTime() <= now)
            listener->OnReminderDue(entry);
    }
    return RestoreResult::Restored;
}

void ZorlaModel::CheckDue(const COleDateTime& now)
{
    for (const CEntry& entry : m_reminders.DueEntries(now)) {
        for (ModelListener* listener : m_listeners)
            listener->OnReminderDue(entry);
    }
}

bool ZorlaModel::SaveAll()
{
    const bool reminders = m_reminders.Save();
    const bool notes = m_notes.Save();
    const bool weather = m_weatherStore.Save();
    // The bin is written whenever it changes; only a write it still owes is
    // made here, so a user who never deletes gets no file for it.
    const bool deleted = !m_deleted.IsWriteFailing() || m_deleted.Save();
    Publish();
    return reminders && notes && weather && deleted;
}

std::vector<StoreProblem> ZorlaModel::TakeProblems()
{
    std::vector<StoreProblem> problems = m_reminders.TakeProblems();
    Append(problems, m_notes.TakeProblems());
    Append(problems, m_weatherStore.TakeProblems());
    Append(problems, m_deleted.TakeProblems());
    Append(problems, std::exchange(m_syncProblems, {}));
    if (m_sync)
        Append(problems, m_sync->TakeProblems());
    return problems;
}

// ---- the synced folder ---------------------------------------------------------

void ZorlaModel::KeepInFolder(const std::string& folder)
{
    using namespace stored;
    m_computer = m_platform.settings.GetString(kStorageSection, kComputer, "");
    if (m_computer.size() != 16) {
        m_computer = RandomHex(16);
        m_platform.settings.WriteString(kStorageSection, kComputer, m_computer);
    }
    m_sync = std::make_unique<SyncFolder>(folder, m_computer, m_platform.files);
    m_deletedIds.clear();
    GiveIds();
    // What this computer left there before (its deletes among it) merges like
    // another computer's file.
    ComputerFile own;
    std::string reason;
    if (m_sync->ReadOwn(own, reason))
        Apply(NotesMerge::Merge(SyncedEntries(), m_deletedIds, own));
    CheckSyncFolder();
    Publish();
    m_platform.settings.WriteString(kStorageSection, kSyncFolder, folder);
}

void ZorlaModel::KeepLocally()
{
    m_sync.reset();
    m_deletedIds.clear();
    m_platform.settings.WriteString(stored::kStorageSection, stored::kSyncFolder, "");
}

bool ZorlaModel::CheckSyncFolder()
{
    if (!m_sync)
        return false;
    bool changed = false;
    for (const SyncFolder::Arrival& arrival : m_sync->Arrivals()) {
        ComputerFile file;
        std::string reason;
        if (!ComputerFile::ReadPath(arrival.path, file, reason)) {
            if (m_sync->Refused(arrival))
                m_syncProblems.push_back(StoreProblem{StoreProblem::OtherComputer, arrival.path, reason});
            continue;
        }
        const NotesMerge::Outcome outcome = NotesMerge::Merge(SyncedEntries(), m_deletedIds, file);
        Apply(outcome);
        changed |= !outcome.Empty() || outcome.deletesChanged;
        m_sync->Taken(arrival);
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

// Every entry this computer holds gets an id and a first version, once.
void ZorlaModel::GiveIds()
{
    for (EntryStore* store : {static_cast<EntryStore*>(&m_reminders), static_cast<EntryStore*>(&m_notes)}) {
        bool given = false;
        for (CEntry entry : store->ReadAll()) {
            m_lastStamp = std::max(m_lastStamp, entry.stamp);
            if (!entry.uid.empty())
                continue;
            entry.uid = NewUid();
            CountChange(entry);
            store->DeleteEntry(entry.id);
            store->AddEntry(entry);
            given = true;
        }
        if (given)
            store->Save();
    }
}

void ZorlaModel::Apply(const NotesMerge::Outcome& outcome)
{
    const auto seen = [this](const CEntry& entry) { m_lastStamp = std::max(m_lastStamp, entry.stamp); };
    bool notesChanged = false;
    bool remindersChanged = false;
    const auto touched = [&](const CEntry& entry) {
        (entry.kind == EntryKind::Reminder ? remindersChanged : notesChanged) = true;
    };
    std::vector<CEntry> changedContent;
    // The bin writes its file with every entry it keeps.
    for (const CEntry& gone : outcome.removed) {
        m_deleted.Keep(gone);
        StoreOf(gone).DeleteEntry(gone.id);
        touched(gone);
    }
    for (const CEntry& lost : outcome.losers)
        m_deleted.Keep(lost);
    for (CEntry changed : outcome.changed) {
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
    const COleDateTime now = m_platform.clock.Now();
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

void ZorlaModel::Publish()
{
    if (!m_sync)
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
    m_sync->WriteOwn(file);
}

std::vector<CEntry> ZorlaModel::SyncedEntries()
{
    std::vector<CEntry> entries = StoredEntries();
    entries.erase(std::remove_if(entries.begin(), entries.end(), [](const CEntry& entry) { return entry.uid.empty(); }),
                  entries.end());
    return entries;
}

// The stamp orders the changes of every computer: this computer's clock in
// universal time, to the millisecond, but always past every stamp it has seen, so a change made after seeing another
// one is later even on a clock that runs behind.
void ZorlaModel::CountChange(CEntry& entry)
{
    m_lastStamp = std::max(m_platform.clock.UniversalMilliseconds(), m_lastStamp + 1);
    entry.stamp = m_lastStamp;
    Versions versions = Versions::Parse(entry.versions);
    versions.Count(m_computer);
    entry.versions = versions.Text();
}

std::string ZorlaModel::NewUid()
{
    return RandomHex(32);
}
