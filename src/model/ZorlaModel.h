#pragma once

#include "base/AppContext.h"
#include "entries/Bin.h"
#include "entries/NoteStore.h"
#include "entries/ReminderStore.h"
#include "model/SyncedNotes.h"
#include "store/StoreProblem.h"
#include "weather/ForecastCache.h"
#include "weather/KeptPlaces.h"
#include "weather/WeatherChain.h"
#include "weather/WeatherService.h"
#include "weather/WeatherStore.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class ModelListener;

// Everything the user keeps with the program, without a window: the notes,
// the reminders, the bin of deleted ones and the weather with its schedule
// and chosen city, and what the user does to them. The windows ask the model
// and listen to it. A write that fails leaves its problem in the model until a
// window takes it to show it. Nothing here knows a window: what the model needs
// of the system comes through the context it is given.
class ZorlaModel final : private WeatherChain::Listener {
public:
    enum class AddResult {
        Added,         // stored, written or waiting to be written again
        NothingTyped,  // nothing to keep
        InPast,        // a reminder whose time has passed
        BadDate,       // a reminder without a valid time
        Refused,       // the store has no document: nothing could be kept
    };
    enum class RestoreResult { Restored, BinEmpty, Refused };

    // The weather is looked at this often while the program runs.
    static const unsigned kWeatherInterval = 900000;

    // The stores in folder; a store whose file is not there yet takes it over
    // from the first of legacyFolders that holds one.
    // The context's HTTP fetch must be set.
    explicit ZorlaModel(const AppContext& context);
    ~ZorlaModel();
    ZorlaModel(const ZorlaModel&) = delete;
    ZorlaModel& operator=(const ZorlaModel&) = delete;

    // The time as the program sees it: the windows read it here too.
    const Clock& GetClock() const { return m_context.clock; }

    // Every listener hears every event, in the order they were added.
    void AddListener(ModelListener* listener) { m_listeners.push_back(listener); }
    void RemoveListener(ModelListener* listener)
    {
        m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
    }

    // The weather, the notes, the reminders and the bin; an unreadable file is
    // set aside, its store starts empty and its problem waits.
    bool Load();
    // Every stored reminder, then every note: a copy that stays valid while
    // the entries opened from it change the stores.
    std::vector<CEntry> StoredEntries();

    // Typed text becomes a note (made now, by the platform's clock) or a
    // reminder at when; the listener hears of it when it is kept. A reminder
    // must not lie before now. A reminder on weekdays chosen for a Saturday or
    // Sunday first comes on the Monday after.
    AddResult AddNote(const std::string& typed);
    AddResult AddReminder(const std::string& typed, const DateTime& when, const DateTime& now,
                          Repeat repeat = Repeat::Once);
    // An empty note at a place on the screen, for the user to type into;
    // kept (if given) receives the entry as stored.
    AddResult AddEmptyNote(int x, int y, CEntry* kept = nullptr);

    // The entry's text, place or time changed: it replaces the stored one and
    // moves to the end of its store. False when the store does not hold it.
    bool Update(CEntry& entry);
    // Writes the entry's store; false when the file could not be written.
    bool Write(const CEntry& entry);
    bool IsWriteFailing(const CEntry& entry);
    // Forgets the write failures of the entry's store, which were shown already;
    // every other problem, of that store or another, stays for the user.
    void ForgetWriteFailure(const CEntry& entry);
    // The entry goes into the bin and out of its store, which is written.
    void Delete(const CEntry& entry);
    // The user is done with this occurrence of a repeating reminder: it moves
    // to the series' next one after now (and after the occurrence itself),
    // whatever snooze moved this one, and is stored and written. False, and
    // nothing changed, for a reminder that does not repeat or is not stored.
    bool EndOccurrence(CEntry& reminder, const DateTime& now);
    // The notify of a reminder that comes again minutes after now's minute.
    static int SnoozedNotify(const CEntry& reminder, int minutes, const DateTime& now);

    // The most recently deleted entry back into its store; the listener hears
    // of it, and of it being due when its time has passed.
    RestoreResult RestoreLast(const DateTime& now);
    bool CanRestore() const { return !m_deleted.IsEmpty(); }

    // Tells the listener of every reminder due at now.
    void CheckDue(const DateTime& now);

    // The weather is fetched when due, or at once when forced; unless forced,
    // never while the user forbids the internet. The listeners hear how it went.
    void CheckWeather(bool force, bool internetForbidden) { m_chain.Check(force, internetForbidden); }
    bool IsWeatherUpdateInProgress() const { return m_chain.IsRunning(); }
    const std::vector<WeatherRecord>& WeatherRecords() const { return m_weather.Records(); }
    // Whose weather is shown for the city: the brand's records, or an open
    // service's forecast.
    const WeatherChain& Forecasts() const { return m_chain; }

    // The city whose weather the user chose, kept in the settings.
    const std::string& City() const { return m_city; }
    void SelectCity(const std::string& city);
    // A place the user chose from the city table: it becomes the city and is
    // kept first among the chosen places.
    void ChoosePlace(const ::City& place);
    const KeptPlaces& ChosenPlaces() const { return m_places; }
    void LoadCity();
    bool SaveCity();
    // Where a city the user did not choose from the table lies (the brand's
    // cities, the city kept by name from earlier versions); unset, such a city
    // has weather from the brand's feed only.
    using CityFinder = std::function<std::optional<::City>(const std::string& name)>;
    void SetCityFinder(CityFinder finder) { m_findCity = std::move(finder); }

    // The folder the user's sync service mirrors between computers; empty while
    // the notes stay on this computer (settings "Storage", "Folder").
    std::string SyncFolderPath() const { return m_sync.FolderPath(); }
    // From now on the notes are kept in folder too: every entry gets its id,
    // what other computers put there is merged in (never replaced) and this
    // computer's file is written. The choice is kept in the settings.
    void KeepInFolder(const std::string& folder) { m_sync.KeepInFolder(folder); }
    // The notes stay on this computer only: the merged ones are all here.
    void KeepLocally() { m_sync.KeepLocally(); }
    // Merges what other computers wrote since the last check; the listeners
    // hear of every entry that came, changed or went. True when anything here
    // changed.
    bool CheckSyncFolder() { return m_sync.Check(); }

    // Writes every store that needs it; false when any write failed.
    bool SaveAll();
    // The problems of every store, oldest first.
    std::vector<StoreProblem> TakeProblems();

    NoteStore& Notes() { return m_notes; }
    ReminderStore& Reminders() { return m_reminders; }
    Bin& DeletedBin() { return m_deleted; }
    WeatherService& Weather() { return m_weather; }

private:
    EntryStore& StoreOf(const CEntry& entry);
    AddResult Keep(CEntry& entry);
    std::optional<::City> CurrentPlace();
    void OnWeatherStatus(WeatherService::Status status, const std::string& detail) override;
    void OnWeatherChanged() override;
    void OnWeatherReport(const WeatherReport& report) override;

    const AppContext m_context;
    WeatherStore m_weatherStore;
    WeatherService m_weather;
    ForecastCache m_forecastCache;
    WeatherChain m_chain;
    KeptPlaces m_places;
    CityFinder m_findCity;
    NoteStore m_notes;
    ReminderStore m_reminders;
    Bin m_deleted;
    std::string m_city;
    std::vector<ModelListener*> m_listeners;
    SyncedNotes m_sync;
};
