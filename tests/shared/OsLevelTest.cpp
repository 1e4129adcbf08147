#include "shared/OsLevel.h"

#include <gtest/gtest.h>

namespace {

OSVERSIONINFOA Version(DWORD platform, DWORD major, DWORD minor, DWORD build)
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    version.dwPlatformId = platform;
    version.dwMajorVersion = major;
    version.dwMinorVersion = minor;
    version.dwBuildNumber = build;
    return version;
}

}  // namespace

TEST(OsLevel, ClassesTheVersionsByPlatformVersionAndBuild)
{
    const DWORD nt = VER_PLATFORM_WIN32_NT, w9x = VER_PLATFORM_WIN32_WINDOWS;
    EXPECT_EQ(2, OsLevelFor(Version(nt, 4, 0, 1381)));
    EXPECT_EQ(6, OsLevelFor(Version(nt, 5, 0, 2195)));
    EXPECT_EQ(7, OsLevelFor(Version(nt, 5, 0, 2196)));
    EXPECT_EQ(7, OsLevelFor(Version(nt, 10, 0, 19045)));
    EXPECT_EQ(1, OsLevelFor(Version(w9x, 4, 0, 950)));
    EXPECT_EQ(3, OsLevelFor(Version(w9x, 4, 10, 1998)));
    // Windows 98 SE: the build number's high word carries the version.
    EXPECT_EQ(4, OsLevelFor(Version(w9x, 4, 10, MAKELONG(2222, 0x040A))));
    EXPECT_EQ(5, OsLevelFor(Version(w9x, 4, 90, 3000)));
    EXPECT_EQ(0, OsLevelFor(Version(VER_PLATFORM_WIN32s, 3, 10, 0)));
}

TEST(OsLevel, TheRunningSystemIsXpOrLater)
{
    EXPECT_EQ(7, GetOsLevel());
}
