#pragma once

#include "entries/CActionDeleted.h"
#include "entries/CActionNotes.h"
#include "entries/CActionTimer.h"
#include "shared/StoreProblem.h"
#include "weather/CActionWeather.h"

#include <string>
#include <vector>

class ModelListener;

// Everything the user keeps with the program, without a window: the notes,
// the reminders, the bin of deleted ones and the weather with its schedule
// and chosen city, and what the user does to them. The windows ask the model
// and listen to it. A write that fails leaves its problem in the model until a
// window takes it to show it.
class ZorlaModel {
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

    // The stores in the user's data folder.
    ZorlaModel();
    // The stores in folder (tests).
    explicit ZorlaModel(const std::string& folder);

    void SetListener(ModelListener* listener) { m_listener = listener; }

    // The weather, the notes, the reminders and the bin; an unreadable file is
    // set aside, its store starts empty and its problem waits.
    bool Load();
    // Every stored reminder, then every note: a copy that stays valid while
    // the entries opened from it change the stores.
    std::vector<CEntry> StoredEntries();

    // Typed text becomes a note or a reminder at when; the listener hears of
    // it when it is kept. A reminder must not lie before now.
    AddResult AddNote(const std::string& typed);
    AddResult AddReminder(const std::string& typed, const COleDateTime& when, const COleDateTime& now);

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
    // The notify of a reminder that comes again minutes after now's minute.
    static int SnoozedNotify(const CEntry& reminder, int minutes, const COleDateTime& now);

    // The most recently deleted entry back into its store; the listener hears
    // of it, and of it being due when its time has passed.
    RestoreResult RestoreLast(const COleDateTime& now);
    bool CanRestore() const { return !m_deleted.IsEmpty(); }

    // Tells the listener of every reminder due at now.
    void CheckDue(const COleDateTime& now);

    // The weather is fetched when due, or at once when forced.
    void CheckWeather(bool force) { m_weather.CheckWeather(force); }
    const std::string& City() const { return m_city; }
    void SelectCity(const std::string& city) { m_city = city; }

    // Writes every store that needs it; false when any write failed.
    bool SaveAll();
    // The problems of every store, oldest first.
    std::vector<StoreProblem> TakeProblems();

    CActionNotes& Notes() { return m_notes; }
    CActionTimer& Timers() { return m_timers; }
    CActionDeleted& Deleted() { return m_deleted; }
    CActionWeather& Weather() { return m_weather; }

private:
    CEntryStore& StoreOf(const CEntry& entry);
    AddResult Keep(CEntry& entry);

    CActionWeather m_weather;
    CActionNotes m_notes;
    CActionTimer m_timers;
    CActionDeleted m_deleted;
    std::string m_city;
    ModelListener* m_listener = nullptr;
};
