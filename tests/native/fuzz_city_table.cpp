// libFuzzer target: the weather view's city table. The input is read twice: as
// the file's bytes, and as a payload deflated behind a good header, so the
// fuzzer reaches the reading of places past zlib's checks. A loaded table is
// then searched and asked for a place by each prefix of a few names.
#include "weather/CityTable.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Exercise(const std::string& bytes)
{
    CityTable table;
    std::string error;
    const bool loaded = table.Load(bytes, error);
    if (!loaded && (error.empty() || table.Size() != 0))
        std::abort();
    for (const char* typed : {"a", "lo", "m\xc3\xbc", "new y", "\xff"}) {
        for (const CityMatch& match : table.Search(typed, 5))
            if (match.city.country.size() != 2)
                std::abort();
        table.Find(typed, "DE");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    Exercise(input);

    std::string packed(compressBound(uLong(size)), '\0');
    uLongf packedSize = uLongf(packed.size());
    if (compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize, data, uLong(size)) != Z_OK)
        return 0;
    std::string file = "ZCITIES1";
    for (int i = 0; i < 4; ++i)
        file += static_cast<char>(size >> (8 * i) & 0xFF);
    Exercise(file + packed.substr(0, packedSize));
    return 0;
}
