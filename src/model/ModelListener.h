#pragma once

#include "weather/WeatherService.h"

#include <string>

class CEntry;

// What the model tells the windows: an entry that has come to be (a new note,
// a reminder brought back) wants its window, a reminder wants to alert, and the
// weather has news. A listener overrides what it shows.
class ModelListener {
public:
    virtual ~ModelListener() = default;
    virtual void OnEntryAdded(const CEntry&) {}
    virtual void OnReminderDue(const CEntry&) {}
    virtual void OnWeatherStatus(WeatherService::Status, const std::string& /*detail*/) {}
    // The weather's records changed: the display should follow soon.
    virtual void OnWeatherChanged() {}
};
