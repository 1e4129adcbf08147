#pragma once

#include <string>

// The whole percent a progress position stands for: position * 100 over the
// span of the bounds, 0 when the bounds hold no span.
int ProgressPercent(long long position, long long lower, long long upper);

// The progress window's caption: the title followed by " [<percent>%]".
std::string ProgressCaption(const std::string& title, int percent);
