// The weather of any place: typing into the weather view's city box offers the
// world's places, taking one asks an open service for its weather, whose text,
// source and status a screen reader finds too, and the place stays chosen.
#include "MainWindowFixture.h"

#include "support/AccessibleTexts.h"
#include "support/HttpTestServer.h"
#include "support/MessagePump.h"

#include <ctime>

namespace {

// A Locationforecast answer of 48 hours from the last full hour, at temperature.
std::string MetAnswer(double temperature)
{
    std::string series;
    const std::time_t start = std::time(nullptr) / 3600 * 3600;
    for (int hour = 0; hour < 48; ++hour) {
        const std::time_t at = start + hour * 3600;
        char time[32];
        std::strftime(time, sizeof time, "%Y-%m-%dT%H:%M:%SZ", std::gmtime(&at));
        series += std::string(hour ? "," : "") + R"({"time":")" + time +
                  R"(","data":{"instant":{"details":{"air_temperature":)" + std::to_string(temperature) +
                  R"(,"wind_speed":3.0,"wind_from_direction":270}},"next_1_hours":{"summary":)"
                  R"({"symbol_code":"clearsky_day"},"details":{"precipitation_amount":0.0}}}})";
    }
    return R"({"type":"Feature","properties":{"meta":{"updated_at":"2026-12-09T06:00:00Z"},"timeseries":[)" + series +
           "]}}";
}

// 21.4 °C as the user's locale measures it.
std::string Warm()
{
    wchar_t system[4] = L"";
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, system, 4);
    return system[0] == L'1' ? "71 °F" : "21 °C";
}

class WeatherPlaces : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_TRUE(server.Start(ServeBody(MetAnswer(21.4)), 8481));
        TestRegistry::WriteString(App(), "WeatherProviders", "Order", "metno");
        TestRegistry::WriteString(App(), "WeatherProviders", "metno", "http://127.0.0.1:8481/compact");
    }
    void TearDown() override
    {
        MainWindowFixture::TearDown();
        server.Stop();
        ::CoUninitialize();
    }

    bool PumpUntilShown(const std::string& part)
    {
        return PumpMessagesUntil([&] { return dlg->Face().GetWeatherText().find(part) != std::string::npos; }, 20000);
    }
    void Type(const char* text)
    {
        HWND box = Item(IDC_CITY_LIST);
        ::SetWindowTextW(box, Widen(text).c_str());
        ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_CITY_LIST, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(box));
    }
    void PressInTheBox(WPARAM key)
    {
        HWND edit = ::GetWindow(Item(IDC_CITY_LIST), GW_CHILD);
        MSG message{edit, WM_KEYDOWN, key, 1, 0, {}};
        if (!CWnd::WalkPreTranslateTree(&message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        PumpPendingMessages();
    }
    HttpTestServer server;
};

}  // namespace

TEST_F(WeatherPlaces, ATypedPlaceIsOfferedTakenAskedForAndKept)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    // The view opened without weather counts as asking for the chosen city's.
    dlg->GoWeather();
    ASSERT_TRUE(PumpUntilShown("Data: MET Norway"));
    ASSERT_EQ(server.RequestCount(), 1u);
    EXPECT_NE(server.Requests()[0].Target().find("/compact?lat=48.1"), std::string::npos) << "München";
    EXPECT_EQ(server.Requests()[0].Header("User-Agent").rfind("Zorla/", 0), 0u);
    EXPECT_EQ(dlg->Face().GetStatusText(), "Weather from MET Norway");
    EXPECT_EQ(AccessibleTexts(window),
              (std::vector<std::string>{"Weather from MET Norway", dlg->Face().GetWeatherText()}));

    // Escape leaves the offered places for the usual list, in the weather view.
    Type("krak");
    EXPECT_EQ(Cities().at(0), "Kraków, PL");
    PressInTheBox(VK_ESCAPE);
    EXPECT_EQ(dlg->Face().GetView(), MainView::Weather);
    EXPECT_EQ(Cities(), (std::vector<std::string>{"München"}));

    Type("lodz");
    ASSERT_FALSE(Cities().empty());
    EXPECT_EQ(Cities()[0], "Łódź, PL");
    PressInTheBox(VK_RETURN);
    EXPECT_EQ(dlg->program.Model().City(), "Łódź");
    ASSERT_TRUE(server.WaitForRequests(2, 10000));
    EXPECT_NE(server.Requests()[1].Target().find("lat=51.7"), std::string::npos);
    EXPECT_TRUE(PumpUntilShown(Warm())) << dlg->Face().GetWeatherText();

    // Kept: after a restart the place leads the list and its weather shows
    // without a question, being younger than the service's interval.
    Close();
    ASSERT_NO_FATAL_FAILURE(Open());
    dlg->GoWeather();
    ASSERT_TRUE(PumpUntilShown(Warm()));
    EXPECT_EQ(Cities().at(0), "Łódź");
    EXPECT_EQ(server.RequestCount(), 2u);
}
