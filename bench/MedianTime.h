#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

// The median of the times in milliseconds; -1 when there are none.
inline double Median(std::vector<double> times)
{
    if (times.empty())
        return -1;
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The wall time of run() in milliseconds, once for each of several runs.
inline std::vector<double> TimesMs(int runs, const std::function<void()>& run)
{
    using Steady = std::chrono::steady_clock;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Steady::now();
        run();
        times.push_back(std::chrono::duration<double, std::milli>(Steady::now() - start).count());
    }
    return times;
}

// The median wall time of run() over several runs, in milliseconds.
inline double MedianMs(int runs, const std::function<void()>& run)
{
    return Median(TimesMs(runs, run));
}
