#include "weather/ForecastText.h"

#include "weather/ForecastWords.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace {

using Flaw = ForecastWords::Flaw;
using InPeriod = std::function<bool(std::int64_t time)>;

constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kDay = 86400;
// From this local time on the rest of the day is the night.
constexpr std::int64_t kEvening = 20 * kHour;
constexpr std::int64_t kNightEnds = 6 * kHour;
// Tomorrow's sky is the daytime's.
constexpr std::int64_t kDaytimeFrom = 8 * kHour;
constexpr std::int64_t kDaytimeTo = 20 * kHour;
constexpr std::int64_t kGardenFrom = 11 * kHour;
constexpr std::int64_t kGardenTo = 22 * kHour;
constexpr double kWetFromMm = 0.1;
constexpr double kWarmFromCelsius = 16;
constexpr double kWindyAboveMetresPerSecond = 8;
// A provider's period is 1 or 6 hours; a broken one must not spin through years.
constexpr int kLongestPeriod = 24;
constexpr int kSkies = static_cast<int>(Sky::Thunder) + 1;

std::int64_t DayOf(std::int64_t local)
{
    return local / kDay - (local % kDay < 0 ? 1 : 0);
}

std::int64_t SecondOf(std::int64_t local)
{
    return local - DayOf(local) * kDay;
}

int PeriodOf(const ForecastHour& step)
{
    return std::clamp(step.periodHours, 1, kLongestPeriod);
}

// The step that speaks for now: the latest at or before now while its period
// lasts, else one that begins within the hour.
const ForecastHour* NowStep(const Forecast& forecast, std::int64_t now)
{
    const ForecastHour* latest = nullptr;
    for (const ForecastHour& step : forecast.hours) {
        if (step.time > now) {
            if (latest && now - latest->time < PeriodOf(*latest) * kHour)
                return latest;
            return step.time - now <= kHour ? &step : nullptr;
        }
        latest = &step;
    }
    return latest && now - latest->time < PeriodOf(*latest) * kHour ? latest : nullptr;
}

struct Summary {
    std::optional<double> low;
    std::optional<double> high;
    std::optional<double> rain;  // none when no step of the period tells its rain
    Sky sky = Sky::Unknown;
};

// The extremes of the steps in a period, the rain of its hours, and the sky of
// most of the hours in skyHours (when given).
Summary Summarize(const Forecast& forecast, const InPeriod& inPeriod, const InPeriod& skyHours)
{
    Summary summary;
    int hoursOfSky[kSkies] = {};
    const std::vector<ForecastHour>& steps = forecast.hours;
    for (size_t i = 0; i < steps.size(); ++i) {
        const ForecastHour& step = steps[i];
        if (std::isfinite(step.temperature) && inPeriod(step.time)) {
            summary.low = std::min(summary.low.value_or(step.temperature), step.temperature);
            summary.high = std::max(summary.high.value_or(step.temperature), step.temperature);
        }
        const int period = PeriodOf(step);
        std::int64_t end = step.time + period * kHour;
        if (i + 1 < steps.size())
            end = std::min(end, steps[i + 1].time);
        const int sky = static_cast<int>(step.sky);
        for (std::int64_t hour = step.time; hour < end; hour += kHour) {
            if (step.precipitation && std::isfinite(*step.precipitation) && inPeriod(hour))
                summary.rain = summary.rain.value_or(0) + std::max(0.0, *step.precipitation) / period;
            if (skyHours && sky > 0 && sky < kSkies && skyHours(hour))
                ++hoursOfSky[sky];
        }
    }
    int most = 0;
    for (int sky = 1; sky < kSkies; ++sky) {
        if (hoursOfSky[sky] > 0 && hoursOfSky[sky] >= most) {
            most = hoursOfSky[sky];
            summary.sky = static_cast<Sky>(sky);
        }
    }
    return summary;
}

bool WetSky(Sky sky)
{
    switch (sky) {
    case Sky::LightRain:
    case Sky::Rain:
    case Sky::HeavyRain:
    case Sky::Showers:
    case Sky::Sleet:
    case Sky::Snow:
    case Sky::Thunder: return true;
    default: return false;
    }
}

Flaw FlawOf(const ForecastHour& step)
{
    if (step.precipitation.value_or(0) >= kWetFromMm || WetSky(step.sky))
        return Flaw::Rain;
    if (!(step.temperature >= kWarmFromCelsius))
        return Flaw::Cold;
    if (step.windSpeed.value_or(0) > kWindyAboveMetresPerSecond)
        return Flaw::Wind;
    return Flaw::None;
}

// The lines about the rest of today, or from the evening on about the night.
std::string RestOfToday(const Forecast& forecast, std::int64_t now, const ForecastText::ToLocal& toLocal,
                        const ForecastWords& words)
{
    const std::int64_t today = DayOf(toLocal(now));
    if (SecondOf(toLocal(now)) < kEvening) {
        const Summary rest = Summarize(
            forecast, [&](std::int64_t time) { return time + kHour > now && DayOf(toLocal(time)) == today; }, nullptr);
        return rest.low ? words.Today(*rest.low, *rest.high, rest.rain) : "";
    }
    const Summary night = Summarize(
        forecast,
        [&](std::int64_t time) {
            const std::int64_t local = toLocal(time);
            return time + kHour > now &&
                   (DayOf(local) == today || (DayOf(local) == today + 1 && SecondOf(local) < kNightEnds));
        },
        nullptr);
    return night.low ? words.Tonight(*night.low, night.rain) : "";
}

// Tomorrow's line, when the forecast reaches its evening.
std::string Tomorrow(const Forecast& forecast, std::int64_t now, const ForecastText::ToLocal& toLocal,
                     const ForecastWords& words)
{
    const std::int64_t tomorrow = DayOf(toLocal(now)) + 1;
    const ForecastHour& last = forecast.hours.back();
    const std::int64_t reach = toLocal(last.time + PeriodOf(last) * kHour);
    if (DayOf(reach) < tomorrow || (DayOf(reach) == tomorrow && SecondOf(reach) < kDaytimeTo))
        return "";
    const Summary day = Summarize(
        forecast, [&](std::int64_t time) { return DayOf(toLocal(time)) == tomorrow; },
        [&](std::int64_t time) {
            const std::int64_t local = toLocal(time);
            return DayOf(local) == tomorrow && SecondOf(local) >= kDaytimeFrom && SecondOf(local) < kDaytimeTo;
        });
    return day.low ? words.Tomorrow(*day.low, *day.high, day.sky, day.rain) : "";
}

}  // namespace

std::string ForecastText::Compose(const Forecast& forecast, std::int64_t now, std::int64_t fetched,
                                  const ToLocal& toLocal, const ForecastTextOptions& options)
{
    if (!toLocal || forecast.hours.empty() || forecast.hours.back().time < now - kHour)
        return "";
    const ForecastWords words(options.german, options.fahrenheit);
    std::vector<std::string> lines;
    if (const ForecastHour* step = NowStep(forecast, now); step && std::isfinite(step->temperature)) {
        lines.push_back(words.Now(step->temperature, step->sky));
        if (step->windSpeed && std::isfinite(*step->windSpeed))
            lines.push_back(words.Wind(*step->windSpeed, step->windFrom));
    }
    lines.push_back(RestOfToday(forecast, now, toLocal, words));
    lines.push_back(Tomorrow(forecast, now, toLocal, words));
    lines.push_back(BeerGarden(forecast, now, toLocal, options));
    if (fetched > 0) {
        const std::int64_t local = toLocal(fetched);
        lines.push_back(words.AsOf(local, DayOf(local) == DayOf(toLocal(now))));
    }
    lines.push_back(options.attribution);

    std::string text;
    for (const std::string& line : lines) {
        if (line.empty())
            continue;
        if (!text.empty())
            text += "\n";
        text += line;
    }
    return text;
}

std::string ForecastText::BeerGarden(const Forecast& forecast, std::int64_t now, const ToLocal& toLocal,
                                     const ForecastTextOptions& options)
{
    struct Hour {
        std::int64_t time;
        double temperature;
        Flaw flaw;
    };
    if (!toLocal)
        return "";
    const std::int64_t today = DayOf(toLocal(now));
    std::vector<Hour> window;
    for (const ForecastHour& step : forecast.hours) {
        const std::int64_t local = toLocal(step.time);
        if (step.periodHours == 1 && DayOf(local) == today && SecondOf(local) >= kGardenFrom &&
            SecondOf(local) < kGardenTo)
            window.push_back({step.time, step.temperature, FlawOf(step)});
    }
    int flaws[4] = {};
    bool hoursLeft = false;
    for (const Hour& hour : window) {
        if (hour.time + kHour > now) {
            hoursLeft = true;
            ++flaws[static_cast<int>(hour.flaw)];
        }
    }
    if (!hoursLeft)
        return "";

    const ForecastWords words(options.german, options.fahrenheit);
    for (size_t first = 0; first < window.size(); ++first) {
        if (window[first].flaw != Flaw::None)
            continue;
        size_t last = first;
        while (last + 1 < window.size() && window[last + 1].flaw == Flaw::None &&
               window[last + 1].time == window[last].time + kHour)
            ++last;
        if (last > first && window[last].time + kHour > now) {
            double warmest = -std::numeric_limits<double>::infinity();
            for (size_t i = first; i <= last; ++i) {
                if (window[i].time + kHour > now)
                    warmest = std::max(warmest, window[i].temperature);
            }
            if (window[first].time <= now)
                return words.BeerGardenGood(std::nullopt, warmest);
            return words.BeerGardenGood(toLocal(window[first].time), warmest);
        }
        first = last;
    }
    Flaw main = Flaw::None;
    int most = 0;
    for (Flaw flaw : {Flaw::Rain, Flaw::Cold, Flaw::Wind}) {
        if (flaws[static_cast<int>(flaw)] > most) {
            most = flaws[static_cast<int>(flaw)];
            main = flaw;
        }
    }
    return words.BeerGardenNot(main);
}
