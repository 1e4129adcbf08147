#include <gtest/gtest.h>
#include <windows.h>
TEST(Pipeline, RunsUnderWine)
{
    EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
}
