// Load and save of a notes store with 10,000 entries: medians over several runs.
#include "entries/NoteStore.h"

#include "MedianTime.h"
#include "Row.h"
#include "support/TestPlatform.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using Steady = std::chrono::steady_clock;

const int ENTRIES = 10000;
const int RUNS = 9;

std::string MakeFolder()
{
    char base[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, base);
    const std::string folder = std::string(base) + "zorla-entries-bench-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void Fill(NoteStore& store)
{
    for (int i = 0; i < ENTRIES; ++i) {
        CEntry entry;
        entry.SetText("Einkaufen: K\u00e4se, Br\u00f6tchen und M\u00fcsli\r\nNotiz Nummer " + std::to_string(i));
        entry.wndX = 100 + i % 800;
        entry.wndY = 50 + i % 600;
        store.AddEntry(entry);
    }
}

}  // namespace

int main()
{
    const std::string folder = MakeFolder();
    NoteStore store(folder, TestPlatform::Files());
    if (!store.Load())
        return 1;

    const auto fillStart = Steady::now();
    Fill(store);
    const double fillMs = std::chrono::duration<double, std::milli>(Steady::now() - fillStart).count();

    const double saveMs = MedianMs(RUNS, [&] { store.Save(); });
    WIN32_FILE_ATTRIBUTE_DATA info{};
    GetFileAttributesExA(store.GetPath().c_str(), GetFileExInfoStandard, &info);

    NoteStore reader(folder, TestPlatform::Files());
    const double loadMs = MedianMs(RUNS, [&] { reader.Load(); });
    int read = 0;
    const double loadReadMs = MedianMs(RUNS, [&] {
        reader.Load();
        read = 0;
        CEntry entry;
        if (reader.HasEntries())
            while (reader.GetNextEntry(entry))
                ++read;
    });
    CEntry last;
    const double lookupMs = MedianMs(RUNS, [&] { reader.GetEntryById(ENTRIES, last); });

    std::printf("entries_bench: %d entries, file %lu bytes, medians of %d runs\n", ENTRIES,
                static_cast<unsigned long>(info.nFileSizeLow), RUNS);
    std::printf("  add %d entries (once)      %9.1f ms\n", ENTRIES, fillMs);
    std::printf("  save (atomic, flushed)     %9.1f ms\n", saveMs);
    std::printf("  load                       %9.1f ms\n", loadMs);
    std::printf("  load and read all (%d)  %9.1f ms\n", read, loadReadMs);
    std::printf("  GetEntryById (last)        %9.3f ms\n", lookupMs);
    Row("entries_add", fillMs, "ms", "%d entries, one AddEntry each", ENTRIES);
    if (read == ENTRIES)
        Row("entries_load_read", loadReadMs, "ms", "median of %d runs", RUNS);

    DeleteFileA(store.GetPath().c_str());
    RemoveDirectoryA(folder.c_str());
    return read == ENTRIES ? 0 : 1;
}
