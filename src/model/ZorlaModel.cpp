#include "model/ZorlaModel.h"

#include "model/ModelListener.h"

namespace {

const char kDefaultCity[] = "München";

void Append(std::vector<StoreProblem>& to, std::vector<StoreProblem> problems)
{
    for (StoreProblem& problem : problems)
        to.push_back(std::move(problem));
}

}  // namespace

ZorlaModel::ZorlaModel()
    : m_city(kDefaultCity)
{}

ZorlaModel::ZorlaModel(const std::string& folder)
    : m_weather(folder)
    , m_notes(folder)
    , m_timers(folder)
    , m_deleted(folder)
    , m_city(kDefaultCity)
{}

bool ZorlaModel::Load()
{
    const bool weather = m_weather.LoadOrStartEmpty();
    const bool notes = m_notes.LoadOrStartEmpty();
    const bool timers = m_timers.LoadOrStartEmpty();
    const bool deleted = m_deleted.LoadOrStartEmpty();
    return weather && notes && timers && deleted;
}

std::vector<CEntry> ZorlaModel::StoredEntries()
{
    std::vector<CEntry> entries = m_timers.ReadAll();
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
    return Keep(entry);
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
    entry.kind = m_timers.GetKind();
    entry.date = when;
    entry.notify = 0;
    return Keep(entry);
}

// A full disk keeps the entry in the store, which is written again later: the
// entry counts as kept and its window opens all the same.
ZorlaModel::AddResult ZorlaModel::Keep(CEntry& entry)
{
    CEntryStore& store = StoreOf(entry);
    if (!store.AddEntry(entry))
        return AddResult::Refused;
    store.Save();
    if (m_listener)
        m_listener->OnEntryAdded(entry);
    return AddResult::Added;
}

CEntryStore& ZorlaModel::StoreOf(const CEntry& entry)
{
    if (entry.kind == m_timers.GetKind())
        return m_timers;
    return m_notes;
}

bool ZorlaModel::Update(CEntry& entry)
{
    CEntryStore& store = StoreOf(entry);
    if (!store.DeleteEntry(entry.id))
        return false;
    return store.AddEntry(entry);
}

bool ZorlaModel::Write(const CEntry& entry)
{
    return StoreOf(entry).Save();
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
    // A bin that cannot keep it costs only the way back: the delete goes on.
    m_deleted.Keep(entry);
    CEntryStore& store = StoreOf(entry);
    store.DeleteEntry(entry.id);
    store.Save();
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
    CEntryStore& store = StoreOf(entry);
    entry.id = 0;
    if (!store.AddEntry(entry))
        return RestoreResult::Refused;
    store.Save();
    m_deleted.DropLast();
    m_deleted.Save();
    if (m_listener) {
        m_listener->OnEntryAdded(entry);
        if (entry.kind == m_timers.GetKind() && entry.GetReminderTime() <= now)
            m_listener->OnReminderDue(entry);
    }
    return RestoreResult::Restored;
}

void ZorlaModel::CheckDue(const COleDateTime& now)
{
    for (const CEntry& entry : m_timers.DueEntries(now)) {
        if (m_listener)
            m_listener->OnReminderDue(entry);
    }
}

bool ZorlaModel::SaveAll()
{
    const bool timers = m_timers.Save();
    const bool notes = m_notes.Save();
    const bool weather = m_weather.Save();
    // The bin is written whenever it changes; only a write it still owes is
    // made here, so a user who never deletes gets no file for it.
    const bool deleted = !m_deleted.IsWriteFailing() || m_deleted.Save();
    return timers && notes && weather && deleted;
}

std::vector<StoreProblem> ZorlaModel::TakeProblems()
{
    std::vector<StoreProblem> problems = m_timers.TakeProblems();
    Append(problems, m_notes.TakeProblems());
    Append(problems, m_weather.TakeProblems());
    Append(problems, m_deleted.TakeProblems());
    return problems;
}
