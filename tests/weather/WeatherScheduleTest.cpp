#include "WeatherFixture.h"

#include "support/ScopedTestClock.h"

#include <fstream>

namespace {

class WeatherSchedule : public WeatherFixture {
protected:
    void SetUp() override
    {
        WeatherFixture::SetUp();
        ASSERT_TRUE(server.Start(ServeBody(WeatherFeeds::Good())));
    }

    void SetStamp(const std::string& stamp)
    {
        TestRegistry::WriteString(App(), "CActionWeather", "szLastUpdate", stamp);
    }
    void SetInterval(DWORD minutes)
    {
        TestRegistry::WriteDword(App(), "CActionWeather", "iUpdateIntervalPictures", minutes);
    }
};

TEST_F(WeatherSchedule, DueOnceTheIntervalHasPassedInWholeMinutes)
{
    ScopedTestClock clock(2004, 3, 7, 14, 19, 59);
    SetStamp("03/07/2004 14:05:00");
    EXPECT_FALSE(action->IsUpdateDue()) << "14 minutes 59 seconds";
    clock.Set(2004, 3, 7, 14, 20, 0);
    EXPECT_TRUE(action->IsUpdateDue()) << "exactly 15 minutes";

    SetInterval(60);
    EXPECT_FALSE(action->IsUpdateDue());
    clock.Set(2004, 3, 7, 15, 5, 0);
    EXPECT_TRUE(action->IsUpdateDue());
}

TEST_F(WeatherSchedule, IntervalZeroMakesEveryCheckDue)
{
    ScopedTestClock clock(2004, 3, 7, 14, 5, 9);
    SetStamp("03/07/2004 14:05:09");
    SetInterval(0);
    EXPECT_TRUE(action->IsUpdateDue());
    action->CheckWeather(false);
    ASSERT_TRUE(view.PumpUntilDone());
    EXPECT_EQ(server.RequestCount(), 1u);
    EXPECT_EQ(view.LastStatus(), "OK !");
}

// A clock that was set back must not stop the weather until it catches up.
TEST_F(WeatherSchedule, StampInTheFutureIsDue)
{
    ScopedTestClock clock(2004, 3, 7, 14, 5, 9);
    SetStamp("03/07/2009 14:05:09");
    EXPECT_TRUE(action->IsUpdateDue());
    SetStamp("03/07/2004 14:06:00");
    EXPECT_TRUE(action->IsUpdateDue());
}

TEST_F(WeatherSchedule, StampThatIsNoDateIsDue)
{
    ScopedTestClock clock(2004, 3, 7, 14, 5, 9);
    SetStamp("yesterday");
    EXPECT_TRUE(action->IsUpdateDue());
}

TEST_F(WeatherSchedule, FirstStartWithoutInternetFetchesNothingUntilForced)
{
    view.noInternet = true;
    // No stamp yet: the default of 1996 makes the update due.
    EXPECT_TRUE(action->IsUpdateDue());
    action->CheckWeather(false);
    EXPECT_FALSE(action->IsUpdateInProgress());
    EXPECT_TRUE(view.Statuses().empty());

    action->CheckWeather(true);
    ASSERT_TRUE(view.PumpUntilDone());
    EXPECT_EQ(server.RequestCount(), 1u);
    EXPECT_EQ(view.LastStatus(), "OK !");
    EXPECT_NE(Stamp(), "");
}

TEST_F(WeatherSchedule, NotDueReloadsTheStoredWeatherWithoutFetching)
{
    ScopedTestClock clock(2004, 3, 7, 14, 10, 0);
    SetStamp("03/07/2004 14:05:09");
    {
        std::ofstream out(action->GetPath(), std::ios::binary);
        out << WeatherFeeds::Other();
    }
    view.selection = "dres";
    action->CheckWeather(false);
    EXPECT_FALSE(action->IsUpdateInProgress());
    ASSERT_TRUE(view.PumpUntil([&] { return view.displayRefreshes > 0; }));
    EXPECT_EQ(view.Cities(), (std::vector<std::string>{"Bremen", "Dresden"}));
    EXPECT_EQ(view.selection, "Dresden");
    EXPECT_EQ(view.weatherText, "sonnig, wolkenlos 3 °"
                                "C\nUpdated: 14:00");
    EXPECT_EQ(server.RequestCount(), 0u);
    EXPECT_TRUE(view.Statuses().empty());
}

TEST_F(WeatherSchedule, ParseWeatherTextSwapsOnlyADocument)
{
    ASSERT_TRUE(action->ParseWeatherText(WeatherFeeds::Good()));
    EXPECT_EQ(view.LastStatus(), "OK !");
    const auto* good = action->GetDocument();
    const int changes = view.documentChanges;

    EXPECT_FALSE(action->ParseWeatherText("<ZORLA><WEATHER><ENTRY>Bonn"));
    EXPECT_EQ(action->GetDocument(), good);
    EXPECT_EQ(view.documentChanges, changes);
    EXPECT_EQ(view.LastStatus().rfind("Error: ", 0), 0u);
    EXPECT_TRUE(view.Statuses().back().transient);

    EXPECT_FALSE(action->ParseWeatherText(""));
    EXPECT_EQ(action->GetDocument(), good);
}

}  // namespace
