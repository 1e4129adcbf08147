// The weather text from a point forecast: which step is now, where local days
// begin, how rain of long steps counts, the beer garden's verdict, and the
// numbers in both languages and both unit systems.
#include "weather/ForecastText.h"
#include "weather/ForecastWords.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kDay0 = 1733702400;  // Monday 9 December 2024, 00:00 universal

ForecastText::ToLocal Offset(int minutes)
{
    return [minutes](std::int64_t time) { return time + minutes * 60; };
}

// Daylight saving begins or ends at the universal time switchAt.
ForecastText::ToLocal Switching(int minutesBefore, int minutesAfter, std::int64_t switchAt)
{
    return [=](std::int64_t time) { return time + (time < switchAt ? minutesBefore : minutesAfter) * 60; };
}

// The universal time of a local hour of 9 December at a fixed offset.
std::int64_t At(double localHour, int offsetMinutes)
{
    return kDay0 + std::llround(localHour * kHour) - offsetMinutes * 60;
}

ForecastHour Step(std::int64_t time, double temperature, double rain = 0, int period = 1, Sky sky = Sky::Unknown,
                  double wind = 2)
{
    ForecastHour step;
    step.time = time;
    step.temperature = temperature;
    step.precipitation = rain;
    step.periodHours = period;
    step.sky = sky;
    step.windSpeed = wind;
    step.windFrom = 270;
    return step;
}

// The line of text that begins with prefix, or "".
std::string LineOf(const std::string& text, const std::string& prefix)
{
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(prefix, 0) == 0)
            return line;
    }
    return "";
}

// One hour of the beer-garden window by its letter (see the table there).
ForecastHour GardenHour(char kind, std::int64_t time)
{
    switch (kind) {
    case 'W': return Step(time, 22);
    case 'e': return Step(time, 16, 0.09, 1, Sky::PartlyCloudy, 8);
    case 'c': return Step(time, 10);
    case 'r': return Step(time, 18, 0.5);
    case 's': return Step(time, 18, 0, 1, Sky::Showers);
    case 'w': return Step(time, 18, 0, 1, Sky::Unknown, 10);
    default: return Step(time, 18);
    }
}

const ForecastTextOptions kEnglish;
const ForecastTextOptions kGerman{true, false, ""};

}  // namespace

TEST(ForecastText, NowIsTheLatestStepAtOrBeforeNowWhileItsPeriodLasts)
{
    struct Row {
        std::vector<double> stepHours;  // local; each step's temperature is its hour
        int period;
        double now;
        const char* expected;
    };
    const Row rows[] = {
        {{12, 13}, 1, 12.9, "Now: 12 °C"},                                     // not the nearer later step
        {{12, 13}, 1, 13, "Now: 13 °C"},   {{12, 13}, 1, 11.5, "Now: 12 °C"},  // before all, within the hour
        {{12, 13}, 1, 10.5, ""},                                               // before all by more than an hour
        {{6, 12}, 6, 11.9, "Now: 6 °C"},                                       // a 6-hour step speaks for its period
        {{6, 8}, 1, 7.5, "Now: 8 °C"},                                         // after a gap, the step about to begin
    };
    for (const Row& row : rows) {
        Forecast forecast;
        for (double hour : row.stepHours)
            forecast.hours.push_back(Step(At(hour, 60), hour, 0, row.period));
        const std::string text = ForecastText::Compose(forecast, At(row.now, 60), 0, Offset(60), kEnglish);
        EXPECT_EQ(LineOf(text, "Now:"), row.expected) << "now at " << row.now;
    }
}

TEST(ForecastText, TodayAndTomorrowSplitAtLocalMidnight)
{
    struct Row {
        const char* zone;
        ForecastText::ToLocal toLocal;
        std::int64_t now;       // 09:00 local
        std::int64_t midnight;  // the universal time at which tomorrow begins locally
    };
    const Row rows[] = {
        {"UTC", Offset(0), kDay0 + 9 * kHour, kDay0 + 24 * kHour},
        {"+01:00", Offset(60), kDay0 + 8 * kHour, kDay0 + 23 * kHour},
        {"-05:00", Offset(-300), kDay0 + 14 * kHour, kDay0 + 29 * kHour},
        {"summer time from 10:00", Switching(60, 120, kDay0 + 10 * kHour), kDay0 + 8 * kHour, kDay0 + 22 * kHour},
        {"winter time from 10:00", Switching(120, 60, kDay0 + 10 * kHour), kDay0 + 7 * kHour, kDay0 + 23 * kHour},
    };
    for (const Row& row : rows) {
        // 5 °C in today's last hour and 25 °C in tomorrow's first mark the border;
        // 30 °C follows tomorrow.
        Forecast forecast;
        for (std::int64_t time = row.now; time < row.midnight + 30 * kHour; time += kHour) {
            double temperature = time < row.midnight ? 10 : time < row.midnight + 24 * kHour ? 20 : 30;
            if (time == row.midnight - kHour)
                temperature = 5;
            if (time == row.midnight)
                temperature = 25;
            forecast.hours.push_back(Step(time, temperature));
        }
        const std::string text = ForecastText::Compose(forecast, row.now, 0, row.toLocal, kEnglish);
        EXPECT_EQ(LineOf(text, "Today:"), "Today: 5 to 10 °C, dry") << row.zone;
        EXPECT_EQ(LineOf(text, "Tomorrow:"), "Tomorrow: 20 to 25 °C, dry") << row.zone;
    }
}

TEST(ForecastText, RainOfSixHourStepsSpreadsOverTheirHours)
{
    struct Row {
        double hourlyRain;      // each hour from 09:00 to 18:00 local
        double sixHourRain[5];  // the steps from 19:00, 01:00, 07:00, 13:00, 19:00 local
        const char* today;
        const char* tomorrow;
    };
    const Row rows[] = {
        {0, {6, 0, 0, 0, 0}, "Today: 5 °C, 5 mm rain", "Tomorrow: 5 °C, 1 mm rain"},  // across midnight
        {0, {0, 0, 3, 0, 0}, "Today: 5 °C, dry", "Tomorrow: 5 °C, 3 mm rain"},        // counted once, not per hour
        {0, {0, 0, 0, 0, 6}, "Today: 5 °C, dry", "Tomorrow: 5 °C, 5 mm rain"},        // the last step's tail
        {0.25, {0, 0, 0, 0, 0}, "Today: 5 °C, 2.5 mm rain", "Tomorrow: 5 °C, dry"},
    };
    for (const Row& row : rows) {
        Forecast forecast;
        for (int hour = 9; hour <= 18; ++hour)
            forecast.hours.push_back(Step(At(hour, 60), 5, row.hourlyRain));
        for (int i = 0; i < 5; ++i)
            forecast.hours.push_back(Step(At(19 + 6 * i, 60), 5, row.sixHourRain[i], 6));
        const std::string text = ForecastText::Compose(forecast, At(9, 60), 0, Offset(60), kEnglish);
        EXPECT_EQ(LineOf(text, "Today:"), row.today);
        EXPECT_EQ(LineOf(text, "Tomorrow:"), row.tomorrow);
    }
}

TEST(ForecastText, BeerGardenNamesTheFirstRunOfGoodHours)
{
    // One letter per hour from 11:00 to 21:00 local: g good at 18 °C, W good at
    // 22 °C, e good just (16 °C, 0.09 mm, wind 8 m/s), c cold, r rain, s showers
    // without a measured amount, w windy. The hours around the window are good.
    struct Row {
        const char* hours;
        double now;  // local hour
        bool german;
        bool fahrenheit;
        int offsetMinutes;
        int minute;  // the steps' minute past the local hour
        const char* expected;
    };
    const Row rows[] = {
        {"ccccccgWccc", 12, false, false, 60, 0, "Beer garden: good from 17:00, 22 °C and dry"},
        {"ccccccgWccc", 12, true, false, 60, 0, "Biergarten: ab 17 Uhr gut, 22 °C und trocken"},
        {"ccccccgWccc", 17.5, false, false, 60, 0, "Beer garden: good now, 22 °C and dry"},
        {"ccccccgWccc", 17.5, true, false, 60, 0, "Biergarten: jetzt gut, 22 °C und trocken"},
        {"ccccccgWccc", 12, true, false, 330, 30, "Biergarten: ab 17:30 Uhr gut, 22 °C und trocken"},
        {"ccccccgWccc", 12, false, true, -300, 0, "Beer garden: good from 17:00, 72 °F and dry"},
        {"ccgrgWccccc", 12, false, false, 60, 0, "Beer garden: good from 15:00, 22 °C and dry"},
        {"cgcccgWcccc", 12, false, false, 60, 0, "Beer garden: good from 16:00, 22 °C and dry"},
        {"cccccWggccc", 17.5, false, false, 60, 0, "Beer garden: good now, 18 °C and dry"},
        {"ccccccceecc", 12, false, false, 60, 0, "Beer garden: good from 18:00, 16 °C and dry"},
        {"ccgcccccccc", 12, false, false, 60, 0, "Beer garden: not today, too cold"},
        {"ccWgccccccc", 15, false, false, 60, 0, "Beer garden: not today, too cold"},
        {"wwwwgwwwwww", 12, true, false, 60, 0, "Biergarten: heute nicht, zu windig"},
        {"ssssssgssss", 12, false, false, 60, 0, "Beer garden: not today, rain"},
        {"rrrrccccccc", 12, true, false, 60, 0, "Biergarten: heute nicht, zu kalt"},
        {"ggggggggggg", 22.5, false, false, 60, 0, ""},
    };
    for (const Row& row : rows) {
        Forecast forecast;
        for (int hour = 8; hour <= 23; ++hour) {
            const char kind = hour >= 11 && hour <= 21 ? row.hours[hour - 11] : 'g';
            const std::int64_t time = At(hour, row.offsetMinutes) + row.minute * 60;
            forecast.hours.push_back(GardenHour(kind, time));
        }
        ForecastTextOptions options{row.german, row.fahrenheit, ""};
        EXPECT_EQ(
            ForecastText::BeerGarden(forecast, At(row.now, row.offsetMinutes), Offset(row.offsetMinutes), options),
            row.expected)
            << row.hours << " at " << row.now;
    }
}

TEST(ForecastText, BeerGardenNeedsTodaysHourlySteps)
{
    Forecast sixHourly;
    for (int hour = 12; hour <= 36; hour += 6)
        sixHourly.hours.push_back(Step(At(hour, 0), 22, 0, 6));
    EXPECT_EQ(ForecastText::BeerGarden(sixHourly, At(11, 0), Offset(0), kEnglish), "");
}

TEST(ForecastText, NumbersRoundAndConvertByUnitAndLanguage)
{
    struct Row {
        bool german;
        bool fahrenheit;
        std::function<std::string(const ForecastWords&)> say;
        const char* expected;
    };
    const Row rows[] = {
        {false, false, [](const ForecastWords& w) { return w.Degrees(-0.4); }, "0 °C"},
        {false, false, [](const ForecastWords& w) { return w.Degrees(21.5); }, "22 °C"},
        {false, false, [](const ForecastWords& w) { return w.Degrees(-0.5); }, "-1 °C"},
        {false, true, [](const ForecastWords& w) { return w.Degrees(3); }, "37 °F"},
        {false, true, [](const ForecastWords& w) { return w.Degrees(-17.9); }, "0 °F"},
        {false, false, [](const ForecastWords& w) { return w.RainAmount(2.5); }, "2.5 mm rain"},
        {true, false, [](const ForecastWords& w) { return w.RainAmount(2.5); }, "2,5 mm Regen"},
        {true, false, [](const ForecastWords& w) { return w.RainAmount(12.04); }, "12 mm Regen"},
        {true, false, [](const ForecastWords& w) { return w.RainAmount(0.04); }, "trocken"},
        {false, true, [](const ForecastWords& w) { return w.RainAmount(2.54); }, "0.1 in rain"},
        {false, true, [](const ForecastWords& w) { return w.RainAmount(0.5); }, "0.02 in rain"},
        {false, false, [](const ForecastWords& w) { return w.Wind(3.33, 270.0); }, "Wind 12 km/h from the west"},
        {true, false, [](const ForecastWords& w) { return w.Wind(3.33, 270.0); }, "Wind 12 km/h aus West"},
        {true, false, [](const ForecastWords& w) { return w.Wind(5, 350.0); }, "Wind 18 km/h aus Nord"},
        {false, true, [](const ForecastWords& w) { return w.Wind(5, 135.0); }, "Wind 11 mph from the southeast"},
        {false, false, [](const ForecastWords& w) { return w.Wind(0.9, 90.0); }, "Calm"},
        {true, false, [](const ForecastWords& w) { return w.Wind(0.9, 90.0); }, "Windstill"},
        {true, false, [](const ForecastWords& w) { return w.Now(-3.2, Sky::PartlyCloudy); },
         "Jetzt: -3 °C, teilweise bewölkt"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.say(ForecastWords(row.german, row.fahrenheit)), row.expected);
}

TEST(ForecastText, ComposesTheLinesInOrder)
{
    // Monday 9 December at +01:00: cold and grey, rain at night.
    Forecast forecast;
    for (int hour = 14; hour < 24 + 24; ++hour) {
        const double temperature = 4.2 + 3 * std::sin((hour - 9) * 3.14159265358979 / 12);
        const double rain = hour >= 22 && hour < 26 ? 0.6 : 0;
        forecast.hours.push_back(Step(At(hour, 60), temperature, rain, 1, rain > 0 ? Sky::Rain : Sky::Cloudy, 4));
    }
    struct Row {
        double now;
        double fetched;
        ForecastTextOptions options;
        const char* expected;
    };
    const Row rows[] = {
        {14.1,
         14.09,
         {false, false, "Data: MET Norway"},
         "Now: 7 °C, cloudy\nWind 14 km/h from the west\nToday: 3 to 7 °C, 1.2 mm rain\n"
         "Tomorrow: 1 to 7 °C, cloudy, 1.2 mm rain\nBeer garden: not today, too cold\nas of 14:05\nData: MET Norway"},
        {20.5,
         -3,
         {true, false, ""},
         "Jetzt: 5 °C, bewölkt\nWind 14 km/h aus West\nHeute Nacht: bis 1 °C, 2,4 mm Regen\n"
         "Morgen: 1 bis 7 °C, bewölkt, 1,2 mm Regen\nBiergarten: heute nicht, zu kalt\nStand 8.12., 21:00"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ForecastText::Compose(forecast, At(row.now, 60), At(row.fetched, 60), Offset(60), row.options),
                  row.expected);
    }
}

TEST(ForecastText, NothingToSayWithoutCurrentSteps)
{
    Forecast old;
    old.hours.push_back(Step(At(10, 0), 5));
    old.hours.push_back(Step(At(11, 0), 5));
    EXPECT_EQ(ForecastText::Compose(Forecast{}, At(12, 0), At(11, 0), Offset(0), kEnglish), "");
    EXPECT_EQ(ForecastText::Compose(old, At(12.1, 0), At(11, 0), Offset(0), kEnglish), "");
    EXPECT_NE(ForecastText::Compose(old, At(11.9, 0), At(11, 0), Offset(0), kEnglish), "");
}
