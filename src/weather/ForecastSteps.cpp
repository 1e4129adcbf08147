#include "weather/ForecastSteps.h"

#include <algorithm>
#include <optional>

namespace {

void KeepWithin(std::optional<double>& value, double low, double high)
{
    if (value && !(*value >= low && *value <= high))
        value.reset();
}

}  // namespace

bool ForecastSteps::Accept(ForecastHour& step)
{
    KeepWithin(step.windSpeed, 0, 120);
    KeepWithin(step.windFrom, 0, 360);
    KeepWithin(step.precipitation, 0, 500);
    return step.temperature >= -90 && step.temperature <= 60;
}

bool ForecastSteps::Finish(std::vector<ForecastHour> steps, Forecast& forecast, std::string& error)
{
    std::stable_sort(steps.begin(), steps.end(),
                     [](const ForecastHour& a, const ForecastHour& b) { return a.time < b.time; });
    steps.erase(std::unique(steps.begin(), steps.end(),
                            [](const ForecastHour& a, const ForecastHour& b) { return a.time == b.time; }),
                steps.end());
    if (steps.empty()) {
        error = "the answer holds no usable forecast step";
        return false;
    }
    forecast.hours = std::move(steps);
    return true;
}
