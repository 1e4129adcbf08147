#include "widgets/ProgressCaption.h"

#include <cstdio>

int ProgressPercent(long long position, long long lower, long long upper)
{
    // Wide arithmetic: position * 100 overflows 32 bits long before the bar does.
    if (lower >= upper)
        return 0;
    return static_cast<int>(position * 100 / (upper - lower));
}

std::string ProgressCaption(const std::string& title, int percent)
{
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, " [%d%%]", percent);
    return title + suffix;
}
