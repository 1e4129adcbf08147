// MET Norway's Locationforecast answers, good and hostile, as the reader takes them.
#include "weather/core/StepLines.h"
#include "weather/IsoTime.h"
#include "weather/MetNorwayReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

// A step of the timeseries: its time, the instant's details and what follows them in "data".
std::string Step(const std::string& time, const std::string& details, const std::string& periods = "")
{
    return "{\"time\":" + time + ",\"data\":{\"instant\":{\"details\":{" + details + "}}" +
           (periods.empty() ? "" : "," + periods) + "}}";
}

std::string Answer(const std::string& steps)
{
    return "{\"type\":\"Feature\",\"properties\":{\"meta\":{\"updated_at\":\"2026-12-09T05:41:12Z\"},"
           "\"timeseries\":[" +
           steps + "]}}";
}

const std::string kSix = "\"2026-12-09T06:00:00Z\"";
const std::string kSeven = "\"2026-12-09T07:00:00Z\"";

struct Case {
    const char* what;
    std::string body;
    std::string expected;  // the steps as ForecastText writes them, or "error: <the error>"
};

// Faults caught: a throw or crash on a broken or hostile answer, a step with a
// broken time or temperature kept, a value no weather has kept, wrong types read
// as values, steps left out of order or twice, and a bad answer accepted.
TEST(MetNorwayReader, TakesOnlyWhatAHostileAnswerHoldsOfAForecast)
{
    const Case cases[] = {
        {"an HTML error page", "<html><body>503 Service Unavailable</body></html>", "error: the answer is not JSON"},
        {"nothing", "", "error: the answer is not JSON"},
        {"a cut answer", Answer(Step(kSix, "\"air_temperature\":1")).substr(0, 60), "error: the answer is not JSON"},
        {"text that is not UTF-8", Answer(Step("\"2026-12-09T06:00:00Z\xff\"", "\"air_temperature\":1")),
         "error: the answer is not JSON"},
        {"an array", "[1,2,3]", "error: the answer holds no forecast"},
        {"properties as text", "{\"properties\":\"timeseries\"}", "error: the answer holds no forecast"},
        {"timeseries as an object", "{\"properties\":{\"timeseries\":{}}}", "error: the answer holds no forecast"},
        {"no timeseries", "{\"properties\":{\"meta\":{}}}", "error: the answer holds no forecast"},
        {"an empty timeseries", Answer(""), "error: the answer holds no usable forecast step"},
        {"steps of every wrong type",
         Answer("1,\"step\",null,[],true,{\"time\":5},{\"time\":" + kSix + ",\"data\":\"x\"}," +
                Step(kSix, "\"air_temperature\":\"3\"") + "," + Step(kSix, "\"air_temperature\":null") + "," +
                Step(kSix, "\"air_temperature\":[3]")),
         "error: the answer holds no usable forecast step"},
        {"times that are no times",
         Answer(Step("\"2026-13-09T06:00:00Z\"", "\"air_temperature\":1") + "," +
                Step("\"2026-12-09T06:00:00\"", "\"air_temperature\":2") + "," +
                Step("\"tomorrow\"", "\"air_temperature\":3") + "," + Step(kSeven, "\"air_temperature\":4")),
         "07:00 4 w- d- p- 1h Unknown"},
        {"temperatures no weather has",
         Answer(Step("\"2026-12-09T05:00:00Z\"", "\"air_temperature\":-90.5") + "," +
                Step(kSix, "\"air_temperature\":60") + "," + Step(kSeven, "\"air_temperature\":1e300")),
         "06:00 60 w- d- p- 1h Unknown"},
        {"a number past a double", Answer(Step(kSix, "\"air_temperature\":1e999")), "error: the answer is not JSON"},
        {"wind, direction and rain out of range dropped",
         Answer(Step(kSix, "\"air_temperature\":1,\"wind_speed\":-0.1,\"wind_from_direction\":361",
                     "\"next_1_hours\":{\"summary\":{\"symbol_code\":\"rain\"},"
                     "\"details\":{\"precipitation_amount\":500.5}}") +
                "," +
                Step(kSeven, "\"air_temperature\":2,\"wind_speed\":120,\"wind_from_direction\":360",
                     "\"next_1_hours\":{\"details\":{\"precipitation_amount\":500}}")),
         "06:00 1 w- d- p- 1h Rain; 07:00 2 w120 d360 p500 1h Unknown"},
        {"values of the wrong type left out",
         Answer(Step(kSix, "\"air_temperature\":1,\"wind_speed\":\"3\",\"wind_from_direction\":null",
                     "\"next_1_hours\":{\"summary\":{\"symbol_code\":7},\"details\":[]},"
                     "\"next_6_hours\":{\"summary\":\"fog\",\"details\":{\"precipitation_amount\":\"2\"}}")),
         "06:00 1 w- d- p- 1h Unknown"},
        {"an unknown symbol",
         Answer(Step(kSix, "\"air_temperature\":1",
                     "\"next_1_hours\":{\"summary\":"
                     "{\"symbol_code\":\"meteors_day\"}}")),
         "06:00 1 w- d- p- 1h Unknown"},
        {"steps out of order and twice",
         Answer(Step(kSeven, "\"air_temperature\":7") + "," + Step(kSix, "\"air_temperature\":6") + "," +
                Step(kSeven, "\"air_temperature\":8")),
         "06:00 6 w- d- p- 1h Unknown; 07:00 7 w- d- p- 1h Unknown"},
        {"a zone other than universal time", Answer(Step("\"2026-12-09T08:00:00+02:00\"", "\"air_temperature\":1")),
         "06:00 1 w- d- p- 1h Unknown"},
        {"deep nesting", std::string(100000, '[') + std::string(100000, ']'), "error: the answer is nested too deeply"},
        {"deep nesting inside a step",
         Answer(Step(kSix, "\"air_temperature\":1,\"x\":" + std::string(70, '[') + std::string(70, ']'))),
         "error: the answer is nested too deeply"},
        {"brackets inside a string are no nesting",
         Answer(Step(kSix, "\"air_temperature\":1,\"x\":\"" + std::string(100, '[') + "\\\"\"")),
         "06:00 1 w- d- p- 1h Unknown"},
        {"a body past 8 MB", Answer(Step(kSix, "\"air_temperature\":1")) + std::string(8 * 1024 * 1024, ' '),
         "error: the answer is too large"},
    };
    for (const Case& c : cases) {
        Forecast forecast;
        forecast.updated = 42;
        std::string error;
        const bool read = MetNorwayReader::Read(c.body, forecast, error);
        EXPECT_EQ(read ? ForecastText(forecast) : "error: " + error, c.expected) << c.what;
        if (!read)
            EXPECT_EQ(forecast.updated, 42) << c.what << ": a refused answer changed the forecast";
    }
}

// Faults caught: a symbol mapped onto the wrong sky (thunder read as rain,
// showers as rain, sleet as snow), the sun's part of a name not ignored.
TEST(MetNorwayReader, MapsEverySymbolOntoItsSky)
{
    const struct {
        const char* symbol;
        Sky sky;
    } cases[] = {
        {"clearsky_day", Sky::Clear},
        {"clearsky_polartwilight", Sky::Clear},
        {"fair_night", Sky::Fair},
        {"partlycloudy_day", Sky::PartlyCloudy},
        {"cloudy", Sky::Cloudy},
        {"fog", Sky::Fog},
        {"lightrain", Sky::LightRain},
        {"rain", Sky::Rain},
        {"heavyrain", Sky::HeavyRain},
        {"lightrainshowers_day", Sky::Showers},
        {"heavyrainshowers_night", Sky::Showers},
        {"sleet", Sky::Sleet},
        {"lightsleetshowers_day", Sky::Sleet},
        {"heavysnow", Sky::Snow},
        {"snowshowers_polartwilight", Sky::Snow},
        {"rainandthunder", Sky::Thunder},
        {"lightssnowshowersandthunder_day", Sky::Thunder},
        {"heavysleetshowersandthunder_night", Sky::Thunder},
        {"", Sky::Unknown},
        {"_day", Sky::Unknown},
        {"sunny", Sky::Unknown},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(SkyName(MetNorwayReader::SkyOfSymbol(c.symbol)), SkyName(c.sky)) << c.symbol;
}

// Faults caught: the next hour's part not preferred over the next six hours',
// the six hours' part not used further out (or its period not said), the
// instant values or the time of making misread from an answer as the service
// sends it.
TEST(MetNorwayReader, ReadsAForecastAsTheServiceSendsIt)
{
    std::ifstream file(ZORLA_TESTS_DIR "/weather/core/data/metno-compact.json", std::ios::binary);
    ASSERT_TRUE(file) << "the sample answer is missing";
    std::stringstream body;
    body << file.rdbuf();

    Forecast forecast;
    std::string error;
    ASSERT_TRUE(MetNorwayReader::Read(body.str(), forecast, error)) << error;
    EXPECT_EQ(IsoTime::Format(forecast.updated), "2026-12-09T05:41:12Z");
    ASSERT_EQ(forecast.hours.size(), 6u);
    EXPECT_EQ(IsoTime::Format(forecast.hours[0].time), "2026-12-09T06:00:00Z");
    EXPECT_EQ(StepText(forecast.hours[0]), "06:00 -2.3 w1.8 d245.6 p0 1h Clear");
    EXPECT_EQ(StepText(forecast.hours[2]), "08:00 -0.8 w3.4 d262.9 p0.3 1h Showers");
    EXPECT_EQ(IsoTime::Format(forecast.hours[3].time), "2026-12-11T06:00:00Z");
    EXPECT_EQ(StepText(forecast.hours[3]), "06:00 3.6 w6.7 d201.3 p7.9 6h Thunder");
    EXPECT_EQ(StepText(forecast.hours[4]), "12:00 4.1 w5.9 d215 p0 6h Cloudy");
    // The last steps tell only the instant.
    EXPECT_EQ(StepText(forecast.hours[5]), "06:00 -4.4 w2 d11.3 p- 1h Unknown");
}

}  // namespace
