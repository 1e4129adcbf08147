#include "shared/LocalTime.h"

#include <windows.h>

#include <cstdio>

namespace {

// FILETIME counts 100 ns from 1601; the weather counts seconds from 1970.
const std::int64_t kFrom1601 = 11644473600LL;

}  // namespace

namespace LocalTime {

std::int64_t Of(std::int64_t universalSeconds)
{
    const unsigned long long ticks = static_cast<unsigned long long>(universalSeconds + kFrom1601) * 10000000ULL;
    FILETIME universal{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME system;
    SYSTEMTIME local;
    FILETIME localFile;
    if (!::FileTimeToSystemTime(&universal, &system) || !::SystemTimeToTzSpecificLocalTime(nullptr, &system, &local) ||
        !::SystemTimeToFileTime(&local, &localFile))
        return universalSeconds;
    const unsigned long long localTicks =
        (static_cast<unsigned long long>(localFile.dwHighDateTime) << 32) | localFile.dwLowDateTime;
    return static_cast<std::int64_t>(localTicks / 10000000ULL) - kFrom1601;
}

std::string Clock(std::int64_t universalSeconds)
{
    const std::int64_t local = Of(universalSeconds);
    const std::int64_t minutes = ((local % 86400) + 86400) % 86400 / 60;
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(minutes / 60), static_cast<int>(minutes % 60));
    return text;
}

}  // namespace LocalTime
