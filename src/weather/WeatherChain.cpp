#include "weather/WeatherChain.h"

#include "base/Clock.h"
#include "base/Settings.h"
#include "base/StoredNames.h"
#include "weather/CityTable.h"
#include "weather/HttpDate.h"

#include <algorithm>
#include <cstring>
#include <sstream>
#include <utility>

const char WeatherChain::kDefaultOrder[] = "brand,metno,brightsky";

namespace {

const char kBrandTitle[] = "the brand's server";

bool SameCity(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

WeatherChain::WeatherChain(WeatherService& brand, std::vector<std::unique_ptr<WeatherProvider>> providers,
                           ForecastCache& cache, Settings& settings, const Clock& clock, HttpFetch& http,
                           std::string agent)
    : m_brand(brand)
    , m_providers(std::move(providers))
    , m_cache(cache)
    , m_settings(settings)
    , m_clock(clock)
    , m_http(http)
    , m_agent(std::move(agent))
{
    m_brand.SetListener(this);
}

WeatherChain::~WeatherChain()
{
    m_brand.SetListener(nullptr);
    if (m_running && !m_waitingForBrand)
        m_http.CancelAll();
}

std::vector<std::string> WeatherChain::Order() const
{
    const std::string text = m_settings.GetString(stored::kProvidersSection, stored::kProviderOrder, kDefaultOrder);
    std::vector<std::string> order;
    std::istringstream names(text);
    std::string name;
    while (std::getline(names, name, ',')) {
        name = Trimmed(name);
        const bool known = name == stored::kBrandProvider || Provider(name);
        if (known && std::find(order.begin(), order.end(), name) == order.end())
            order.push_back(name);
    }
    return order;
}

void WeatherChain::LoadCache()
{
    m_cache.LoadOrStartEmpty();
    m_cache.TakeProblems();  // a cache that could not be read is only set aside
    ShowKept();
    if (m_listener)
        m_listener->OnWeatherChanged();
}

void WeatherChain::SetCity(const std::string& name)
{
    if (name == m_city)
        return;
    m_city = name;
    ShowKept();
    if (m_listener)
        m_listener->OnWeatherChanged();
}

// The first service in order with weather for the place, without asking.
void WeatherChain::ShowKept()
{
    m_shown = Shown();
    for (const std::string& name : Order()) {
        if (name == stored::kBrandProvider) {
            if (BrandVerdict() == Step::Answered)
                return;
            continue;
        }
        const std::optional<ForecastCache::Answer> kept = m_cache.Find(name, m_city);
        if (kept && Show(*Provider(name), *kept))
            return;
    }
}

bool WeatherChain::ShowsFreshWeather() const
{
    if (m_shown.provider.empty())
        return false;
    if (m_shown.provider == stored::kBrandProvider)
        return !m_brand.IsUpdateDue();
    const WeatherProvider* provider = Provider(m_shown.provider);
    return provider && Now() - m_shown.fetched < std::int64_t{provider->IntervalMinutes()} * 60;
}

void WeatherChain::Check(bool force, bool internetForbidden)
{
    if (m_running)
        return;
    m_running = true;
    m_force = force;
    m_forbidden = internetForbidden && !force;
    m_askedOpen = false;
    m_order = Order();
    m_next = 0;
    m_report = WeatherReport();
    m_brandNews.reset();
    Next();
}

void WeatherChain::Next()
{
    while (m_next < m_order.size()) {
        const std::string& name = m_order[m_next++];
        const Step step = name == stored::kBrandProvider ? AskBrand() : AskOpen(*Provider(name));
        if (step == Step::Waiting)
            return;
        if (step == Step::Answered) {
            Finish(true);
            return;
        }
    }
    Finish(false);
}

WeatherChain::Step WeatherChain::AskBrand()
{
    // The brand's service keeps its own schedule: when not due it reads its
    // file again, and fetches only when that fails.
    if (m_force || m_brand.IsUpdateDue())
        m_brand.StartUpdate(m_force, m_forbidden);
    else
        m_brand.Check(false, m_forbidden);
    if (m_brand.IsUpdateInProgress()) {
        m_waitingForBrand = true;
        return Step::Waiting;
    }
    const Step step = BrandVerdict();
    if (step == Step::Skipped && !m_forbidden)
        Skip(kBrandTitle, WeatherReport::Reason::NoPlace, m_city);
    return step;
}

WeatherChain::Step WeatherChain::BrandVerdict()
{
    for (const WeatherRecord& record : m_brand.Records()) {
        if (SameCity(record.city, m_city)) {
            m_shown = Shown();
            m_shown.provider = stored::kBrandProvider;
            m_shown.title = kBrandTitle;
            m_report.from = kBrandTitle;
            return Step::Answered;
        }
    }
    return Step::Skipped;
}

WeatherChain::Step WeatherChain::AskOpen(const WeatherProvider& provider)
{
    const std::int64_t now = Now();
    std::optional<ForecastCache::Answer> kept = m_cache.Find(provider.Name(), m_city);
    // Asked recently enough, or told not to ask before a time still to come.
    const bool fresh = kept && kept->fetched <= now &&
                       (now < kept->expires || now - kept->fetched < std::int64_t{provider.IntervalMinutes()} * 60);
    if (fresh || (kept && m_forbidden)) {
        if (!Show(provider, *kept))
            return Step::Skipped;
        m_report.saved = true;
        return Step::Answered;
    }
    if (m_forbidden)
        return Step::Skipped;
    ProviderRest& rest = m_rests[provider.Name()];
    if (rest.IsResting(now)) {
        Skip(provider.Title(), WeatherReport::Reason::Resting, std::string(), rest.Until());
        return Step::Skipped;
    }
    // Where the place lies is looked up only when a service is to be asked.
    const std::optional<City> place = m_findPlace ? m_findPlace() : std::nullopt;
    if (!place) {
        Skip(provider.Title(), WeatherReport::Reason::NoPlace, m_city);
        return Step::Skipped;
    }
    if (kept && kept->at != ForecastCache::Coordinates(*place))
        kept.reset();  // another place of that name
    HttpFetch::Request request = provider.RequestFor(Address(provider), *place, now);
    request.headers.emplace_back("User-Agent", m_agent);
    if (kept && !kept->lastModified.empty())
        request.headers.emplace_back("If-Modified-Since", kept->lastModified);
    if (!m_askedOpen && m_listener)
        m_listener->OnWeatherStatus(WeatherService::Status::Contacting, std::string());
    m_askedOpen = true;
    const City asked = *place;
    if (!m_http.Send(request, [this, &provider, asked](HttpFetch::Outcome outcome) {
            OnOpenFetched(provider, asked, std::move(outcome));
        })) {
        Skip(provider.Title(), WeatherReport::Reason::NoAnswer);
        return Step::Skipped;
    }
    return Step::Waiting;
}

void WeatherChain::OnOpenFetched(const WeatherProvider& provider, const City& place, HttpFetch::Outcome outcome)
{
    const std::int64_t now = Now();
    ProviderRest& rest = m_rests[provider.Name()];
    std::optional<ForecastCache::Answer> kept = m_cache.Find(provider.Name(), place.name);
    ForecastCache::Answer answer;
    answer.provider = provider.Name();
    answer.place = place.name;
    answer.fetched = now;
    std::int64_t expires = 0;
    if (HttpDate::Parse(outcome.Header("expires"), expires))
        answer.expires = expires;
    answer.lastModified = outcome.Header("last-modified");

    bool answered = false;
    if (!outcome.failed && outcome.status == 304 && kept) {
        // Unchanged: the kept answer is as good as new.
        answer.body = kept->body;
        if (answer.lastModified.empty())
            answer.lastModified = kept->lastModified;
        answered = Show(provider, answer);
    } else if (!outcome.failed && outcome.status != 304) {
        // The client ends a body with a zero byte, which no JSON holds.
        if (!outcome.bytes.empty())
            answer.body.assign(outcome.bytes.data(), strnlen(outcome.bytes.data(), outcome.bytes.size()));
        Forecast forecast;
        std::string error;
        if (provider.Read(answer.body, forecast, error)) {
            Show(provider, std::move(forecast), answer.fetched);
            answered = true;
        } else {
            rest.Failed(now);
            Skip(provider.Title(), WeatherReport::Reason::BadAnswer, error);
        }
    } else if (outcome.status == 429 || outcome.status == 503) {
        std::int64_t asked = 0;
        HttpDate::ParseRetryAfter(outcome.Header("retry-after"), now, asked);
        rest.Failed(now, asked);
        Skip(provider.Title(), WeatherReport::Reason::Busy, outcome.error, rest.Until());
    } else {
        rest.Failed(now);
        Skip(provider.Title(), WeatherReport::Reason::NoAnswer,
             outcome.failed ? outcome.error : "an unchanged answer to a question not asked");
    }
    if (answered) {
        rest.Answered();
        m_cache.Put(place, answer);
        m_cache.Save();
        m_cache.TakeProblems();  // without its file the weather is asked again
        Finish(true);
        return;
    }
    Next();
}

bool WeatherChain::Show(const WeatherProvider& provider, const ForecastCache::Answer& answer)
{
    // Shown already: the answer is not read again at every look.
    if (m_shown.provider == provider.Name() && m_shown.city == m_city && m_shown.fetched == answer.fetched) {
        m_report.from = provider.Title();
        return true;
    }
    Forecast forecast;
    std::string error;
    if (!provider.Read(answer.body, forecast, error))
        return false;
    Show(provider, std::move(forecast), answer.fetched);
    return true;
}

void WeatherChain::Show(const WeatherProvider& provider, Forecast forecast, std::int64_t fetched)
{
    m_shown.provider = provider.Name();
    m_shown.city = m_city;
    m_shown.title = provider.Title();
    m_shown.attribution = provider.Attribution();
    m_shown.forecast = std::move(forecast);
    m_shown.fetched = fetched;
    m_report.from = provider.Title();
}

void WeatherChain::Finish(bool answered)
{
    m_running = false;
    if (!answered)
        m_report.from.clear();
    const bool onlyBrand = m_order.size() == 1 && m_order[0] == stored::kBrandProvider;
    const bool tell = !onlyBrand && (m_askedOpen || !m_report.skipped.empty() || !ShowsBrand());
    if (m_listener && tell)
        m_listener->OnWeatherReport(m_report);
    else if (m_listener && m_brandNews)
        m_listener->OnWeatherStatus(m_brandNews->status, m_brandNews->detail);
    m_brandNews.reset();
    if (m_listener && answered)
        m_listener->OnWeatherChanged();
}

void WeatherChain::Skip(const std::string& title, WeatherReport::Reason reason, const std::string& detail,
                        std::int64_t until)
{
    m_report.skipped.push_back(WeatherReport::Skip{title, reason, detail, until});
}

std::int64_t WeatherChain::Now() const
{
    return static_cast<std::int64_t>(m_clock.UniversalMilliseconds() / 1000);
}

const WeatherProvider* WeatherChain::Provider(const std::string& name) const
{
    for (const auto& provider : m_providers)
        if (name == provider->Name())
            return provider.get();
    return nullptr;
}

std::string WeatherChain::Address(const WeatherProvider& provider) const
{
    const std::string address = m_settings.GetString(stored::kProvidersSection, provider.Name(), std::string());
    return address.empty() ? provider.DefaultAddress() : address;
}

void WeatherChain::OnWeatherStatus(WeatherService::Status status, const std::string& detail)
{
    const bool onlyBrand = m_order.size() <= 1;
    // Within a round of several services the round's end speaks for the brand.
    if (m_listener && (status == WeatherService::Status::Contacting || onlyBrand || !m_running))
        m_listener->OnWeatherStatus(status, detail);
    else if (status != WeatherService::Status::Contacting)
        m_brandNews = BrandNews{status, detail};
    if (!m_waitingForBrand || status == WeatherService::Status::Contacting)
        return;
    m_waitingForBrand = false;
    // A feed that failed did not answer, even when an older one names the city.
    if (status == WeatherService::Status::Failed) {
        Skip(kBrandTitle, WeatherReport::Reason::NoAnswer, detail);
        Next();
    } else if (BrandVerdict() == Step::Answered) {
        Finish(true);
    } else {
        Skip(kBrandTitle, WeatherReport::Reason::NoPlace, m_city);
        Next();
    }
}

void WeatherChain::OnWeatherChanged()
{
    if (m_listener)
        m_listener->OnWeatherChanged();
}
