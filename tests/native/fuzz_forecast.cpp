// libFuzzer targets: a weather service's answer read as the program reads it,
// built once per reader (FUZZ_READER: MetNorwayReader as fuzz_metno,
// BrightSkyReader as fuzz_brightsky). Besides crashes it checks what a reader
// promises of a forecast it accepts: steps in time order, none twice, every
// value within what weather can be.
#include "weather/BrightSkyReader.h"
#include "weather/MetNorwayReader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Check(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Forecast forecast;
    std::string error;
    if (!FUZZ_READER::Read(std::string(reinterpret_cast<const char*>(data), size), forecast, error)) {
        Check(!error.empty() && forecast.hours.empty(), "a refused answer has no reason or changed the forecast");
        return 0;
    }
    Check(!forecast.hours.empty(), "an accepted answer has no step");
    for (std::size_t i = 0; i < forecast.hours.size(); ++i) {
        const ForecastHour& step = forecast.hours[i];
        Check(i == 0 || forecast.hours[i - 1].time < step.time, "steps out of order or twice");
        Check(step.temperature >= -90 && step.temperature <= 60, "a temperature out of range");
        Check(!step.windSpeed || (*step.windSpeed >= 0 && *step.windSpeed <= 120), "a wind out of range");
        Check(!step.windFrom || (*step.windFrom >= 0 && *step.windFrom <= 360), "a direction out of range");
        Check(!step.precipitation || (*step.precipitation >= 0 && *step.precipitation <= 500),
              "a precipitation out of range");
        Check(step.periodHours == 1 || step.periodHours == 6, "a period of neither 1 nor 6 hours");
    }
    return 0;
}
