#include "weather/WeatherService.h"

#include "base/Clock.h"
#include "base/Settings.h"
#include "base/StoredNames.h"
#include "xml/XML2_Exception.h"
#include "xml/XmlParser.h"

#include <cmath>
#include <cstring>
#include <exception>
#include <utility>

using util::xml::XmlElement;

const char* const WeatherService::kDefaultStamp = "1/25/1996 8:30:00";
const char* const WeatherService::kStampFormat = "%m/%d/%Y %H:%M:%S";

namespace {

const int kDefaultInterval = 15;

// The feed as text: up to the first zero byte, which the platform puts after
// every body. A feed in UTF-16 is full of zero bytes; it begins with its byte
// order mark and is taken whole but for that last zero byte.
std::string FeedText(const std::vector<char>& bytes)
{
    const bool utf16 =
        bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
    const std::size_t length =
        utf16 ? bytes.size() & ~std::size_t{1} : (bytes.empty() ? 0 : strnlen(bytes.data(), bytes.size()));
    return std::string(bytes.data(), length);
}

std::unique_ptr<XmlElement> ParseFeed(const std::string& text, std::string& error)
{
    try {
        util::xml::XmlParser parser;
        std::unique_ptr<XmlElement> root = parser.parseBuffer(text.data(), text.size());
        if (root)
            return root;
        error = "no element found";
    } catch (const util::xml::XML2_Exception& e) {
        error = e.what();
    } catch (const std::exception& e) {
        error = e.what();
    }
    return nullptr;
}

}  // namespace

WeatherService::WeatherService(WeatherStore& store, std::unique_ptr<ZorlaWeatherFeed> provider, Settings& settings,
                               const Clock& clock, HttpFetch& http)
    : m_store(store)
    , m_provider(std::move(provider))
    , m_settings(settings)
    , m_clock(clock)
    , m_http(http)
{}

WeatherService::~WeatherService()
{
    if (m_inProgress)
        m_http.CancelAll();
}

bool WeatherService::LoadOrStartEmpty()
{
    const bool loaded = m_store.LoadOrStartEmpty();
    ReadRecords();
    return loaded;
}

void WeatherService::Check(bool force, bool internetForbidden)
{
    // The first check shows what the store held at the start.
    if (m_firstCheck) {
        m_firstCheck = false;
        TellChanged();
    }
    if (!force && !IsUpdateDue()) {
        // The file may have been written since: read it again.
        if (m_store.Load()) {
            ReadRecords();
            TellChanged();
        } else {
            StartUpdate(false, internetForbidden);
        }
        return;
    }
    StartUpdate(force, internetForbidden);
}

bool WeatherService::IsUpdateDue() const
{
    using namespace stored;
    const std::string stamp = m_settings.GetString(kWeatherSection, kLastUpdate, kDefaultStamp);
    DateTime last;
    // A stamp that is no date counts as the start of the date scale: due.
    if (!last.ParseDateTime(stamp.c_str()))
        last = DateTime(0.0);
    const double days = (m_clock.Now() - last).m_span;
    // A stamp in the future comes from a clock that was set back (or from the end
    // of daylight saving time); waiting for the clock to catch up could stop the
    // weather for years.
    if (days < 0)
        return true;
    const double halfSecond = 0.5 / 86400.0;
    const double minutes = std::trunc((days + halfSecond) * 1440.0);
    return minutes >= m_settings.GetInt(kWeatherSection, kUpdateInterval, kDefaultInterval);
}

void WeatherService::StartUpdate(bool force, bool internetForbidden)
{
    if (m_inProgress || (!force && internetForbidden))
        return;
    m_inProgress = true;
    Tell(Status::Contacting);
    const ZorlaWeatherFeed::Source source = m_provider->FeedSource(m_settings);
    if (!m_http.Start(source.url, source.user, source.password,
                      [this](HttpFetch::Outcome outcome) { OnFetched(std::move(outcome)); }))
        m_inProgress = false;
}

void WeatherService::OnFetched(HttpFetch::Outcome outcome)
{
    m_inProgress = false;
    if (outcome.failed) {
        Tell(Status::Failed, outcome.error);
        return;
    }
    if (!TakeFeed(FeedText(outcome.bytes)))
        return;
    m_store.Save();
    // Stamped even when the file could not be written: the weather is new.
    m_settings.WriteString(stored::kWeatherSection, stored::kLastUpdate, m_clock.Now().Format(kStampFormat));
}

bool WeatherService::TakeFeed(const std::string& text)
{
    std::string error;
    std::unique_ptr<XmlElement> document = ParseFeed(text, error);
    // The previous feed stays: the display keeps showing good weather rather
    // than nothing, and the next check tries again.
    if (!document) {
        Tell(Status::Failed, error);
        return false;
    }
    m_store.SetDocument(std::move(document));
    ReadRecords();
    Tell(Status::Updated);
    TellChanged();
    return true;
}

void WeatherService::ReadRecords()
{
    m_records = m_provider->Read(m_store.GetDocument());
}

void WeatherService::Tell(Status status, const std::string& detail)
{
    if (m_listener)
        m_listener->OnWeatherStatus(status, detail);
}

void WeatherService::TellChanged()
{
    if (m_listener)
        m_listener->OnWeatherChanged();
}
