#include "framework/SystemClock.h"

#include <cstdlib>
#include <mutex>

namespace {

// 100 ns ticks of a FILETIME.
const long long kTicksPerMinute = 60LL * 10000000LL;

// Read once: the program's time runs on evenly from its start.
long long ShiftTicks()
{
    static const long long shift = [] {
        char text[32] = "";
        const DWORD length = ::GetEnvironmentVariableA(SystemClock::kShiftVariable, text, sizeof text);
        if (length == 0 || length >= sizeof text)
            return 0LL;
        return std::strtoll(text, nullptr, 10) * kTicksPerMinute;
    }();
    return shift;
}

FILETIME Shifted(const FILETIME& time)
{
    ULARGE_INTEGER value{};
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    value.QuadPart += static_cast<unsigned long long>(ShiftTicks());
    return FILETIME{value.LowPart, value.HighPart};
}

// Worker threads read the time too (the weather download stamps its update).
std::mutex g_lock;
bool g_fixed = false;
SYSTEMTIME g_fixedTime{};

}  // namespace

SYSTEMTIME SystemClock::LocalNow()
{
    {
        std::lock_guard<std::mutex> guard(g_lock);
        if (g_fixed)
            return g_fixedTime;
    }
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    if (ShiftTicks() == 0)
        return now;
    // Shifted as a wall-clock time: the program sees the local time it would
    // see that many minutes from now, give or take a change of daylight saving.
    FILETIME local{};
    ::SystemTimeToFileTime(&now, &local);
    local = Shifted(local);
    ::FileTimeToSystemTime(&local, &now);
    return now;
}

void SystemClock::SetForTest(const SYSTEMTIME* time)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_fixed = time != nullptr;
    g_fixedTime = time ? *time : SYSTEMTIME{};
}

DateTime SystemClock::Now() const
{
    return FromSystemTime(LocalNow());
}

unsigned long long SystemClock::UniversalMilliseconds() const
{
    FILETIME now{};
    {
        std::lock_guard<std::mutex> guard(g_lock);
        if (g_fixed) {
            ::SystemTimeToFileTime(&g_fixedTime, &now);
        } else {
            ::GetSystemTimeAsFileTime(&now);
            now = Shifted(now);
        }
    }
    const unsigned long long ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    // 100 ns ticks since 1601; 11644473600 s lie between 1601 and 1970.
    const unsigned long long since1601 = ticks / 10000;
    const unsigned long long offset = 11644473600000ULL;
    return since1601 > offset ? since1601 - offset : 0;
}

DateTime FromSystemTime(const SYSTEMTIME& time)
{
    return DateTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
}

bool ToSystemTime(const DateTime& date, SYSTEMTIME& time)
{
    if (date.GetStatus() != DateTime::valid || date.GetYear() < 0)
        return false;
    time = SYSTEMTIME{};
    time.wYear = static_cast<WORD>(date.GetYear());
    time.wMonth = static_cast<WORD>(date.GetMonth());
    time.wDay = static_cast<WORD>(date.GetDay());
    time.wDayOfWeek = static_cast<WORD>(date.GetDayOfWeek() - 1);
    time.wHour = static_cast<WORD>(date.GetHour());
    time.wMinute = static_cast<WORD>(date.GetMinute());
    time.wSecond = static_cast<WORD>(date.GetSecond());
    return true;
}
