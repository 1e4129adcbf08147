// libFuzzer target: the edits of the installer's uninstall list on any text and
// any path. Besides crashes it checks the promises the program relies on: an
// inserted entry is found, a remove takes out exactly what the insert put in,
// and nothing changes the text when there is nothing to do.
#include "shared/UninstallList.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// Whether the text has a "[Files]" line whose line break is already there: only
// then does an insert add the entry's line alone.
bool HasClosedHeader(const std::string& text)
{
    for (size_t at = text.find("[Files]"); at != std::string::npos; at = text.find("[Files]", at + 1)) {
        if (at == 0 || text[at - 1] == '\n')
            return text.find('\n', at) != std::string::npos;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string entry = UninstallList::Entry(input.ConsumeRandomLengthString(300));
    const std::string original = input.ConsumeRemainingBytesAsString();

    const bool contained = UninstallList::Contains(original, entry);
    std::string text = original;
    if (!contained) {
        if (UninstallList::Remove(text, entry) || text != original)
            Fail("remove of an entry not there changed the text");
    }

    const bool inserted = UninstallList::Insert(text, entry);
    if (inserted == contained)
        Fail("insert disagrees with contains");
    if (!inserted) {
        if (text != original)
            Fail("an insert that added nothing changed the text");
        const std::string before = text;
        if (!UninstallList::Remove(text, entry) || text.size() >= before.size())
            Fail("a contained entry was not removed");
        return 0;
    }
    if (!UninstallList::Contains(text, entry))
        Fail("an inserted entry is not found");
    if (!UninstallList::Remove(text, entry))
        Fail("an inserted entry cannot be removed");
    if (HasClosedHeader(original) ? text != original : text.compare(0, original.size(), original) != 0)
        Fail("insert and remove did not give back the same bytes");
    // Without a header line the insert added one, which stays for the next time.
    const std::string withHeader = text;
    if (!UninstallList::Insert(text, entry) || !UninstallList::Remove(text, entry) || text != withHeader)
        Fail("a second insert and remove did not give back the same bytes");
    if (UninstallList::Contains(text, entry))
        Fail("a removed entry is still found");
    return 0;
}
