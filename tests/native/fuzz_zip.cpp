// libFuzzer target: the archive check takes any bytes another program could put
// where the mail's archive is looked for. The sanitizers catch any read outside
// them; an accepted archive must hold its records side by side within them.
#include "mail/ZipSingleEntry.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// The end record, one directory header and the local header's signature, which
// cannot overlap the directory's.
const std::size_t kSmallestArchive = 22 + 46 + 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ZipSingleEntry entry;
    entry.name = "untouched";
    entry.uncompressedSize = 7;
    if (!ParseZipSingleEntry(data, size, entry)) {
        if (entry.name != "untouched" || entry.uncompressedSize != 7) {
            std::fprintf(stderr, "a refused archive changed the entry\n");
            std::abort();
        }
        return 0;
    }
    if (size < kSmallestArchive + entry.name.size()) {
        std::fprintf(stderr, "accepted %zu bytes with a name of %zu\n", size, entry.name.size());
        std::abort();
    }
    ZipSingleEntry again;
    if (!ParseZipSingleEntry(data, size, again) || again.name != entry.name ||
        again.uncompressedSize != entry.uncompressedSize) {
        std::fprintf(stderr, "the same bytes read differently\n");
        std::abort();
    }
    return 0;
}
