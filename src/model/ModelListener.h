#pragma once

#include "weather/WeatherReport.h"
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
    // Another computer changed the entry (its text, time or kind); the entry
    // as it is now, with this computer's id and place.
    virtual void OnEntryChanged(const CEntry&) {}
    // Another computer deleted the entry; it is in this computer's bin now.
    virtual void OnEntryRemoved(const CEntry&) {}
    virtual void OnWeatherStatus(WeatherService::Status, const std::string& /*detail*/) {}
    // The weather's records changed: the display should follow soon.
    virtual void OnWeatherChanged() {}
    // A round through the weather services ended: whose weather is shown, and
    // why others were passed over.
    virtual void OnWeatherReport(const WeatherReport&) {}
};
