#include "framework/SystemClock.h"

#include <mutex>

namespace {

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
    return now;
}

void SystemClock::SetForTest(const SYSTEMTIME* time)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_fixed = time != nullptr;
    g_fixedTime = time ? *time : SYSTEMTIME{};
}

COleDateTime SystemClock::Now() const
{
    return FromSystemTime(LocalNow());
}

COleDateTime FromSystemTime(const SYSTEMTIME& time)
{
    return COleDateTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
}

bool ToSystemTime(const COleDateTime& date, SYSTEMTIME& time)
{
    if (date.GetStatus() != COleDateTime::valid || date.GetYear() < 0)
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
