#include "WeatherFeeds.h"
#include "WeatherTestWindow.h"

#include "shared/AppTranslator.h"
#include "shared/Translator.h"
#include "support/TestProcess.h"
#include "mainwnd/CityList.h"
#include "weather/ZorlaWeatherFeed.h"
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

std::vector<WeatherRecord> Records(const XmlElement* root)
{
    return ZorlaWeatherFeed().Read(root);
}

// The weather text of a feed that holds one "ENTRY" with these children.
std::string TextOf(const std::string& children)
{
    const auto root = Parse("<Z><WEATHER><ENTRY>Bonn" + children + "</ENTRY></WEATHER></Z>");
    const std::vector<WeatherRecord> records = Records(root.get());
    EXPECT_EQ(records.size(), 1u);
    return records.empty() ? std::string() : CityList::WeatherText(&records[0]);
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
    EXPECT_EQ(CityList::WeatherText(nullptr), "");
    const auto other = Parse(std::string("<Z><WEATHER><CITY>") + ALL_PARTS + "</CITY></WEATHER></Z>");
    EXPECT_TRUE(Records(other.get()).empty());
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

class CityListTest : public testing::Test {
protected:
    void SetUp() override { FillTranslationTable(GetTranslator()); }
    void Fill(const std::string& document)
    {
        const auto root = Parse(document);
        records = Records(root.get());
        shown = CityList::Fill(view.Combo(), records, view.selection);
    }

    WeatherTestWindow view;
    std::vector<WeatherRecord> records;
    std::optional<std::string> shown;
};

TEST_F(CityListTest, CitiesAreSortedAndShowTheirOwnWeather)
{
    view.selection = "x";
    Fill("<Z><WEATHER><ENTRY>Zwickau<TEMP>1</TEMP></ENTRY><ENTRY>aachen<TEMP>2</TEMP></ENTRY>"
         "<ENTRY>Leipzig<TEMP>3</TEMP></ENTRY></WEATHER></Z>");
    EXPECT_EQ(view.Cities(), (std::vector<std::string>{"aachen", "Leipzig", "Zwickau"}));
    EXPECT_FALSE(shown.has_value());
    EXPECT_EQ(view.selection, "x");

    const char* const shownFor[] = {" 2 °C", " 3 °C", " 1 °C"};
    for (int i = 0; i < 3; ++i) {
        SendMessageA(view.Combo(), CB_SETCURSEL, i, 0);
        EXPECT_EQ(CityList::OnSelChange(view.Combo(), records, view.selection), shownFor[i]);
        EXPECT_EQ(view.selection, view.Cities()[i]);
    }
}

TEST_F(CityListTest, StoredSelectionIsMatchedByPrefixInAnyCase)
{
    view.selection = "müN";
    Fill(WeatherFeeds::Good());
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(view.SelectedCity(), "München");
    EXPECT_EQ(view.selection, "München");
    EXPECT_EQ(*shown, "sonnig, wolkenlos 12 °C\nUpdated: 14:00");
}

TEST_F(CityListTest, OnlyEntriesUnderTheRootsWeatherAreListed)
{
    view.selection = "B";
    Fill("<Z><ENTRY>Outside</ENTRY><WEATHER><CITY>Bonn</CITY><ENTRY>Bern\n    <TEMP>5</TEMP></ENTRY>"
         "<ENTRY/></WEATHER><WEATHER><ENTRY>Second</ENTRY></WEATHER></Z>");
    // A city name with a line break before the first child keeps it, and an
    // entry without a name is an empty item.
    EXPECT_EQ(view.Cities(), (std::vector<std::string>{"", "Bern\n    "}));
    EXPECT_EQ(view.selection, "Bern\n    ");
}

TEST_F(CityListTest, DocumentWithoutWeatherEmptiesTheListAndKeepsTheText)
{
    view.selection = "Bern";
    Fill("<Z><WEATHER><ENTRY>Bern</ENTRY></WEATHER></Z>");
    ASSERT_EQ(view.Cities().size(), 1u);
    Fill("<Z><WETTER><ENTRY>Bern</ENTRY></WETTER></Z>");
    EXPECT_TRUE(view.Cities().empty());
    EXPECT_FALSE(shown.has_value());
    records.clear();
    shown = CityList::Fill(view.Combo(), records, view.selection);
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

TEST_F(CityListTest, DemoFeedShowsMunichWithEveryPart)
{
    const std::string feed = DemoFeed();
    if (feed.empty())
        GTEST_SKIP() << "res/demo/weather-feed.xml not found above " << ModuleFolder();
    util::xml::XmlParser parser;
    const auto root = parser.parseBuffer(feed.data(), feed.size());
    ASSERT_NE(root, nullptr);
    records = Records(root.get());
    view.selection = "München";
    shown = CityList::Fill(view.Combo(), records, view.selection);
    EXPECT_EQ(view.Cities().size(), 13u);
    ASSERT_TRUE(shown.has_value());
    // The wind's direction comes from the feed, in UTF-8 like every text of the feed.
    EXPECT_EQ(*shown, "sonnig, wolkenlos 11 °C\nFeels like: 10 °C\nWind: Südost 9 km/h\nAir: 1021 hPa with 48 % "
                      "Humidity\nVisibility: 30 km\nUpdated: 07.03.2004 14:00");
}

}  // namespace
