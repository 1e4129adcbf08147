#pragma once

#include "base/HttpFetch.h"
#include "weather/ZorlaWeatherFeed.h"
#include "weather/WeatherRecord.h"
#include "weather/WeatherStore.h"

#include <memory>
#include <string>
#include <vector>

class Clock;
class Settings;

// The weather without a window: decides when it is due, fetches the provider's
// feed, keeps the last good one in its store and reads it into records. Every
// call, and every call to its listener, comes on the thread that owns it.
class WeatherService {
public:
    enum class Status {
        Contacting,  // a download has started (lasting)
        Failed,      // the download or its document failed; detail says why (transient)
        Updated,     // a new feed was taken (transient)
    };

    class Listener {
    public:
        virtual void OnWeatherStatus(Status status, const std::string& detail) = 0;
        // The records were replaced or read again: the display should follow,
        // soon, once the current message has been worked off.
        virtual void OnWeatherChanged() = 0;

    protected:
        ~Listener() = default;
    };

    // "szLastUpdate" before the first update.
    static const char* const kDefaultStamp;
    // The form of "szLastUpdate".
    static const char* const kStampFormat;

    WeatherService(WeatherStore& store, std::unique_ptr<ZorlaWeatherFeed> provider, Settings& settings,
                   const Clock& clock, HttpFetch& http);
    // No outcome of a fetch reaches the service after it is gone.
    ~WeatherService();
    WeatherService(const WeatherService&) = delete;
    WeatherService& operator=(const WeatherService&) = delete;

    void SetListener(Listener* listener) { m_listener = listener; }

    // Reads the stored feed; an unreadable file is set aside and the store starts
    // empty (its problem waits in the store).
    bool LoadOrStartEmpty();

    // The schedule step: every 15 minutes with force false; the update command
    // with force true. Unless forced, nothing is fetched while the user forbids
    // the internet.
    void Check(bool force, bool internetForbidden);
    // The last update lies "iUpdateIntervalPictures" minutes (15) or more back.
    bool IsUpdateDue() const;
    // Starts a download unless one runs, or the internet is forbidden and the
    // update not forced.
    void StartUpdate(bool force, bool internetForbidden);
    bool IsUpdateInProgress() const { return m_inProgress; }

    // Takes text as the new feed when it parses; otherwise the previous feed and
    // its records stay, the status says why and the result is false.
    bool TakeFeed(const std::string& text);

    // The cities of the current feed, in its order.
    const std::vector<WeatherRecord>& Records() const { return m_records; }
    // The first city of that name, or null.
    const WeatherRecord* Find(const std::string& city) const { return FindCity(m_records, city); }

private:
    void OnFetched(HttpFetch::Outcome outcome);
    void ReadRecords();
    void Tell(Status status, const std::string& detail = std::string());
    void TellChanged();

    WeatherStore& m_store;
    std::unique_ptr<ZorlaWeatherFeed> m_provider;
    Settings& m_settings;
    const Clock& m_clock;
    HttpFetch& m_http;
    Listener* m_listener = nullptr;
    std::vector<WeatherRecord> m_records;
    bool m_firstCheck = true;
    bool m_inProgress = false;
};
