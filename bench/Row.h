#pragma once

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

// One figure for the table that tools/bench.sh prints at the end (bench/table.py
// knows each key's goal): "ROW <key> <value> <unit> <detail>". The detail, a
// printf format with its arguments, says what the value was made of.
// A run on a scaled screen names its scale in ZORLA_BENCH_SCALE ("150"): the
// key gets "@150", a row of its own with the same goal.
inline void Row(const char* key, double value, const char* unit, const char* detail, ...)
{
    const char* scale = std::getenv("ZORLA_BENCH_SCALE");
    std::printf("ROW %s%s%s %.6g %s ", key, scale && *scale ? "@" : "", scale ? scale : "", value, unit);
    va_list args;
    va_start(args, detail);
    std::vprintf(detail, args);
    va_end(args);
    std::printf("\n");
    std::fflush(stdout);
}
