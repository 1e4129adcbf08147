#include "WeatherFeeds.h"
#include "WeatherTestWindow.h"

#include "shared/AppTranslator.h"
#include "shared/Translator.h"
#include "support/TestProcess.h"
#include "weather/CActionWeather.h"
#include "weather/CWeatherDisplay.h"
#include "xml/XmlParser.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

using util::xml::XmlElement;

namespace {

std::unique_ptr<XmlElement> Parse(const std::string& document)
{
    util::xml::XmlParser parser;
    return parser.parseBuffer(document.data(), document.size());
}

// The weather text of a document that holds one "ENTRY" with these children.
std::string TextOf(const std::string& children)
{
    const auto entry = Parse("<ENTRY>Bonn" + children + "</ENTRY>");
    return CWeatherDisplay::BuildWeatherText(entry.get());
}

const char ALL_PARTS[] = "<WEATHER>Regen</WEATHER><CLOUDS>bedeckt</CLOUDS><TEMP>7</TEMP><FEEL>4</FEEL>"
                         "<WIND>NW</WIND><WINDSPEED>20 km/h</WINDSPEED><ALTI>1012 hPa</ALTI><HUMI>80 %</HUMI>"
                         "<VIS>10 km</VIS><TIME>06.03.2004 14:00</TIME>";

class WeatherText : public testing::Test {
protected:
    void SetUp() override { FillTranslationTable(GetTranslator()); }
};

TEST_F(WeatherText, AllPartsInTheirOrderOnSixLines)
{
    EXPECT_EQ(TextOf(ALL_PARTS), "Regen, bedeckt 7 °C\n"
                                 "Feels like: 4 °C\n"
                                 "Wind: NW 20 km/h\n"
                                 "Air: 1012 hPa with 80 % Humidity\n"
                                 "Visibility: 10 km\n"
                                 "Updated: 06.03.2004 14:00");
}

TEST_F(WeatherText, MissingPartsAreLeftOut)
{
    EXPECT_EQ(TextOf("<TEMP>7</TEMP><TIME>14:00</TIME>"), " 7 °C\nUpdated: 14:00");
    EXPECT_EQ(TextOf("<WEATHER>Regen</WEATHER><VIS>2 km</VIS>"), "Regen, \nVisibility: 2 km");
    EXPECT_EQ(TextOf("<CLOUDS>heiter</CLOUDS><FEEL>-3</FEEL>"), "heiter\nFeels like: -3 °C");
    EXPECT_EQ(TextOf("<WIND>O</WIND>"), "\nWind: O");
    EXPECT_EQ(TextOf(""), "");
    EXPECT_EQ(TextOf("<RAIN>viel</RAIN>"), "");
}

TEST_F(WeatherText, WindSpeedWithoutWindShowsNothingOfTheWind)
{
    EXPECT_EQ(TextOf("<TEMP>7</TEMP><WINDSPEED>20 km/h</WINDSPEED>"), " 7 °C");
}

TEST_F(WeatherText, HumidityWithoutAirFollowsThePreviousLine)
{
    EXPECT_EQ(TextOf("<WIND>NW</WIND><HUMI>80 %</HUMI>"), "\nWind: NW with 80 % Humidity");
}

TEST_F(WeatherText, OnlyTheFirstOfTwoTemperaturesCounts)
{
    EXPECT_EQ(TextOf("<TEMP>7</TEMP><TEMP>30</TEMP>"), " 7 °C");
}

TEST_F(WeatherText, ValuesAreShownAsSentWithAttributesIgnored)
{
    EXPECT_EQ(TextOf("<TEMP unit=\"F\">7,5</TEMP><ALTI> 1012 hPa </ALTI>"), " 7,5 °C\nAir:  1012 hPa ");
}

TEST_F(WeatherText, NothingButAnEntryHasAText)
{
    EXPECT_EQ(CWeatherDisplay::BuildWeatherText(nullptr), "");
    const auto other = Parse(std::string("<CITY>") + ALL_PARTS + "</CITY>");
    EXPECT_EQ(CWeatherDisplay::BuildWeatherText(other.get()), "");
}

// Suites named German* run with a German user language.
class GermanWeatherText : public WeatherText {};

TEST_F(GermanWeatherText, TranslatedPiecesWindStaysEnglish)
{
    EXPECT_EQ(TextOf(ALL_PARTS), ("Regen, bedeckt 7 °C\n"
                                        "Fühltemperatur: 4 °C\n"
                                        "Wind: NW 20 km/h\n"
                                        "Luft: 1012 hPa bei 80 % Feuchtigkeit\n"
                                        "Sicht: 10 km\n"
                                        "Aktualisiert: 06.03.2004 14:00"));
}

class CityList : public testing::Test {
protected:
    void SetUp() override { FillTranslationTable(GetTranslator()); }
    void Fill(const std::string& document)
    {
        root = Parse(document);
        shown = CWeatherDisplay::FillCityList(view.Combo(), root.get(), view.selection);
    }

    WeatherTestWindow view;
    std::unique_ptr<XmlElement> root;
    std::optional<std::string> shown;
};

TEST_F(CityList, CitiesAreSortedAndCarryTheirEntries)
{
    view.selection = "x";
    Fill("<Z><WEATHER><ENTRY>Zwickau<TEMP>1</TEMP></ENTRY><ENTRY>aachen<TEMP>2</TEMP></ENTRY>"
         "<ENTRY>Leipzig<TEMP>3</TEMP></ENTRY></WEATHER></Z>");
    EXPECT_EQ(view.Cities(), (std::vector<std::string>{"aachen", "Leipzig", "Zwickau"}));
    EXPECT_FALSE(shown.has_value());
    EXPECT_EQ(view.selection, "x");
    EXPECT_EQ(CWeatherDisplay::SelectedEntry(view.Combo()), nullptr);

    for (int i = 0; i < 3; ++i) {
        SendMessageA(view.Combo(), CB_SETCURSEL, i, 0);
        const XmlElement* entry = CWeatherDisplay::SelectedEntry(view.Combo());
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->getText(), view.Cities()[i]);
    }
    SendMessageA(view.Combo(), CB_SETCURSEL, 1, 0);
    EXPECT_EQ(CWeatherDisplay::OnCitySelChange(view.Combo(), view.selection), " 3 °C");
    EXPECT_EQ(view.selection, "Leipzig");
}

TEST_F(CityList, StoredSelectionIsMatchedByPrefixInAnyCase)
{
    view.selection = "müN";
    Fill(WeatherFeeds::Good());
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(view.SelectedCity(), "München");
    EXPECT_EQ(view.selection, "München");
    EXPECT_EQ(*shown, "sonnig, wolkenlos 12 °C\nUpdated: 14:00");
}

TEST_F(CityList, OnlyEntriesUnderTheRootsWeatherAreListed)
{
    view.selection = "B";
    Fill("<Z><ENTRY>Outside</ENTRY><WEATHER><CITY>Bonn</CITY><ENTRY>Bern\n    <TEMP>5</TEMP></ENTRY>"
         "<ENTRY/></WEATHER><WEATHER><ENTRY>Second</ENTRY></WEATHER></Z>");
    // A city name with a line break before the first child keeps it, and an
    // entry without a name is an empty item.
    EXPECT_EQ(view.Cities(), (std::vector<std::string>{"", "Bern\n    "}));
    EXPECT_EQ(view.selection, "Bern\n    ");
}

TEST_F(CityList, DocumentWithoutWeatherEmptiesTheListAndKeepsTheText)
{
    view.selection = "Bern";
    Fill("<Z><WEATHER><ENTRY>Bern</ENTRY></WEATHER></Z>");
    ASSERT_EQ(view.Cities().size(), 1u);
    Fill("<Z><WETTER><ENTRY>Bern</ENTRY></WETTER></Z>");
    EXPECT_TRUE(view.Cities().empty());
    EXPECT_FALSE(shown.has_value());
    root.reset();
    shown = CWeatherDisplay::FillCityList(view.Combo(), nullptr, view.selection);
    EXPECT_TRUE(view.Cities().empty());
    EXPECT_FALSE(shown.has_value());
    EXPECT_EQ(view.selection, "Bern");
}

// The demo's feed, found above the build folder; empty when not there.
std::string DemoFeed()
{
    std::string folder = ModuleFolder();
    for (int up = 0; up < 4; ++up) {
        std::ifstream in(folder + "\\res\\demo\\weather-feed.xml", std::ios::binary);
        if (in)
            return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        folder = folder.substr(0, folder.find_last_of('\\'));
    }
    return std::string();
}

TEST_F(CityList, DemoFeedShowsMunichWithEveryPart)
{
    const std::string feed = DemoFeed();
    if (feed.empty())
        GTEST_SKIP() << "res/demo/weather-feed.xml not found above " << ModuleFolder();
    std::string error;
    root = CActionWeather::ParseFeed(feed, error);
    ASSERT_NE(root, nullptr) << error;
    view.selection = "München";
    shown = CWeatherDisplay::FillCityList(view.Combo(), root.get(), view.selection);
    EXPECT_EQ(view.Cities().size(), 13u);
    ASSERT_TRUE(shown.has_value());
    // The wind's direction comes from the feed, in UTF-8 like every text of the feed.
    EXPECT_EQ(*shown, "sonnig, wolkenlos 11 °C\nFeels like: 10 °C\nWind: Südost 9 km/h\nAir: 1021 hPa with 48 % "
                      "Humidity\nVisibility: 30 km\nUpdated: 07.03.2004 14:00");
}

}  // namespace
