// The real Zorla.exe against stand-ins of the weather services over HTTPS, which
// tests/e2e/with_weather_services.sh starts (its suite ends in Child, so only
// that script runs it): a place typed into the weather view gets its weather
// from the first service that answers, each service is asked as its terms ask,
// and a service that fails leaves the weather shown.
#include "framework/Utf8.h"
#include "resource.h"
#include "support/AccessibleTexts.h"
#include "support/RunningZorla.h"
#include "support/TestAuthority.h"
#include "support/TestFiles.h"
#include "support/TestRegistry.h"
#include "support/ZorlaCopy.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const POINT kWeatherItem{270, 300};

std::string StandIn(const std::string& file)
{
    const char* folder = std::getenv("ZORLA_STAND_INS");
    return std::string(folder ? folder : ".") + "\\" + file;
}

// What the stand-in service answers from now on: a status, or a temperature.
void Tell(const std::string& service, const std::string& what, const std::string& value)
{
    std::ofstream(StandIn(service + "." + what)) << value;
}

struct Request {
    std::string service, path, agent, modifiedSince;
};

std::vector<Request> Requests()
{
    std::vector<Request> requests;
    std::ifstream log(StandIn("requests.log"));
    std::string line;
    while (std::getline(log, line)) {
        std::istringstream fields(line);
        Request request;
        std::getline(fields, request.service, '\t');
        std::getline(fields, request.path, '\t');
        std::getline(fields, request.agent, '\t');
        std::getline(fields, request.modifiedSince, '\t');
        requests.push_back(request);
    }
    return requests;
}

std::vector<Request> RequestsTo(const std::string& service, std::size_t from = 0)
{
    std::vector<Request> found;
    const std::vector<Request> all = Requests();
    for (std::size_t i = from; i < all.size(); ++i)
        if (all[i].service == service)
            found.push_back(all[i]);
    return found;
}

void Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_BLOCK, 5000, &ignored);
}

// Both texts shown, the status line beginning with status and the weather text
// holding weather; what was shown last, for the failure's message.
bool WaitForTexts(HWND main, const std::string& status, const std::string& weather, std::string& shown)
{
    return WaitUntil(
        [&] {
            const std::vector<std::string> texts = AccessibleTexts(main);
            shown.clear();
            for (const std::string& text : texts)
                shown += "[" + text + "]";
            return texts.size() == 2 && texts[0].rfind(status, 0) == 0 && texts[1].find(weather) != std::string::npos;
        },
        30000);
}

// Types into the weather view's city box as the keyboard would, and takes the
// first place offered with Enter once it is the one expected.
bool TypeAndTake(HWND main, const std::string& typed, const std::string& offered)
{
    HWND box = GetDlgItem(main, IDC_CITY_LIST);
    HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
    Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    for (unsigned char c : typed)
        PostMessageW(edit, WM_CHAR, c, 1);
    const bool shown = WaitUntil(
        [&] {
            wchar_t first[128] = L"";
            DWORD_PTR length = 0;
            SendMessageTimeoutW(box, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first), SMTO_BLOCK, 5000, &length);
            return Narrow(first) == offered;
        },
        10000);
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    return shown;
}

}  // namespace

TEST(WeatherServicesChild, APlaceTypedHasWeatherFromTheFirstServiceThatAnswersAsTheServicesAsk)
{
    ASSERT_TRUE(TrustTestAuthority());
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    ZorlaCopy copy("ZorlaWorldWeather");
    TestRegistry::WriteString(copy.Name(), "WeatherProviders", "brand", "https://localhost:8460/feed.xml");
    TestRegistry::WriteString(copy.Name(), "WeatherProviders", "metno", "https://localhost:8461/compact");
    TestRegistry::WriteString(copy.Name(), "WeatherProviders", "brightsky", "https://localhost:8462/weather");
    std::string shown;
    {
        RunningZorla zorla(copy);
        const HWND main = zorla.Main();
        ASSERT_TRUE(main);
        // The view opened without weather asks for München's: the brand's feed
        // answers 503, MET Norway's stand-in answers.
        Send(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kWeatherItem.x, kWeatherItem.y));
        Send(main, WM_LBUTTONUP, 0, MAKELPARAM(kWeatherItem.x, kWeatherItem.y));
        EXPECT_TRUE(
            WaitForTexts(main, "Weather from MET Norway; the brand's server did not answer", "Data: MET Norway", shown))
            << shown;

        Tell("metno", "temperature", "24.5");
        ASSERT_TRUE(TypeAndTake(main, "lodz", "Łódź, PL"));
        EXPECT_TRUE(WaitForTexts(main, "Weather from MET Norway", "Data: MET Norway", shown)) << shown;
        const std::vector<Request> metno = RequestsTo("metno");
        ASSERT_EQ(metno.size(), 2u);
        EXPECT_EQ(metno[1].path.rfind("/compact?lat=51.77", 0), 0u) << metno[1].path;
        EXPECT_EQ(metno[1].agent.rfind("Zorla/1.0 (+http", 0), 0u) << metno[1].agent;
        EXPECT_NE(metno[1].agent.find('@'), std::string::npos) << "a contact, as MET Norway asks";

        // Asked again before the answer expires, MET Norway is not asked.
        const std::size_t before = Requests().size();
        Send(main, WM_COMMAND, ID_UPDATE_WEATHER, 0);
        EXPECT_TRUE(WaitUntil([&] { return !RequestsTo("brand", before).empty(); }, 10000)) << [&] {
            std::string all;
            for (const Request& request : Requests())
                all += request.service + " " + request.path + "\n";
            return all;
        }();
        Sleep(1000);  // MET Norway would be asked right after the brand's feed failed
        EXPECT_TRUE(RequestsTo("metno", before).empty());

        // MET Norway busy too: the third service answers for the next place.
        Tell("metno", "status", "503");
        ASSERT_TRUE(TypeAndTake(main, "krakow", "Kraków, PL"));
        EXPECT_TRUE(WaitForTexts(main,
                                 "Weather from Bright Sky; the brand's server did not answer; MET Norway asked for a "
                                 "pause until ",
                                 "Data: Deutscher Wetterdienst", shown))
            << shown;
        EXPECT_EQ(RequestsTo("brightsky").size(), 1u);
        ASSERT_TRUE(zorla.Exit());
    }

    // Łódź's answer grown old: MET Norway is asked whether it changed, answers
    // 304, and the weather shows as new. Then a certificate that expired, and
    // one of an authority nobody trusts: an error, and the weather stays.
    const std::string cache = copy.Folder().File("Zorla_Forecasts");
    std::string kept = TestFiles::Bytes(cache);
    for (const char* attribute : {"fetched=\"", "expires=\""})
        for (std::size_t at = kept.find(attribute); at != std::string::npos; at = kept.find(attribute, at + 1)) {
            const std::size_t value = at + std::strlen(attribute);
            kept.replace(value, kept.find('"', value) - value, "1000");
        }
    ASSERT_TRUE(TestFiles::Write(cache, kept));
    TestRegistry::WriteString(copy.Name(), "CZorlaDlg", "strCurWeatherComobSelectionID", "Łódź");
    TestRegistry::WriteString(copy.Name(), "WeatherProviders", "Order", "metno");
    Tell("metno", "status", "200");
    struct Case {
        const char* address;
        const char* status;
        const char* weather;
    };
    const Case cases[] = {
        {"https://localhost:8461/compact", "Weather from MET Norway", "Data: MET Norway"},
        {"https://localhost:8463/compact", "No new weather: MET Norway did not answer (", "Data: MET Norway"},
        {"https://localhost:8464/compact", "No new weather: MET Norway did not answer (", "Data: MET Norway"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        TestRegistry::WriteString(copy.Name(), "WeatherProviders", "metno", c.address);
        const std::size_t before = Requests().size();
        RunningZorla zorla(copy);
        Send(zorla.Main(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kWeatherItem.x, kWeatherItem.y));
        Send(zorla.Main(), WM_LBUTTONUP, 0, MAKELPARAM(kWeatherItem.x, kWeatherItem.y));
        EXPECT_TRUE(WaitForTexts(zorla.Main(), c.status, c.weather, shown)) << shown;
        if (&c == &cases[0]) {
            const std::vector<Request> asked = RequestsTo("metno", before);
            ASSERT_EQ(asked.size(), 1u);
            EXPECT_EQ(asked[0].modifiedSince, "Wed, 09 Dec 2026 06:00:00 GMT");
            // Aged again for the next rows: the 304 made it new.
            ASSERT_TRUE(zorla.Exit());
            ASSERT_TRUE(TestFiles::Write(cache, kept));
        } else {
            ASSERT_TRUE(zorla.Exit());
        }
    }
    ::CoUninitialize();
}
