#include "app/InstanceGuard.h"

#include <gtest/gtest.h>

#include <string>

TEST(InstanceGuard, SecondHolderOfTheSameNameIsNotFirstAndSuffixesSeparate)
{
    const std::string name = "ZorlaGuardTest" + std::to_string(GetCurrentProcessId());
    InstanceGuard first, second;
    first.SetInstanceName(name);
    second.SetInstanceName(name);
    EXPECT_TRUE(first.IsFirstInstance());
    EXPECT_FALSE(second.IsFirstInstance());
    EXPECT_TRUE(second.IsFirstInstance("Other"));
}

TEST(InstanceGuard, TheNameIsTakenWhileTheGuardLivesAndFreeWhenItGoes)
{
    const std::string name = "ZorlaGuardLife" + std::to_string(GetCurrentProcessId());
    {
        InstanceGuard guard;
        guard.SetInstanceName(name);
        EXPECT_TRUE(guard.IsFirstInstance());
        // Asking again finds the guard's own mutex; that second handle must not
        // outlive the call, or the name would stay taken below.
        EXPECT_FALSE(guard.IsFirstInstance());
        InstanceGuard other;
        other.SetInstanceName(name);
        EXPECT_FALSE(other.IsFirstInstance());
    }
    InstanceGuard later;
    later.SetInstanceName(name);
    EXPECT_TRUE(later.IsFirstInstance()) << "every handle to the name is closed with its guard";
}
