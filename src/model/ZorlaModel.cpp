#include "model/ZorlaModel.h"

#include "model/ModelListener.h"
#include "base/StoredNames.h"
#include "weather/ZorlaWeatherFeed.h"

namespace {

const char kDefaultCity[] = "München";

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
    if (!store.AddEntry(entry))
        return AddResult::Refused;
    store.Save();
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
    EntryStore& store = StoreOf(entry);
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
    EntryStore& store = StoreOf(entry);
    entry.id = 0;
    if (!store.AddEntry(entry))
        return RestoreResult::Refused;
    store.Save();
    m_deleted.DropLast();
    m_deleted.Save();
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
    return reminders && notes && weather && deleted;
}

std::vector<StoreProblem> ZorlaModel::TakeProblems()
{
    std::vector<StoreProblem> problems = m_reminders.TakeProblems();
    Append(problems, m_notes.TakeProblems());
    Append(problems, m_weatherStore.TakeProblems());
    Append(problems, m_deleted.TakeProblems());
    return problems;
}
