#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

// The median wall time of run() over several runs, in milliseconds.
inline double MedianMs(int runs, const std::function<void()>& run)
{
    using Steady = std::chrono::steady_clock;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Steady::now();
        run();
        times.push_back(std::chrono::duration<double, std::milli>(Steady::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
