#include "model/ZorlaModel.h"

#include "model/ModelListener.h"
#include "base/StoredNames.h"
#include "weather/BrightSkyProvider.h"
#include "weather/MetNorwayProvider.h"
#include "weather/ZorlaWeatherFeed.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace {

const char kDefaultCity[] = "München";
// Where the default city lies, so a first look at the weather needs no table.
const City kDefaultPlace{kDefaultCity, "DE", 48.13743, 11.57549, 1260391};

// A window's copy of an entry may predate its id and versions: the store's count.
void TakeSyncFields(CEntry& entry, const CEntry& stored)
{
    entry.uid = stored.uid;
    entry.versions = stored.versions;
    entry.stamp = stored.stamp;
}

std::vector<std::unique_ptr<WeatherProvider>> OpenProviders()
{
    std::vector<std::unique_ptr<WeatherProvider>> providers;
    providers.push_back(std::make_unique<MetNorwayProvider>());
    providers.push_back(std::make_unique<BrightSkyProvider>());
    return providers;
}

void Append(std::vector<StoreProblem>& to, std::vector<StoreProblem> problems)
{
    for (StoreProblem& problem : problems)
        to.push_back(std::move(problem));
}

}  // namespace

ZorlaModel::ZorlaModel(const AppContext& context)
    : m_context(context)
    , m_weatherStore(context.dataFolder, context.files, context.legacyFolders)
    , m_weather(m_weatherStore, std::make_unique<ZorlaWeatherFeed>(), context.settings, context.clock, *context.http)
    , m_forecastCache(context.dataFolder, context.files)
    , m_chain(m_weather, OpenProviders(), m_forecastCache, context.settings, context.clock, *context.http,
              context.agent)
    , m_notes(context.dataFolder, context.files, context.legacyFolders)
    , m_reminders(context.dataFolder, context.files, context.legacyFolders)
    , m_deleted(context.dataFolder, context.files, context.legacyFolders)
    , m_city(kDefaultCity)
    , m_sync(m_notes, m_reminders, m_deleted, m_context, m_listeners)
{
    m_chain.SetListener(this);
    m_chain.SetPlaceFinder([this] { return CurrentPlace(); });
}

ZorlaModel::~ZorlaModel() = default;

void ZorlaModel::LoadCity()
{
    using namespace stored;
    m_places = KeptPlaces::Parse(m_context.settings.GetString(kWeatherSection, kPlaces, std::string()));
    SelectCity(m_context.settings.GetString(kMainSection, kCity, m_city));
}

void ZorlaModel::SelectCity(const std::string& city)
{
    m_city = city;
    m_chain.SetCity(city);
}

void ZorlaModel::ChoosePlace(const ::City& place)
{
    m_places.Add(place);
    m_context.settings.WriteString(stored::kWeatherSection, stored::kPlaces, m_places.Format());
    SelectCity(place.name);
}

std::optional<::City> ZorlaModel::CurrentPlace()
{
    if (std::optional<::City> kept = m_places.Find(m_city))
        return kept;
    std::optional<::City> found = m_city == kDefaultCity ? kDefaultPlace
                                  : m_findCity           ? m_findCity(m_city)
                                                         : std::nullopt;
    // Kept under the name the user knows it by ("München" for the table's
    // "Munich"), so the table need not be read for it again.
    if (found) {
        found->name = m_city;
        m_places.Add(*found);
        m_context.settings.WriteString(stored::kWeatherSection, stored::kPlaces, m_places.Format());
    }
    return found;
}

bool ZorlaModel::SaveCity()
{
    return m_context.settings.WriteString(stored::kMainSection, stored::kCity, m_city);
}

void ZorlaModel::OnWeatherStatus(WeatherService::Status status, const std::string& detail)
{
    for (ModelListener* listener : m_listeners)
        listener->OnWeatherStatus(status, detail);
}

void ZorlaModel::OnWeatherReport(const WeatherReport& report)
{
    for (ModelListener* listener : m_listeners)
        listener->OnWeatherReport(report);
}

void ZorlaModel::OnWeatherChanged()
{
    for (ModelListener* listener : m_listeners)
        listener->OnWeatherChanged();
}

bool ZorlaModel::Load()
{
    const bool weather = m_weather.LoadOrStartEmpty();
    m_chain.LoadCache();
    const bool notes = m_notes.LoadOrStartEmpty();
    const bool reminders = m_reminders.LoadOrStartEmpty();
    const bool deleted = m_deleted.LoadOrStartEmpty();
    const std::string folder = m_context.settings.GetString(stored::kStorageSection, stored::kSyncFolder, "");
    if (!folder.empty())
        m_sync.KeepInFolder(folder);
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
    entry.date = m_context.clock.Now();
    return Keep(entry);
}

ZorlaModel::AddResult ZorlaModel::AddEmptyNote(int x, int y, CEntry* kept)
{
    CEntry entry;
    entry.kind = m_notes.GetKind();
    entry.date = m_context.clock.Now();
    entry.wndX = x;
    entry.wndY = y;
    const AddResult result = Keep(entry);
    if (kept)
        *kept = entry;
    return result;
}

ZorlaModel::AddResult ZorlaModel::AddReminder(const std::string& typed, const DateTime& when, const DateTime& now,
                                              Repeat repeat)
{
    CEntry entry;
    entry.SetText(FilterText(typed));
    if (entry.text.empty())
        return AddResult::NothingTyped;
    if (when.GetStatus() != DateTime::valid)
        return AddResult::BadDate;
    if (when < now)
        return AddResult::InPast;
    entry.kind = m_reminders.GetKind();
    entry.date = when;
    entry.notify = 0;
    if (repeat != Repeat::Once) {
        entry.repeat = RepeatName(repeat);
        if (repeat == Repeat::Month || repeat == Repeat::Year)
            entry.repeatDay = when.GetDay();
        // The series' first occurrence: a weekday series chosen on a weekend
        // starts on the Monday.
        entry.date = NextOccurrence(when, repeat, when - DateTimeSpan(0, 0, 0, 1));
    }
    return Keep(entry);
}

bool ZorlaModel::EndOccurrence(CEntry& reminder, const DateTime& now)
{
    if (reminder.kind != EntryKind::Reminder || reminder.GetRepeat() == Repeat::Once)
        return false;
    const DateTime next = reminder.NextOccurrence(now);
    if (next.GetStatus() != DateTime::valid)
        return false;
    CEntry moved = reminder;
    // A month's or year's day that the next date may clamp: kept from here on.
    const Repeat repeat = reminder.GetRepeat();
    if (moved.repeatDay == 0 && (repeat == Repeat::Month || repeat == Repeat::Year))
        moved.repeatDay = reminder.date.GetDay();
    moved.date = next;
    moved.notify = 0;
    if (!Update(moved))
        return false;
    Write(moved);
    reminder = moved;
    return true;
}

// A full disk keeps the entry in the store, which is written again later: the
// entry counts as kept and its window opens all the same.
ZorlaModel::AddResult ZorlaModel::Keep(CEntry& entry)
{
    EntryStore& store = StoreOf(entry);
    if (m_sync.IsOn())
        m_sync.NewEntry(entry);
    if (!store.AddEntry(entry))
        return AddResult::Refused;
    store.Save();
    m_sync.Publish();
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
    if (m_sync.IsOn() && !entry.uid.empty() && !stored.SameContent(entry))
        m_sync.CountChange(entry);
    if (!store.DeleteEntry(entry.id))
        return false;
    return store.AddEntry(entry);
}

bool ZorlaModel::Write(const CEntry& entry)
{
    const bool written = StoreOf(entry).Save();
    m_sync.Publish();
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
    if (m_sync.IsOn() && !gone.uid.empty())
        m_sync.EntryDeleted(gone);
    // A bin that cannot keep it costs only the way back: the delete goes on.
    m_deleted.Keep(gone);
    store.DeleteEntry(entry.id);
    store.Save();
    m_sync.Publish();
}

// Whole minutes from the appointment to now, rounded at the half second, so
// the reminder comes the chosen minutes after the current minute.
int ZorlaModel::SnoozedNotify(const CEntry& reminder, int minutes, const DateTime& now)
{
    const double days = (now - reminder.date).GetTotalDays();
    const double halfSecond = 0.5 / (24.0 * 60 * 60);
    const int passed = static_cast<int>((days + (days < 0 ? -halfSecond : halfSecond)) * 24 * 60);
    return minutes + passed;
}

ZorlaModel::RestoreResult ZorlaModel::RestoreLast(const DateTime& now)
{
    CEntry entry;
    if (!m_deleted.PeekLast(entry))
        return RestoreResult::BinEmpty;
    EntryStore& store = StoreOf(entry);
    entry.id = 0;
    if (m_sync.IsOn())
        m_sync.EntryRestored(entry);
    if (!store.AddEntry(entry))
        return RestoreResult::Refused;
    store.Save();
    m_deleted.DropLast();
    m_deleted.Save();
    m_sync.Publish();
    for (ModelListener* listener : m_listeners) {
        listener->OnEntryAdded(entry);
        if (entry.kind == m_reminders.GetKind() && entry.GetReminderTime() <= now)
            listener->OnReminderDue(entry);
    }
    return RestoreResult::Restored;
}

void ZorlaModel::CheckDue(const DateTime& now)
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
    m_sync.Publish();
    return reminders && notes && weather && deleted;
}

std::vector<StoreProblem> ZorlaModel::TakeProblems()
{
    std::vector<StoreProblem> problems = m_reminders.TakeProblems();
    Append(problems, m_notes.TakeProblems());
    Append(problems, m_weatherStore.TakeProblems());
    Append(problems, m_deleted.TakeProblems());
    Append(problems, m_sync.TakeProblems());
    return problems;
}
