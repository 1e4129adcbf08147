// Bright Sky's /weather answers, good and hostile, as the reader takes them.
#include "weather/BrightSkyReader.h"
#include "weather/core/StepLines.h"
#include "weather/IsoTime.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

// An hour of the answer: its timestamp, then its other fields.
std::string Hour(const std::string& timestamp, const std::string& fields)
{
    return "{\"timestamp\":" + timestamp + (fields.empty() ? "" : "," + fields) + "}";
}

std::string Answer(const std::string& hours)
{
    return "{\"weather\":[" + hours + "],\"sources\":[{\"id\":1,\"observation_type\":\"forecast\"}]}";
}

const std::string kSix = "\"2026-12-09T06:00:00+00:00\"";
const std::string kSeven = "\"2026-12-09T07:00:00+00:00\"";

struct Case {
    const char* what;
    std::string body;
    std::string expected;  // the steps as ForecastText writes them, or "error: <the error>"
};

// Faults caught: a throw or crash on a broken or hostile answer, a step with a
// broken time or a null temperature kept, km/h taken for m/s before the range
// check, a value no weather has kept, wrong types read as values, steps left
// out of order or twice, and an icon, condition or cloud cover read as the
// wrong sky.
TEST(BrightSkyReader, TakesOnlyWhatAHostileAnswerHoldsOfAForecast)
{
    const Case cases[] = {
        {"an HTML error page", "<html>Bad Gateway</html>", "error: the answer is not JSON"},
        {"a cut answer", Answer(Hour(kSix, "\"temperature\":1")).substr(0, 30), "error: the answer is not JSON"},
        {"an error answer", "{\"title\":\"Not Found\",\"detail\":\"No sources match your criteria\"}",
         "error: the answer holds no forecast"},
        {"weather as an object", "{\"weather\":{\"timestamp\":" + kSix + ",\"temperature\":1}}",
         "error: the answer holds no forecast"},
        {"an empty weather", Answer(""), "error: the answer holds no usable forecast step"},
        {"hours of every wrong type",
         Answer("1,\"hour\",null,[],{\"timestamp\":1},{\"temperature\":2}," + Hour(kSix, "\"temperature\":\"3\"") +
                "," + Hour(kSix, "\"temperature\":null") + "," + Hour(kSix, "\"temperature\":{}")),
         "error: the answer holds no usable forecast step"},
        {"times that are no times",
         Answer(Hour("\"2026-02-29T06:00:00+00:00\"", "\"temperature\":1") + "," +
                Hour("\"2026-12-09 06:00\"", "\"temperature\":2") + "," +
                Hour("\"2026-12-09T06:00:00+24:00\"", "\"temperature\":3") + "," + Hour(kSeven, "\"temperature\":4")),
         "07:00 4 w- d- p- 1h Unknown"},
        {"temperatures no weather has",
         Answer(Hour(kSix, "\"temperature\":60.1") + "," + Hour(kSeven, "\"temperature\":-90")),
         "07:00 -90 w- d- p- 1h Unknown"},
        {"km/h turned into m/s before the range is checked",
         Answer(Hour(kSix, "\"temperature\":1,\"wind_speed\":432,\"wind_direction\":0") + "," +
                Hour(kSeven, "\"temperature\":2,\"wind_speed\":432.4,\"wind_direction\":-1")),
         "06:00 1 w120 d0 p- 1h Unknown; 07:00 2 w- d- p- 1h Unknown"},
        {"rain out of range and nulls dropped",
         Answer(Hour(kSix, "\"temperature\":1,\"precipitation\":-0.1,\"wind_speed\":null,\"wind_direction\":null,"
                           "\"icon\":null,\"condition\":null,\"cloud_cover\":null")),
         "06:00 1 w- d- p- 1h Unknown"},
        {"values of the wrong type left out",
         Answer(Hour(kSix, "\"temperature\":1,\"precipitation\":\"0\",\"wind_speed\":[1],\"wind_direction\":{},"
                           "\"icon\":5,\"condition\":true,\"cloud_cover\":\"100\"")),
         "06:00 1 w- d- p- 1h Unknown"},
        {"huge numbers", Answer(Hour(kSix, "\"temperature\":1,\"wind_speed\":1e308,\"cloud_cover\":1e308")),
         "06:00 1 w- d- p- 1h Unknown"},
        {"steps out of order and twice, across zones",
         Answer(Hour(kSeven, "\"temperature\":7") + "," + Hour("\"2026-12-09T07:00:00+01:00\"", "\"temperature\":6") +
                "," + Hour("\"2026-12-09T08:00:00+01:00\"", "\"temperature\":8")),
         "06:00 6 w- d- p- 1h Unknown; 07:00 7 w- d- p- 1h Unknown"},
        {"the icon before the condition",
         Answer(Hour(kSix, "\"temperature\":1,\"icon\":\"clear-night\",\"condition\":\"fog\"")),
         "06:00 1 w- d- p- 1h Clear"},
        {"the condition when the icon tells nothing of the sky",
         Answer(Hour(kSix, "\"temperature\":1,\"icon\":\"wind\",\"condition\":\"sleet\"") + "," +
                Hour(kSeven, "\"temperature\":1,\"icon\":\"tornado\",\"condition\":\"hail\"")),
         "06:00 1 w- d- p- 1h Sleet; 07:00 1 w- d- p- 1h Showers"},
        {"the cloud cover when neither tells it",
         Answer(Hour("\"2026-12-09T01:00:00Z\"", "\"temperature\":1,\"icon\":\"wind\",\"cloud_cover\":10") + "," +
                Hour("\"2026-12-09T02:00:00Z\"", "\"temperature\":1,\"condition\":\"dry\",\"cloud_cover\":30") + "," +
                Hour("\"2026-12-09T03:00:00Z\"", "\"temperature\":1,\"cloud_cover\":75") + "," +
                Hour("\"2026-12-09T04:00:00Z\"", "\"temperature\":1,\"cloud_cover\":76") + "," +
                Hour("\"2026-12-09T05:00:00Z\"", "\"temperature\":1,\"cloud_cover\":101")),
         "01:00 1 w- d- p- 1h Clear; 02:00 1 w- d- p- 1h Fair; 03:00 1 w- d- p- 1h PartlyCloudy; "
         "04:00 1 w- d- p- 1h Cloudy; 05:00 1 w- d- p- 1h Unknown"},
        {"rain by its amount",
         Answer(Hour("\"2026-12-09T01:00:00Z\"", "\"temperature\":1,\"icon\":\"rain\",\"precipitation\":0.4") + "," +
                Hour("\"2026-12-09T02:00:00Z\"", "\"temperature\":1,\"icon\":\"rain\",\"precipitation\":4") + "," +
                Hour("\"2026-12-09T03:00:00Z\"", "\"temperature\":1,\"icon\":\"rain\",\"precipitation\":4.1") + "," +
                Hour("\"2026-12-09T04:00:00Z\"", "\"temperature\":1,\"condition\":\"thunderstorm\"")),
         "01:00 1 w- d- p0.4 1h LightRain; 02:00 1 w- d- p4 1h Rain; 03:00 1 w- d- p4.1 1h HeavyRain; "
         "04:00 1 w- d- p- 1h Thunder"},
        {"deep nesting", std::string(50000, '{'), "error: the answer is nested too deeply"},
    };
    for (const Case& c : cases) {
        Forecast forecast;
        std::string error;
        const bool read = BrightSkyReader::Read(c.body, forecast, error);
        EXPECT_EQ(read ? ForecastText(forecast) : "error: " + error, c.expected) << c.what;
    }
}

// Faults caught: the zone of a timestamp ignored, wind left in km/h, the
// icons of a real answer mapped wrong, nulls of a real answer refused.
TEST(BrightSkyReader, ReadsAForecastAsTheServiceSendsIt)
{
    std::ifstream file(ZORLA_TESTS_DIR "/weather/core/data/brightsky-weather.json", std::ios::binary);
    ASSERT_TRUE(file) << "the sample answer is missing";
    std::stringstream body;
    body << file.rdbuf();

    Forecast forecast;
    std::string error;
    ASSERT_TRUE(BrightSkyReader::Read(body.str(), forecast, error)) << error;
    EXPECT_EQ(forecast.updated, 0);
    ASSERT_EQ(forecast.hours.size(), 4u);
    EXPECT_EQ(IsoTime::Format(forecast.hours[0].time), "2026-12-09T06:00:00Z");
    EXPECT_EQ(StepText(forecast.hours[0]), "06:00 3.8 w5 d230 p1.4 1h Rain");
    EXPECT_EQ(StepText(forecast.hours[1]), "07:00 4.2 w4 d250 p0 1h PartlyCloudy");
    EXPECT_EQ(StepText(forecast.hours[2]), "08:00 5 w12 d270 p0 1h Fair");
    EXPECT_EQ(StepText(forecast.hours[3]), "09:00 0.4 w- d- p0.6 1h Snow");
}

}  // namespace
