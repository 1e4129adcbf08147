// The world's places for the weather view's city box: the table as the generator
// writes it (res/cities/CityTable.bin), and small tables made here for what the
// real one cannot show or must never be.
#include "weather/CityTable.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Row {
    std::string name;
    std::string country;
    std::int32_t latitude;  // thousandths of a degree
    std::int32_t longitude;
    std::uint32_t population;
    std::vector<std::string> aliases;
};

void PutU32(std::string& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>(value >> (8 * i) & 0xFF);
}

// The payload as tools/cities/make_city_table.py lays it out.
std::string Payload(const std::vector<Row>& rows)
{
    std::string out;
    PutU32(out, static_cast<std::uint32_t>(rows.size()));
    std::int32_t before = 0;
    for (const Row& row : rows) {
        PutU32(out, static_cast<std::uint32_t>(row.latitude - before));
        before = row.latitude;
    }
    before = 0;
    for (const Row& row : rows) {
        PutU32(out, static_cast<std::uint32_t>(row.longitude - before));
        before = row.longitude;
    }
    for (const Row& row : rows)
        PutU32(out, row.population);
    for (const Row& row : rows)
        out += row.country;
    for (const Row& row : rows)
        out += static_cast<char>(row.aliases.size());
    for (const Row& row : rows) {
        out += static_cast<char>(row.name.size()) + row.name;
        for (const std::string& alias : row.aliases)
            out += static_cast<char>(alias.size()) + alias;
    }
    return out;
}

std::string Deflated(const std::string& payload)
{
    std::string packed(compressBound(uLong(payload.size())), '\0');
    uLongf size = uLongf(packed.size());
    compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(payload.data()),
             uLong(payload.size()));
    packed.resize(size);
    std::string out = "ZCITIES1";
    PutU32(out, static_cast<std::uint32_t>(payload.size()));
    return out + packed;
}

std::string RealTableBytes()
{
    std::ifstream file(ZORLA_CITY_TABLE, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

const CityTable& RealTable()
{
    static const CityTable table = [] {
        CityTable loaded;
        std::string error;
        EXPECT_TRUE(loaded.Load(RealTableBytes(), error)) << error;
        return loaded;
    }();
    return table;
}

TEST(CityTableTest, FindsAPlaceTypedInAnyCaseWithoutAccentsOrUnderAnotherLanguagesName)
{
    struct Case {
        const char* typed;
        const char* name;
        const char* country;
        const char* alias;
    };
    const Case cases[] = {
        {"lodz", "Łódź", "PL", ""},
        {"LÓDŹ", "Łódź", "PL", ""},
        {"koln", "Köln", "DE", ""},
        {"Cologne", "Köln", "DE", "Cologne"},
        {"munchen", "Munich", "DE", "München"},
        {"MÜNCHEN", "Munich", "DE", "München"},
        {"Munich", "Munich", "DE", ""},
        {"warszawa", "Warsaw", "PL", "Warszawa"},
        {"new y", "New York City", "US", ""},
        {"  wien", "Vienna", "AT", "Wien"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::vector<CityMatch> found = RealTable().Search(c.typed, 5);
        ASSERT_FALSE(found.empty());
        EXPECT_EQ(found[0].city.name, c.name);
        EXPECT_EQ(found[0].city.country, c.country);
        EXPECT_EQ(found[0].alias, c.alias);
    }
}

TEST(CityTableTest, RanksByInhabitantsAndListsEachPlaceOnce)
{
    for (const char* typed : {"l", "lo", "mun", "san", "new", "a"}) {
        SCOPED_TRACE(typed);
        const std::vector<CityMatch> found = RealTable().Search(typed, 20);
        ASSERT_EQ(found.size(), 20u);
        std::set<std::tuple<std::string, std::string, double, double>> places;
        for (std::size_t i = 0; i < found.size(); ++i) {
            if (i > 0)
                EXPECT_GE(found[i - 1].city.population, found[i].city.population) << found[i].city.name;
            const City& city = found[i].city;
            EXPECT_TRUE(places.insert({city.name, city.country, city.latitude, city.longitude}).second)
                << city.name << " twice";
        }
    }
    EXPECT_EQ(RealTable().Search("lon", 1).at(0).city.name, "London");
    EXPECT_TRUE(RealTable().Search("", 10).empty());
    EXPECT_TRUE(RealTable().Search("lo", 0).empty());
}

// A place both of whose names match shows by its own; a later word of a name
// ranks below every place that starts so, however small.
TEST(CityTableTest, PrefersTheNameToAnAliasAndStartsToLaterWords)
{
    CityTable table;
    std::string error;
    ASSERT_TRUE(table.Load(Deflated(Payload({
                               {"Frankfurt am Main", "DE", 50110, 8682, 650000, {"Francfort"}},
                               {"Mainz", "DE", 49998, 8273, 217000, {}},
                               {"Maintal", "DE", 50150, 8833, 39000, {"Mainthal"}},
                           })),
                           error))
        << error;
    const std::vector<CityMatch> found = table.Search("main", 10);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].city.name, "Mainz");
    EXPECT_EQ(found[1].city.name, "Maintal");
    EXPECT_EQ(found[1].alias, "");
    EXPECT_EQ(found[2].city.name, "Frankfurt am Main");
    EXPECT_EQ(found[2].city.latitude, 50.11);
    EXPECT_EQ(found[2].city.longitude, 8.682);
    EXPECT_EQ(found[2].city.population, 650000u);
}

TEST(CityTableTest, FindsByTheExactNameInTheCountryGiven)
{
    struct Case {
        const char* name;
        const char* country;
        const char* found;  // nullptr: none
        const char* foundCountry;
    };
    const Case cases[] = {
        {"Paris", "", "Paris", "FR"},         {"paris", "us", "Paris", "US"},
        {"London", "CA", "London", "CA"},     {"Cologne", "DE", "Köln", "DE"},
        {"LODZ", "PL", "Łódź", "PL"},         {"Frankfurt am", "", nullptr, nullptr},
        {"Paris", "XX", nullptr, nullptr},    {"", "", nullptr, nullptr},
        {"Main", "", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.country);
        const std::optional<City> city = RealTable().Find(c.name, c.country);
        ASSERT_EQ(city.has_value(), c.found != nullptr);
        if (city) {
            EXPECT_EQ(city->name, c.found);
            EXPECT_EQ(city->country, c.foundCountry);
        }
    }
    EXPECT_GT(RealTable().Find("Paris", "FR")->population, RealTable().Find("Paris", "US")->population);
}

TEST(CityTableTest, RefusesBytesThatAreNoTableAndKeepsNothingOfThem)
{
    const std::string real = RealTableBytes();
    const std::string good = Payload({{"Köln", "DE", 50933, 6950, 963395, {"Cologne"}}});
    std::string tooMany = good;
    tooMany[0] = '\x7F';
    std::string offTheGlobe = Payload({{"Nowhere", "XX", 91000, 0, 10, {}}});
    const std::vector<std::string> cases = {
        "",
        "ZCITIES",
        "ZCITIES1",
        "NOTATABLE" + real.substr(9),
        real.substr(0, 12),
        real.substr(0, 100),
        real.substr(0, real.size() / 2),
        real.substr(0, real.size() - 1),
        real.substr(0, 8) + "\xFF\xFF\xFF\x7F" + real.substr(12),  // names a huge size
        real.substr(0, 8) + "\x01\x00\x00\x00" + real.substr(12),  // names a smaller one
        Deflated(""),
        Deflated(tooMany),
        Deflated(good.substr(0, good.size() - 1)),  // cut in the last alias
        Deflated(good + "x"),
        Deflated(offTheGlobe),
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        CityTable table;
        std::string error;
        ASSERT_TRUE(table.Load(Deflated(good), error)) << error;
        EXPECT_FALSE(table.Load(cases[i], error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(table.Size(), 0u);
        EXPECT_TRUE(table.Search("k", 5).empty());
        EXPECT_FALSE(table.Find("Köln"));
    }
}

}  // namespace
