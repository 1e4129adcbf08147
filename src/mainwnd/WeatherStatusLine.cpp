#include "mainwnd/WeatherStatusLine.h"

#include "shared/LocalTime.h"
#include "shared/Translator.h"

namespace {

// A translated pattern with its "%s" replaced by value.
std::string Fill(const char* pattern, const std::string& value)
{
    std::string text = Translate(pattern);
    const std::size_t at = text.find("%s");
    return at == std::string::npos ? text : text.replace(at, 2, value);
}

// With detail, the failure's own words follow: when no service answered, the
// user needs them to see what to do.
std::string Why(const WeatherReport::Skip& skip, bool detail)
{
    const std::string words = detail && !skip.detail.empty() ? " (" + skip.detail + ")" : std::string();
    const std::string title = Translate(skip.title.c_str());
    switch (skip.reason) {
    case WeatherReport::Reason::NoPlace: return Fill("%s has no weather for this place", title);
    case WeatherReport::Reason::Resting: return Fill("%s is left alone until ", title) + LocalTime::Clock(skip.until);
    case WeatherReport::Reason::Busy: return Fill("%s asked for a pause until ", title) + LocalTime::Clock(skip.until);
    case WeatherReport::Reason::BadAnswer: return Fill("%s sent an answer that could not be read", title) + words;
    case WeatherReport::Reason::NoAnswer:
    default: return Fill("%s did not answer", title) + words;
    }
}

}  // namespace

WeatherStatusLine WeatherStatusLine::For(WeatherService::Status status, const std::string& detail)
{
    switch (status) {
    case WeatherService::Status::Contacting: return {Translate("Weather update - contacting server..."), false};
    case WeatherService::Status::Failed: return {"Error: " + detail, true};
    case WeatherService::Status::Updated:
    default: return {"OK !", true};
    }
}

WeatherStatusLine WeatherStatusLine::For(const WeatherReport& report)
{
    std::string text =
        report.from.empty() ? Translate("No new weather") : Fill("Weather from %s", Translate(report.from.c_str()));
    const char* separator = report.from.empty() ? ": " : "; ";
    for (const WeatherReport::Skip& skip : report.skipped) {
        text += separator + Why(skip, report.from.empty());
        separator = "; ";
    }
    // It says whose weather is shown: it stays while that weather does.
    return {text, false};
}
