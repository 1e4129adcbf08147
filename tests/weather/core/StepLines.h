#pragma once

#include "weather/Forecast.h"
#include "weather/IsoTime.h"

#include <cstdio>
#include <string>

// A forecast's steps as one line each, so a test's table says what it expects
// in a glance: "06:00 -2.3 w1.8 d245.6 p0 1h Clear", "-" for a value not there.
inline const char* SkyName(Sky sky)
{
    switch (sky) {
    case Sky::Unknown: return "Unknown";
    case Sky::Clear: return "Clear";
    case Sky::Fair: return "Fair";
    case Sky::PartlyCloudy: return "PartlyCloudy";
    case Sky::Cloudy: return "Cloudy";
    case Sky::Fog: return "Fog";
    case Sky::LightRain: return "LightRain";
    case Sky::Rain: return "Rain";
    case Sky::HeavyRain: return "HeavyRain";
    case Sky::Showers: return "Showers";
    case Sky::Sleet: return "Sleet";
    case Sky::Snow: return "Snow";
    case Sky::Thunder: return "Thunder";
    }
    return "?";
}

inline std::string StepText(const ForecastHour& step)
{
    auto value = [](const char* name, const std::optional<double>& v) {
        char text[32];
        if (v)
            std::snprintf(text, sizeof text, " %s%g", name, *v);
        else
            std::snprintf(text, sizeof text, " %s-", name);
        return std::string(text);
    };
    char head[48];
    std::snprintf(head, sizeof head, "%s %g", IsoTime::Format(step.time).substr(11, 5).c_str(), step.temperature);
    return head + value("w", step.windSpeed) + value("d", step.windFrom) + value("p", step.precipitation) + " " +
           std::to_string(step.periodHours) + "h " + SkyName(step.sky);
}

inline std::string ForecastText(const Forecast& forecast)
{
    std::string text;
    for (const ForecastHour& step : forecast.hours)
        text += (text.empty() ? "" : "; ") + StepText(step);
    return text;
}
