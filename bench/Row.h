#pragma once

#include <cstdarg>
#include <cstdio>

// One figure for the table that tools/bench.sh prints at the end (bench/table.py
// knows each key's goal): "ROW <key> <value> <unit> <detail>". The detail, a
// printf format with its arguments, says what the value was made of.
inline void Row(const char* key, double value, const char* unit, const char* detail, ...)
{
    std::printf("ROW %s %.6g %s ", key, value, unit);
    va_list args;
    va_start(args, detail);
    std::vprintf(detail, args);
    va_end(args);
    std::printf("\n");
    std::fflush(stdout);
}
