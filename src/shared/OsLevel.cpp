#include "shared/OsLevel.h"

#include "shared/ProgramUi.h"

int OsLevelFor(const OSVERSIONINFOA& version)
{
    switch (version.dwPlatformId) {
    case VER_PLATFORM_WIN32_NT:
        if (version.dwMajorVersion < 5)
            return 2;
        return version.dwBuildNumber > 2195 ? 7 : 6;
    case VER_PLATFORM_WIN32_WINDOWS:
        if (version.dwMinorVersion < 10)
            return 1;
        if (version.dwMinorVersion >= 90)
            return 5;
        return LOWORD(version.dwBuildNumber) < 2222 ? 3 : 4;
    default: return 0;
    }
}

int ReadOsLevel()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return ::GetVersionExA(&version) ? OsLevelFor(version) : 0;
#pragma GCC diagnostic pop
}

int GetOsLevel()
{
    int& level = ProgramUi::Current().OsLevelCache();
    if (level == 0)
        level = ReadOsLevel();
    return level;
}
