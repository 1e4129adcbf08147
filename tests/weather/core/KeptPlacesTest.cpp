// The places the user chose, as the settings keep them: what a damaged value
// leaves, and how a choice reorders them.
#include "weather/KeptPlaces.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Names(const KeptPlaces& kept)
{
    std::vector<std::string> names;
    for (const City& place : kept.Places())
        names.push_back(place.name);
    return names;
}

}  // namespace

TEST(KeptPlacesTest, ReadsOnlyWholePlacesAndKeepsTheNewestChoiceFirst)
{
    const KeptPlaces kept = KeptPlaces::Parse("Łódź\tPL\t51.75000\t19.46667\n"
                                              "cut\tPL\t51.7\n"
                                              "north of the pole\tNO\t91\t0\n"
                                              "\tDE\t48.1\t11.5\n"
                                              "nan\tXX\tnan\t1\n"
                                              "München\tDE\t48.13743\t11.57549\r\n"
                                              "München\tDE\t48.13743\t11.57549\n");
    EXPECT_EQ(Names(kept), (std::vector<std::string>{"Łódź", "München"}));
    EXPECT_DOUBLE_EQ(kept.Places()[0].longitude, 19.46667);

    KeptPlaces chosen = KeptPlaces::Parse(kept.Format());
    EXPECT_EQ(Names(chosen), Names(kept)) << "written as read";
    chosen.Add(City{"München", "DE", 48.13743, 11.57549, 0});
    chosen.Add(City{"Tab\tbed", "DE", 1, 1, 0});
    for (int i = 0; i < 12; ++i)
        chosen.Add(City{"Place " + std::to_string(i), "DE", 1, 1, 0});
    EXPECT_EQ(chosen.Places().size(), KeptPlaces::kMaxPlaces);
    EXPECT_EQ(chosen.Places().front().name, "Place 11");
    EXPECT_FALSE(chosen.Find("Tab\tbed"));
    EXPECT_TRUE(chosen.Find("Place 2"));
    EXPECT_FALSE(chosen.Find("Łódź")) << "the oldest goes";
}
