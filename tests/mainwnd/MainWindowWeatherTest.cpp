// The main window's own weather wiring: its schedule timer starts the download,
// its handler takes the worker's outcome, its display timer fills the city list,
// the list's selection reaches the weather text, and the chosen city and the
// weather are kept when the window goes.
#include "MainWindowFixture.h"

#include "framework/Utf8.h"
#include "app/CompanionTimers.h"
#include "mainwnd/MainTimers.h"
#include "support/HttpTestServer.h"
#include "support/MessagePump.h"
#include "support/ScopedTestClock.h"
#include "support/TestFiles.h"
#include "weather/WeatherFeeds.h"

namespace {

class MainWindowWeather : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(server.Start(ServeBody(WeatherFeeds::Good())));
    }
    void TearDown() override
    {
        MainWindowFixture::TearDown();
        server.Stop();
    }

    void OpenOnTestServer()
    {
        TestRegistry::WriteString(App(), "CActionWeather", "FeedUrl", WeatherFeeds::WEATHER_URL);
        ASSERT_NO_FATAL_FAILURE(Open());
    }
    WeatherService& Weather() { return dlg->program.Model().Weather(); }

    void ScheduleTick() { SendMessageA(dlg->program.GetSafeHwnd(), WM_TIMER, TimerWeather, 0); }
    // Pumps until the window has taken the running download's outcome in.
    bool PumpUntilDone()
    {
        return PumpMessagesUntil([&] { return !Weather().IsUpdateInProgress(); }, 30000);
    }
    bool PumpUntilCities(size_t count)
    {
        return PumpMessagesUntil([&] { return Cities().size() == count; }, 5000);
    }
    void Choose(const char* city)
    {
        HWND list = Item(IDC_CITY_LIST);
        SendMessageA(list, CB_SETCURSEL,
                     SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(Widen(city).c_str())),
                     0);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_CITY_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }

    HttpTestServer server;
};

const char kBremen[] = "sonnig, wolkenlos 8 °"
                       "C\nUpdated: 14:00";
const char kHamburg[] = "sonnig, wolkenlos 9 °"
                        "C\nUpdated: 14:00";

}  // namespace

TEST_F(MainWindowWeather, ScheduleFetchesTheListShowsTheRememberedCityAndTheChoiceIsKept)
{
    ScopedTestClock clock(2004, 3, 7, 14, 5, 9);
    TestRegistry::WriteString(App(), "CZorlaDlg", "strCurWeatherComobSelectionID", "Bremen");
    TestRegistry::WriteDword(App(), "CZorlaDlg", "bNoInetConnect", 0);
    ASSERT_NO_FATAL_FAILURE(OpenOnTestServer());

    ScheduleTick();
    EXPECT_TRUE(Weather().IsUpdateInProgress()) << "no stamp yet: the update is due";
    ASSERT_TRUE(PumpUntilDone());
    ASSERT_TRUE(PumpUntilCities(5));
    EXPECT_EQ(server.RequestCount(), 1u);
    EXPECT_EQ(Cities(), (std::vector<std::string>{"Berlin", "Bremen", "Hamburg", "Köln", "München"}));
    EXPECT_EQ(SelectedCity(), "Bremen");
    EXPECT_EQ(dlg->program.Model().City(), "Bremen");
    EXPECT_EQ(dlg->Face().GetWeatherText(), kBremen);
    EXPECT_EQ(RegistryString("CActionWeather", "szLastUpdate"), "03/07/2004 14:05:09");

    dlg->GoWeather();
    Choose("Hamburg");
    EXPECT_EQ(dlg->program.Model().City(), "Hamburg");
    EXPECT_EQ(dlg->Face().GetWeatherText(), kHamburg);

    // The download saved the weather already; the window must save it again.
    const std::string file = folder.File("Zorla_Weather");
    ASSERT_TRUE(DeleteFileA(file.c_str()));
    Close();
    EXPECT_EQ(RegistryString("CZorlaDlg", "strCurWeatherComobSelectionID"), "Hamburg");
    EXPECT_NE(TestFiles::Bytes(file).find("<ENTRY>Hamburg<WEATHER>sonnig</WEATHER>"), std::string::npos);
}

TEST_F(MainWindowWeather, WithoutInternetTheStoredWeatherShowsAndOnlyTheSwitchOrTheCommandFetch)
{
    ScopedTestClock clock(2004, 3, 7, 14, 5, 9);
    ASSERT_TRUE(TestFiles::Write(folder.File("Zorla_Weather"), WeatherFeeds::Other()));
    ASSERT_NO_FATAL_FAILURE(OpenOnTestServer());
    ASSERT_EQ(dlg->Switches().noInternet, 1) << "a fresh user forbids the internet";

    // Due (no stamp yet) but forbidden: the weather stored at start is shown.
    ScheduleTick();
    EXPECT_FALSE(Weather().IsUpdateInProgress());
    ASSERT_TRUE(PumpUntilCities(2));
    EXPECT_EQ(Cities(), (std::vector<std::string>{"Bremen", "Dresden"}));
    EXPECT_EQ(server.RequestCount(), 0u);

    Command(ID_NO_INTERNET);
    ScheduleTick();
    EXPECT_TRUE(Weather().IsUpdateInProgress());
    ASSERT_TRUE(PumpUntilDone());
    ASSERT_TRUE(PumpUntilCities(5));
    EXPECT_EQ(server.RequestCount(), 1u);
    EXPECT_EQ(SelectedCity(), "München") << "the default city";

    // Forbidden again (and not due before 14:20): only the command fetches.
    server.SetHandler(ServeBody(WeatherFeeds::Document(WeatherFeeds::Entry("Dresden", "3"))));
    Command(ID_NO_INTERNET);
    ScheduleTick();
    EXPECT_FALSE(Weather().IsUpdateInProgress());
    Command(ID_UPDATE_WEATHER);
    EXPECT_TRUE(Weather().IsUpdateInProgress());
    ASSERT_TRUE(PumpUntilDone());
    ASSERT_TRUE(PumpUntilCities(1));
    EXPECT_EQ(server.RequestCount(), 2u);
}

TEST_F(MainWindowWeather, RefreshArrowBesideTheListFetchesEvenWithoutInternet)
{
    ASSERT_NO_FATAL_FAILURE(OpenOnTestServer());
    dlg->GoWeather();
    // The arrow lies beside the list: a click there reaches the picture.
    const POINT arrow{302, 226};
    ASSERT_EQ(ChildWindowFromPointEx(window, arrow, CWP_SKIPINVISIBLE), window);

    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrow.x, arrow.y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(arrow.x, arrow.y));
    EXPECT_TRUE(Weather().IsUpdateInProgress());
    ASSERT_TRUE(PumpUntilDone());
    ASSERT_TRUE(PumpUntilCities(5));
    EXPECT_EQ(server.RequestCount(), 1u);
}
