#pragma once

#include "base/HttpFetch.h"
#include "base/StoredNames.h"
#include "weather/Forecast.h"
#include "weather/ForecastCache.h"
#include "weather/ProviderRest.h"
#include "weather/WeatherProvider.h"
#include "weather/WeatherReport.h"
#include "weather/WeatherService.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Clock;
class Settings;
struct City;

// The weather services asked in the order the settings give ("brand,metno,
// brightsky" unless "Order" in section "WeatherProviders" says otherwise) until
// one has weather for the chosen place: the brand's feed, which names its
// cities itself, and open services that answer for any place. Each open
// service is asked at most once per its interval and place, never before its
// last answer expires, and only whether the weather changed when an answer is
// kept; one that fails rests a while. When all fail the weather shown stays.
// Every call, and every call to its listener, comes on the owner's thread.
class WeatherChain final : private WeatherService::Listener {
public:
    class Listener {
    public:
        // The brand feed's own news, as the brand's service tells it.
        virtual void OnWeatherStatus(WeatherService::Status status, const std::string& detail) = 0;
        // What is shown changed: the brand's cities or the place's forecast.
        virtual void OnWeatherChanged() = 0;
        // A round that asked an open service, or passed one over, has ended.
        virtual void OnWeatherReport(const WeatherReport& report) = 0;

    protected:
        ~Listener() = default;
    };
    using PlaceFinder = std::function<std::optional<City>()>;

    static const char kDefaultOrder[];

    // agent names the program and its maker in every open request.
    WeatherChain(WeatherService& brand, std::vector<std::unique_ptr<WeatherProvider>> providers, ForecastCache& cache,
                 Settings& settings, const Clock& clock, HttpFetch& http, std::string agent);
    ~WeatherChain();
    WeatherChain(const WeatherChain&) = delete;
    WeatherChain& operator=(const WeatherChain&) = delete;

    void SetListener(Listener* listener) { m_listener = listener; }
    // Where the chosen place lies; asked whenever an open service is to be asked.
    void SetPlaceFinder(PlaceFinder finder) { m_findPlace = std::move(finder); }

    // Reads the kept answers; the brand's feed is read by its service.
    void LoadCache();
    // The user chose a city, by the name the brand's feed or the city table
    // gives it: shows what is kept for it.
    void SetCity(const std::string& name);

    // One round: the schedule's (force false) or the user's (force true). Unless
    // forced, nothing is asked while the user forbids the internet; kept
    // weather is shown all the same.
    void Check(bool force, bool internetForbidden);
    bool IsRunning() const { return m_running; }
    // The brand's weather is shown for the place, or nothing of an open service.
    bool ShowsBrand() const { return m_shown.provider.empty() || m_shown.provider == stored::kBrandProvider; }
    // Weather is shown for the place, younger than its service's interval.
    bool ShowsFreshWeather() const;
    // The open service's forecast shown for the place, or null.
    const Forecast* ShownForecast() const { return ShowsBrand() ? nullptr : &m_shown.forecast; }
    std::int64_t ShownFetched() const { return m_shown.fetched; }
    const std::string& ShownAttribution() const { return m_shown.attribution; }
    const std::string& ShownTitle() const { return m_shown.title; }

    // The services in the order the settings give; unknown names are left out.
    std::vector<std::string> Order() const;

private:
    enum class Step { Waiting, Answered, Skipped };
    struct Shown {
        std::string provider;
        std::string city;
        std::string title;
        std::string attribution;
        Forecast forecast;
        std::int64_t fetched = 0;
    };

    void ShowKept();
    void Next();
    Step AskBrand();
    Step AskOpen(const WeatherProvider& provider);
    void OnOpenFetched(const WeatherProvider& provider, const City& place, HttpFetch::Outcome outcome);
    Step BrandVerdict();
    // Shows a kept or new answer; false for one that does not read.
    bool Show(const WeatherProvider& provider, const ForecastCache::Answer& answer);
    void Show(const WeatherProvider& provider, Forecast forecast, std::int64_t fetched);
    void Finish(bool answered);
    void Skip(const std::string& title, WeatherReport::Reason reason, const std::string& detail = std::string(),
              std::int64_t until = 0);
    std::int64_t Now() const;
    const WeatherProvider* Provider(const std::string& name) const;
    std::string Address(const WeatherProvider& provider) const;

    void OnWeatherStatus(WeatherService::Status status, const std::string& detail) override;
    void OnWeatherChanged() override;

    WeatherService& m_brand;
    std::vector<std::unique_ptr<WeatherProvider>> m_providers;
    ForecastCache& m_cache;
    Settings& m_settings;
    const Clock& m_clock;
    HttpFetch& m_http;
    std::string m_agent;
    Listener* m_listener = nullptr;
    PlaceFinder m_findPlace;
    std::string m_city;
    std::map<std::string, ProviderRest> m_rests;
    Shown m_shown;

    // The round under way.
    bool m_running = false;
    bool m_waitingForBrand = false;
    bool m_force = false;
    bool m_forbidden = false;
    bool m_askedOpen = false;
    std::vector<std::string> m_order;
    std::size_t m_next = 0;
    WeatherReport m_report;
    // The brand's feed's own news in a round, told at its end when nothing else is.
    struct BrandNews {
        WeatherService::Status status;
        std::string detail;
    };
    std::optional<BrandNews> m_brandNews;
};
