// The weather view's city box, natively: the world's table (res/cities/
// CityTable.bin) loaded once, as the view does when it first needs it, then one
// search per keystroke while city names are typed letter by letter. The figures
// are the median keystroke, the load, and the table's size.
#include "MedianTime.h"
#include "Row.h"

#include "weather/CityTable.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const int kRuns = 20;
const std::size_t kShown = 10;

double Ms(std::chrono::steady_clock::duration time)
{
    return std::chrono::duration<double, std::milli>(time).count();
}

}  // namespace

int main()
{
    std::ifstream file(ZORLA_CITY_TABLE, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());

    std::vector<double> loads, keystrokes, worst;
    CityTable table;
    for (int run = 0; run < 5; ++run) {
        std::string error;
        const auto start = std::chrono::steady_clock::now();
        if (!table.Load(bytes, error)) {
            std::printf("the city table does not load: %s\n", error.c_str());
            return 1;
        }
        loads.push_back(Ms(std::chrono::steady_clock::now() - start));
    }

    const char* const typed[] = {"l", "lo", "lod", "lodz", "m", "mu", "mun", "muni", "munich", "new y"};
    std::size_t lastRows = 0;
    double slowest = 0;
    for (int run = 0; run < kRuns; ++run) {
        for (const char* text : typed) {
            const auto start = std::chrono::steady_clock::now();
            lastRows = table.Search(text, kShown).size();
            const double ms = Ms(std::chrono::steady_clock::now() - start);
            keystrokes.push_back(ms);
            slowest = std::max(slowest, ms);
        }
    }
    const double keystroke = Median(keystrokes);
    std::printf("%zu places in %zu bytes; load: median %.2f ms; one keystroke's search: median %.3f ms, "
                "slowest %.3f ms over %zu keystrokes\n",
                table.Size(), bytes.size(), Median(loads), keystroke, slowest, keystrokes.size());
    Row("city_keystroke", keystroke, "ms", "median of %zu keystrokes among %zu places, slowest %.3f ms",
        keystrokes.size(), table.Size(), slowest);
    Row("city_load", Median(loads), "ms", "median of %zu loads", loads.size());
    Row("city_table_bytes", double(bytes.size()), "bytes", "res/cities/CityTable.bin");
    return lastRows > 0 ? 0 : 1;
}
