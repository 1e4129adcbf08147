#include "framework/Clock.h"

#include <mutex>

namespace {

// Worker threads read the time too (the weather download stamps its update).
std::mutex g_lock;
bool g_fixed = false;
SYSTEMTIME g_fixedTime{};

}  // namespace

SYSTEMTIME Clock::Now()
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

void Clock::SetForTest(const SYSTEMTIME* time)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_fixed = time != nullptr;
    g_fixedTime = time ? *time : SYSTEMTIME{};
}
