// The city table as Zorla.exe carries it: the resource is there and reads as a
// table; a module without it says so.
#include "shared/CityTableResource.h"
#include "weather/CityTable.h"

#include <gtest/gtest.h>

#include <string>

TEST(CityTableResource, TheProgramsTableLoadsAndAModuleWithoutOneIsTold)
{
    std::string bytes, error;
    ASSERT_TRUE(ReadCityTableResource(::GetModuleHandleW(nullptr), bytes, error)) << error;
    CityTable table;
    ASSERT_TRUE(table.Load(bytes, error)) << error;
    EXPECT_GT(table.Size(), 50000u);
    ASSERT_TRUE(table.Find("Köln", "DE"));

    EXPECT_FALSE(ReadCityTableResource(::GetModuleHandleW(L"kernel32.dll"), bytes, error));
    EXPECT_TRUE(bytes.empty());
    EXPECT_NE(error.find("no city table"), std::string::npos) << error;
}
