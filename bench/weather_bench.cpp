// Parse and display of a weather feed with 1,000 cities: parse the feed and read
// its records, fill the sorted city list of a real combo box, select the
// remembered city and build its weather text. Medians over several runs; the goal is below 50 ms.
#include "shared/AppTranslator.h"
#include "shared/Translator.h"
#include "mainwnd/CityList.h"
#include "weather/ZorlaWeatherFeed.h"
#include "xml/XmlParser.h"

#include "MedianTime.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using util::xml::XmlElement;

const int CITIES = 1000;
const int RUNS = 11;

// Cities in a scrambled order, every part of the weather present.
std::string Feed()
{
    std::string feed = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<ZORLA>\n<WEATHER>\n";
    for (int i = 0; i < CITIES; ++i) {
        const int n = (i * 389) % CITIES;
        feed += "<ENTRY>St\xE4"
                "dtchen " +
                std::to_string(n) +
                "<WEATHER>leichter Regen</WEATHER>"
                "<CLOUDS>bedeckt</CLOUDS><TEMP>" +
                std::to_string(n % 30 - 5) + "</TEMP><FEEL>" + std::to_string(n % 30 - 8) +
                "</FEEL><WIND>S\xFC"
                "dwest</WIND><WINDSPEED>18 km/h</WINDSPEED>"
                "<ALTI>1012 hPa</ALTI><HUMI>81 %</HUMI><VIS>8 km</VIS><TIME>07.03.2004 14:00</TIME></ENTRY>\n";
    }
    return feed + "</WEATHER>\n</ZORLA>\n";
}

std::vector<WeatherRecord> Read(const std::string& feed)
{
    util::xml::XmlParser parser;
    const std::unique_ptr<XmlElement> document = parser.parseBuffer(feed.data(), feed.size());
    return ZorlaWeatherFeed().Read(document.get());
}

}  // namespace

int main()
{
    FillTranslationTable(GetTranslator());
    const std::string feed = Feed();

    HWND window =
        CreateWindowExA(0, "STATIC", "weather bench", WS_POPUP, 0, 0, 440, 444, nullptr, nullptr, nullptr, nullptr);
    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL, 160, 220, 168,
                                 200, window, reinterpret_cast<HMENU>(1005), nullptr, nullptr);
    if (!window || !combo)
        return 1;

    std::vector<WeatherRecord> records;
    std::string selection;
    std::string text;

    const double parseMs = MedianMs(RUNS, [&] { records = Read(feed); });
    if (records.empty())
        return 2;
    const double fillMs = MedianMs(RUNS, [&] {
        selection = "st\u00e4dtchen 777";
        text = CityList::Fill(combo, records, selection).value_or("");
    });
    const double totalMs = MedianMs(RUNS, [&] {
        records = Read(feed);
        selection = "st\u00e4dtchen 777";
        text = CityList::Fill(combo, records, selection).value_or("");
    });
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);

    std::printf("feed: %d cities, %zu bytes; list holds %ld, selected \"%s\", text %zu bytes\n", CITIES, feed.size(),
                static_cast<long>(count), selection.c_str(), text.size());
    std::printf("parse            median %8.2f ms\n", parseMs);
    std::printf("fill and select  median %8.2f ms\n", fillMs);
    std::printf("parse and show   median %8.2f ms (goal below 50 ms)\n", totalMs);

    DestroyWindow(window);
    return count == CITIES && !text.empty() ? 0 : 3;
}
